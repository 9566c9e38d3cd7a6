# What Windows hides from the hooks, and how VeltoMacro keeps working: a hook the platform drops
# silently (`drop`: events then go straight to the application), the hooks' check on the thread
# timer (`wait 250`), a window of higher rights in front (`elevated`: its input reaches no hook of
# ours, and the key state reads as all up to us; `reused`: its handle another program's since), a
# bound input held before VeltoMacro starts; and what looks alike but is no dropped hook. Every
# case is also played with a swallowed button's state going down, and with Shift, Ctrl and Alt's
# general state set before the hooks are asked. See keys.t for the form of a case; `model`
# switches a behaviour that Windows does not document.

## a hook dropped while idle: the first press reaches the game once, then the check takes it back
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_KEYDOWN 0x26             => passed
tick                        => idle
wait 250                    => unhook keyboard refused, hook keyboard
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle
wait 250

## a bound key tapped between two checks tells of a dropped hook, each time; tapped outside the gate, nothing
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
wait 250
drop keyboard
WM_KEYUP 0x26               => passed
tick                        => notch +120
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
wait 250                    => unhook keyboard refused, hook keyboard
tick                        => idle
cursor panel
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
wait 250
drop keyboard
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
wait 250                    => unhook keyboard refused, hook keyboard

## a hook dropped while a bound button is held: its scrolling stops at the check, then goes on
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250
drop mouse
WM_XBUTTONUP data=0x10000   => passed
tick                        => notch -120
WM_XBUTTONDOWN data=0x10000 => passed
tick                        => notch -120
wait 250                    => unhook mouse refused, hook mouse
tick                        => idle
WM_XBUTTONUP data=0x10000   => passed
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
WM_XBUTTONUP data=0x10000   => swallowed
tick                        => idle

## the known limit: let go and tapped again before the check that would have seen it held, the check cannot tell it from a press a hook saw; it runs on until pressed again
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
drop keyboard
WM_KEYUP 0x26               => passed
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
wait 250                    => unhook keyboard refused, hook keyboard
tick                        => notch +120
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => passed
tick                        => idle

## installing fails at one check and succeeds at the next
config [general]\nupbind = 1\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, claim 0x01, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
refuse keyboard 5
WM_KEYDOWN 0x28             => passed
wait 250                    => unhook mouse, unhook keyboard refused, hook mouse, hook keyboard refused
WM_KEYUP 0x28               => passed
refuse keyboard 0
wait 250                    => unhook mouse, hook mouse, hook keyboard
WM_KEYDOWN 0x28             => swallowed
tick                        => notch -120
WM_KEYUP 0x28               => swallowed
tick                        => idle

## no check takes the hooks back while only other input happens, the buttons swapped or not
config [general]\nupbind = 2\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
swap buttons
start                       => claim 0x28, claim 0x02, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x41             => passed
WM_LBUTTONDOWN              => passed
cursor panel
WM_KEYDOWN 0x28             => passed
wait 250
cursor game
WM_KEYDOWN 0x28             => swallowed
tick                        => notch -120
wait 250
WM_KEYUP 0x28               => passed
WM_RBUTTONDOWN              => swallowed
tick                        => notch +120
wait 250
WM_RBUTTONUP                => swallowed
drop mouse
WM_RBUTTONDOWN              => passed
wait 250                    => unhook mouse refused, unhook keyboard, hook mouse, hook keyboard

## the buttons swapped and the left one bound: the system's key state knows it as the right one
config [general]\nupbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
swap buttons
start                       => claim 0x01, hook mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_RBUTTONDOWN              => passed
WM_RBUTTONUP                => passed
wait 250
WM_LBUTTONDOWN              => passed
wait 250                    => unhook mouse refused, hook mouse

## the left button bound, the buttons as they come
config [general]\nupbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x01, hook mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_RBUTTONDOWN              => passed
wait 250
WM_LBUTTONDOWN              => passed
wait 250                    => unhook mouse refused, hook mouse

## a key and a button held when VeltoMacro starts: they scroll (the key with its repeats), and come up in the game
config [general]\nupbind = 0x26\ndownbind = 4\n
window game LaunchUnrealUWindowsClient Velto
focus game
WM_KEYDOWN 0x26             => passed
WM_MBUTTONDOWN              => passed
start                       => claim 0x04, claim 0x26, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
wait 250
WM_MBUTTONUP                => passed
WM_MBUTTONDOWN              => swallowed
tick                        => notch -120
WM_MBUTTONUP                => swallowed
tick                        => idle
wait 250

## AltGr held over a check, or tapped between two, with left Ctrl bound: no hook was dropped, the side button's scroll goes on, and left Ctrl stays in step
config [general]\nupbind = 0xA2\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, claim 0xA2, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
wait 250
tick                        => notch -120
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
wait 250
tick                        => notch -120
WM_XBUTTONUP data=0x10000   => swallowed
WM_KEYDOWN 0xA2 scan=0x1D   => swallowed
tick                        => notch +120
WM_KEYUP 0xA2 scan=0x1D     => swallowed
tick                        => idle

## where the hooks are not called: a key let go, a key tapped, a key held across; no stale press of the game's, no scroll cut
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26             => passed
wait 250
focus admin
tick                        => idle
WM_KEYUP 0x26               => passed
wait 250
focus game
wait 250
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
focus admin
tick                        => idle
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
tick                        => notch -120
focus admin
tick                        => nothing
WM_XBUTTONUP data=0x10000   => passed
WM_KEYDOWN 0x26             => passed
focus game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
tick                        => notch -120
WM_KEYDOWN 0x26             => swallowed
tick                        => nothing
WM_XBUTTONUP data=0x10000   => passed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle
wait 250

## the same with the pressed-since bit cleared by reads refused there, or taken by another program
model refusal-clears
model bit-taken
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin 0x3000
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26             => passed
wait 250
focus admin
tick                        => idle
WM_KEYUP 0x26               => passed
wait 250
focus game
wait 250
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
focus admin
tick                        => idle
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250
tick                        => notch -120
focus admin
tick                        => nothing
WM_XBUTTONUP data=0x10000   => passed
WM_KEYDOWN 0x26             => passed
focus game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
tick                        => notch -120
WM_KEYDOWN 0x26             => swallowed
tick                        => nothing
WM_XBUTTONUP data=0x10000   => passed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle
wait 250

## a key pressed where the hooks are not called and held into the game, released before any check: the system has it down, so its release passes
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => passed
focus game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle

## held while the hooks were taken back, let go where they are not called: the next press over the game is a new one, and the game sees neither it nor its release
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26             => passed
focus admin
WM_XBUTTONDOWN data=0x10000 => passed
WM_XBUTTONUP data=0x10000   => passed
focus game
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
focus admin
WM_KEYUP 0x26               => passed
focus game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
tick                        => idle

## a key the game saw go up, then pressed and let go where the hooks are not called, each found so by a check: its next press over the game scrolls, and the game sees neither it nor its release
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus admin
WM_KEYDOWN 0x26             => passed
focus game
wait 250                    => unhook keyboard, hook keyboard
focus admin
WM_KEYUP 0x26               => passed
focus game
wait 250
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
tick                        => idle

## a window's handle, once of a program with more rights, now another program's of ours: the check reads the keys there again
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
wait 250
reused admin
drop keyboard
WM_KEYDOWN 0x26             => passed
wait 250                    => unhook keyboard refused, hook keyboard

## a general bind's key let go where the hooks are not called: the other key's release ends the direction, whether a check found it up before or not
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0xA1 scan=0x36   => passed
wait 250
focus admin
WM_KEYUP 0xA1 scan=0x36     => passed
focus game
wait 250
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch +120
WM_KEYUP 0xA0 scan=0x2A     => swallowed
tick                        => idle
cursor panel
WM_KEYDOWN 0xA1 scan=0x36   => passed
focus admin
WM_KEYUP 0xA1 scan=0x36     => passed
focus game
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch +120
WM_KEYUP 0xA0 scan=0x2A     => swallowed
tick                        => idle

## a release in a window of higher rights reaches no hook: the direction ends with the window change
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
focus admin
tick                        => nothing
WM_KEYUP 0x26               => passed
focus game
tick                        => idle
wait 250

## another window in front ends a direction even where the gate passes; a repeat sets it again
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window notepad Notepad
focus game
start                       => claim 0x26, hook keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
focus notepad
tick                        => nothing
tick                        => idle
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
