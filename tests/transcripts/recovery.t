# What the systems hide from the hooks, and how VeltoMacro keeps working. A system passes an event
# on without a hook that answers too late (`late=N` on an event: it waited N ms for the hooks'
# thread; `stall N`: the thread is busy for N ms, the ticks that follow come meanwhile), and may then
# remove the hook (`removal N`: at the Nth time-out, 1 as Proton, 11 as Windows; `drop`: silently,
# at once). Windows waits 300 ms where nothing is set (`model long-wait`: up to 1000), or the time-out
# the user set (`timeout`); `wine` waits 2 s. Raw input tells of each event the hooks did not see:
# made after the hooks for the events they pass (as Windows), before them for every event (`orders
# first`, as Wine), or apart from them for every event, `raw=N` ms after it (`orders apart`, as
# Proton's mouse; before the hooks where N is negative); `refuse raw` refuses it. Where raw input
# names a key otherwise than the hooks, `raw1=` (and `raw2=`, for a second event) give its name,
# 0xVVFFMM: key code, flags (2 for E0, 4 for E1), make code. The hooks' check
# runs on the thread timer (`wait 250`). Also: a window of higher rights in front (`elevated`: its
# input reaches no hook of ours, and the key state reads as all up to us; `reused`: its handle
# another program's since), a bound input held before VeltoMacro starts. Every case is played as
# keys.t tells; `model` switches a behaviour that Windows does not document.

## a hook dropped while idle: the first press reaches the game, raw input tells, and the next check takes the hook back, since its call did not come within a quarter of a second
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
wait 250                    => unhook keyboard refused, hook keyboard
wait 1000
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
tick                        => idle

## a hook dropped while a bound key is held: raw input tells of its lost release, which stops the scroll at once; taken back, the key scrolls again
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
wait 250
drop keyboard
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle
wait 1000                   => unhook keyboard refused, hook keyboard
tick                        => idle
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
tick                        => idle

## a hook dropped while a bound button is held, the button let go and pressed again before any check: both lost, raw input tells of the release, and the scroll stops at once
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
drop mouse
WM_XBUTTONUP data=0x10000   => passed
WM_XBUTTONDOWN data=0x10000 => passed
tick                        => idle
wait 1250                   => unhook mouse refused, hook mouse
tick                        => idle
WM_XBUTTONUP data=0x10000   => passed
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
WM_XBUTTONUP data=0x10000   => swallowed
tick                        => idle

## the thread held up past the time-out while a key is held: the pump stops at once, the release passes late, and the check takes the hooks back
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
stall 1200
tick                        => nothing
WM_KEYUP 0x26 scan=0x48 flags=1 late=1200 => passed
tick                        => idle
wait 250                    => unhook keyboard, hook keyboard

## a time-out the user set shorter: held up past it, the thread has lost input; the key still held scrolls on
config [general]\nupbind = 0x26\n
timeout 300
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
stall 400
tick                        => nothing
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=400 => passed
wait 250                    => unhook keyboard, hook keyboard
tick                        => notch +120

## any event answered too late tells of lost input, and only of its kind; what is held is held still (the key and the button cancel out)
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
WM_XBUTTONDOWN data=0x10000 => swallowed
WM_XBUTTONUP data=0x10000   => swallowed
WM_KEYDOWN 0x41 scan=0x1E late=1100 => passed
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => nothing
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_XBUTTONUP data=0x10000   => swallowed
tick                        => idle

## held up for less than the time-out: nothing lost, nothing cut
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
stall 290
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=290 => swallowed
wait 250
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
tick                        => idle

## live hooks, raw input made after them (or before, as every case is also played): a key and a button held over many checks, taps outside the gate; nothing taken for lost
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
wait 250
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
cursor panel
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_XBUTTONDOWN data=0x10000 => passed
WM_XBUTTONUP data=0x10000   => passed
cursor game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
WM_XBUTTONUP data=0x10000   => swallowed
tick                        => idle
wait 1250

## tapped, then pressed and let go a quarter of a second later, the hook dropped in between: the lost release is no raw event of the swallowed one, and ends the scroll at once
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
wait 250
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
drop keyboard
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle
wait 1000                   => unhook keyboard refused, hook keyboard
tick                        => idle

## a window of more rights in front: its input reaches no hook of ours, and what raw input tells of it is not taken for lost
orders first
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
focus admin
tick                        => nothing
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_XBUTTONUP data=0x10000   => passed
wait 1250
focus game
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
WM_XBUTTONUP data=0x10000   => swallowed

## a general bind's other key, pressed where a lost hook did not see it, does not hold the direction on a lost release's word
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch +120
drop keyboard
WM_KEYUP 0xA0 scan=0x2A     => passed
WM_KEYDOWN 0xA1 scan=0x36   => passed
wait 1250                   => unhook keyboard refused, hook keyboard
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36     => passed
tick                        => idle

## a key's state set down by its swallowed press (Windows does not say it is not): a key held over checks is no press unseen, and its release is swallowed
model key-state-always
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
wait 250
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
tick                        => idle

## installing fails at one check and succeeds at the next
config [general]\nupbind = 1\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, claim 0x01, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
refuse keyboard 5
WM_KEYDOWN 0x28 scan=0x50 flags=1 => passed
wait 1250                   => unhook mouse, unhook keyboard refused, hook mouse, hook keyboard refused
WM_KEYUP 0x28 scan=0x50 flags=1 => passed
refuse keyboard 0
wait 250                    => unhook mouse, hook mouse, hook keyboard
WM_KEYDOWN 0x28 scan=0x50 flags=1 => swallowed
tick                        => notch -120
WM_KEYUP 0x28 scan=0x50 flags=1 => swallowed
tick                        => idle

## the buttons swapped and the left one bound: raw input knows it as the right one; the right one, the left
config [general]\nupbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
swap buttons
start                       => claim 0x01, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_RBUTTONDOWN              => passed
WM_RBUTTONUP                => passed
wait 1250
WM_LBUTTONDOWN              => passed
wait 1250                   => unhook mouse refused, hook mouse

## a window's handle, once of a program with more rights, now another program's of ours: raw input from there counts again
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
wait 1250
reused admin
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
wait 1250                   => unhook keyboard refused, hook keyboard

## a key and a button held when VeltoMacro starts: they scroll (the key with its repeats), and come up in the game
config [general]\nupbind = 0x26\ndownbind = 4\n
window game LaunchUnrealUWindowsClient Velto
focus game
WM_KEYDOWN 0x26             => passed
WM_MBUTTONDOWN              => passed
start                       => claim 0x04, claim 0x26, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
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
start                       => claim 0x05, claim 0xA2, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
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

## a key pressed where the hooks are not called and held into the game, released before any check: the system has it down, so its release passes
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => passed
focus game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle

## a key the game saw go up, then pressed and let go where the hooks are not called, then back to the game: its next press over the game scrolls, and the game sees neither it nor its release
config [general]\nupbind = 0x41\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x41, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x41             => passed
WM_KEYUP 0x41               => passed
focus admin
WM_KEYDOWN 0x41             => passed
focus game
wait 250
focus admin
WM_KEYUP 0x41               => passed
focus game
wait 250
WM_KEYDOWN 0x41             => swallowed
tick                        => notch +120
WM_KEYUP 0x41               => swallowed
tick                        => idle

## a general bind's key let go where the hooks are not called: the other key's release ends the direction, whether a check came between or not
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
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
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
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
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
focus notepad
tick                        => nothing
tick                        => idle
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed

## the right-hand modifiers lost: raw input names them by their general codes and tells them apart by scan code; the left ones are not bound
config [general]\nupbind = 0xA1\ndownbind = 0xA3\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA3, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_KEYDOWN 0xA0 scan=0x2A   => passed
WM_KEYUP 0xA0 scan=0x2A     => passed
WM_KEYDOWN 0xA2 scan=0x1D   => passed
WM_KEYUP 0xA2 scan=0x1D     => passed
wait 1250
WM_KEYDOWN 0xA1 scan=0x36   => passed
wait 1250                   => unhook keyboard refused, hook keyboard
drop keyboard
WM_KEYDOWN 0xA3 scan=0x1D flags=1 => passed
wait 1250                   => unhook keyboard refused, hook keyboard

## left Alt bound: its lost press tells, a lost right Alt does not
config [general]\nupbind = 0xA4\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA4, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
wait 1250
WM_SYSKEYDOWN 0xA4 scan=0x38 => passed
wait 1250                   => unhook keyboard refused, hook keyboard

## a left button's release lost: raw input says it went up, so the next press over the game is a new one, its release swallowed
config [general]\nupbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x01, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_LBUTTONDOWN              => swallowed
tick                        => notch +120
drop mouse
WM_LBUTTONUP                => passed
wait 1250                   => unhook mouse refused, hook mouse
WM_LBUTTONDOWN              => swallowed
tick                        => notch +120
WM_LBUTTONUP                => swallowed
tick                        => idle

## the second extra button lost
config [general]\ndownbind = 6\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x06, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_XBUTTONDOWN data=0x20000 => passed
wait 1250                   => unhook mouse refused, hook mouse

## a press let through outside the gate is matched by its raw event once: the next one of that key, lost, tells
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
cursor game
drop keyboard
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
wait 1250                   => unhook keyboard refused, hook keyboard

## answered exactly at the time-out is in time; a millisecond later is not
config [general]\nupbind = 0x26\n
timeout 1000
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=1000 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 late=1001 => passed
tick                        => idle
wait 250                    => unhook keyboard, hook keyboard

## a key held while the hooks are taken back for a lost button: its scroll goes on, and its release is let through, since a press of it may have passed in between
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
drop mouse
WM_XBUTTONDOWN data=0x10000 => passed
WM_XBUTTONUP data=0x10000   => passed
wait 1250                   => unhook mouse refused, unhook keyboard, hook mouse, hook keyboard
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle

## left Ctrl pressed where the hooks are not called and held into the game: AltGr tapped meanwhile leaves it the application's, and its release passes
config [general]\nupbind = 0xA2\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0xA2, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x1D   => passed
focus game
WM_KEYDOWN 0xA2 scan=0x1D   => swallowed
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
wait 250
WM_KEYUP 0xA2 scan=0x1D     => passed

## Page Up, a code the keypad shares, pressed and let go where the hooks are not called: its state cannot tell that the press is over, and its next release is let through
config [general]\nupbind = 0x21\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x21, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x21 scan=0x49 flags=1 => passed
focus game
wait 250
focus admin
WM_KEYUP 0x21 scan=0x49 flags=1 => passed
focus game
wait 250
WM_KEYDOWN 0x21 scan=0x49 flags=1 => swallowed
WM_KEYUP 0x21 scan=0x49 flags=1 => passed

## The same with Shift and Space, codes of one key each: the state tells that the press is over, so the next press is a new one and its release is swallowed
config [general]\nupbind = 0x10\ndownbind = 0x20\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x20, claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA1 scan=0x36   => passed
focus game
wait 250
focus admin
WM_KEYUP 0xA1 scan=0x36     => passed
focus game
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36     => swallowed
focus admin
WM_KEYDOWN 0x20 scan=0x39   => passed
focus game
wait 250
focus admin
WM_KEYUP 0x20 scan=0x39     => passed
focus game
WM_KEYDOWN 0x20 scan=0x39   => swallowed
tick                        => notch -120
WM_KEYUP 0x20 scan=0x39     => swallowed

## AltGr bound, pressed where the hooks are not called and held into the game: the system has it down, so its release passes, with its Ctrl
config [general]\nupbind = 0xA5\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0xA5, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
focus game
WM_KEYDOWN 0xA2 scan=0x21D  => swallowed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
tick                        => idle

## Left Ctrl pressed where the hooks are not called while AltGr is held: the state AltGr's Ctrl holds down cannot tell of it, so its release passes
config [general]\nupbind = 0xA2\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0xA2, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
focus admin
WM_KEYDOWN 0xA2 scan=0x1D   => passed
focus game
WM_KEYDOWN 0xA2 scan=0x1D   => swallowed
tick                        => notch +120
WM_KEYUP 0xA2 scan=0x1D     => passed

## A general bind's key held while its direction was forgotten, repeated in a window of more rights, then doubted by the other key's press: its next repeat is no proof that the application lacks it, and its release passes
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
tick                        => notch +120
focus admin
tick                        => nothing
WM_KEYDOWN 0xA1 scan=0x36   => passed
focus game
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36     => passed

## A button's press answered too late has passed on: its release passes too
config [general]\nupbind = 1\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, claim 0x01, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_LBUTTONDOWN              => swallowed
drop mouse
WM_KEYDOWN 0x28 scan=0x50 flags=1 late=1100 => passed
WM_LBUTTONUP                => passed
wait 250                    => unhook mouse refused, unhook keyboard, hook mouse, hook keyboard
tick                        => idle
WM_LBUTTONDOWN late=1100    => passed
WM_LBUTTONUP                => passed
tick                        => idle

## A general bind's key let go where a dropped hook did not see it, the other key let go after on hooks taken back for lost buttons: raw input told of the first release, and scrolling stops
config [general]\ndownbind = 0x10\nupbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA0, claim 0xA1, claim 0x05, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch -120
drop mouse
WM_XBUTTONDOWN data=0x10000 => passed
WM_XBUTTONUP data=0x10000   => passed
wait 750                    => unhook mouse refused, unhook keyboard, hook mouse, hook keyboard
drop keyboard
WM_KEYUP 0xA0 scan=0x2A     => passed
wait 1000                   => unhook mouse, unhook keyboard refused, hook mouse, hook keyboard
tick                        => notch -120
WM_KEYUP 0xA1 scan=0x36     => passed
tick                        => idle

## Down and Delete, codes the keypad shares too, pressed and let go where the hooks are not called: their next releases are let through
config [general]\nupbind = 0x28\ndownbind = 0x2E\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus admin
start                       => claim 0x2E, claim 0x28, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x28 scan=0x50 flags=1 => passed
WM_KEYDOWN 0x2E scan=0x53 flags=1 => passed
focus game
wait 250
focus admin
WM_KEYUP 0x28 scan=0x50 flags=1 => passed
WM_KEYUP 0x2E scan=0x53 flags=1 => passed
focus game
WM_KEYDOWN 0x28 scan=0x50 flags=1 => swallowed
WM_KEYUP 0x28 scan=0x50 flags=1 => passed
WM_KEYDOWN 0x2E scan=0x53 flags=1 => swallowed
WM_KEYUP 0x2E scan=0x53 flags=1 => passed

## A key held as a window of more rights comes to the front, let go and pressed again there, then let go in the game: the game has it down, and its release passes
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
focus admin
tick                        => nothing
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
focus game
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle

## Wine, whose hook was not called for a press and its repeats after other programs' hooks came and went (measured): raw input came first, so a quarter of a second without the call tells; the hooks come back before the first repeat, the repeats scroll, and the release passes, the game having the press
orders first
wine
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop keyboard
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
tick                        => idle
wait 250                    => unhook keyboard refused, hook keyboard
wait 250
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle

## a press answered half a second late where no time-out is set: Windows waited 300 ms and passed it, so its release passes; that is no proof of input lost, and the hooks stay
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
stall 500
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=500 => passed
tick                        => notch +120
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
wait 250
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle
wait 250

## the same under Wine, which waits 2 s: the press is swallowed, and so is its release
wine
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
stall 500
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=500 => swallowed
tick                        => notch +120
wait 250
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed
tick                        => idle
wait 250

## an injected press answered 1.2 s late, the thread held up: its time is its sender's, but the thread last took a message then; the press passed, its release passes, and the hooks come back
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
stall 1200
WM_KEYDOWN 0x26 scan=0x48 flags=0x11 late=1200 => passed
tick                        => idle
wait 250                    => unhook keyboard, hook keyboard
WM_KEYUP 0x26 scan=0x48 flags=0x11 => passed
tick                        => idle

## a button held still with a time-out of 200 ms set: the thread waits for messages between the checks, and waiting is no hold-up, so every tick scrolls
timeout 200
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 220
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
WM_XBUTTONUP data=0x10000   => swallowed
tick                        => idle

## Num Lock held from a panel onto the game, Pause tapped over the panel, and the Shift Windows sends around the grey keys: raw input names them otherwise than the hooks, yet nothing is cut and no hook taken back
config [general]\nupbind = 0x90\ndownbind = 0x13\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x13, claim 0x90, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x90 scan=0x45 flags=1 raw1=0x900045 => passed
cursor game
WM_KEYDOWN 0x90 scan=0x45 flags=1 raw1=0x900045 => swallowed
tick                        => notch +120
wait 250
WM_KEYDOWN 0x90 scan=0x45 flags=1 raw1=0x900045 => swallowed
WM_KEYUP 0xA0 scan=0x2A flags=1 raw1=0xFF022A => passed
WM_KEYDOWN 0xA0 scan=0x2A flags=1 raw1=0xFF022A => passed
tick                        => notch +120
wait 250
tick                        => notch +120
cursor panel
WM_KEYDOWN 0x13 scan=0x45 raw1=0x13041D raw2=0xFF0045 => passed
WM_KEYUP 0x13 scan=0x45 raw1=0x13041D raw2=0xFF0045 => passed
wait 250
wait 1000
cursor game
WM_KEYUP 0x90 scan=0x45 flags=1 raw1=0x900045 => passed
tick                        => idle

## Right Shift, which the layout marks extended for the hooks, and which some keyboards send as E0 36 to raw input: one key either way; its release lost ends the scroll
config [general]\nupbind = 0xA1\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA1 scan=0x36 flags=1 raw1=0x100036 => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36 flags=1 raw1=0x100036 => swallowed
WM_KEYDOWN 0xA1 scan=0x36 flags=1 raw1=0x100236 => swallowed
tick                        => notch +120
wait 1000
tick                        => notch +120
drop keyboard
WM_KEYUP 0xA1 scan=0x36 flags=1 raw1=0x100236 => passed
tick                        => idle
wait 1000                   => unhook keyboard refused, hook keyboard

## a key injected by its code alone (scan code 0, as controller mappers send it) held, its hook dropped, its release lost: raw input names it by its code too, and the release ends the scroll at once
config [general]\nupbind = 0x7C\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x7C, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x7C flags=0x10  => swallowed
tick                        => notch +120
drop keyboard
WM_KEYUP 0x7C flags=0x10    => passed
tick                        => idle
wait 1000                   => unhook keyboard refused, hook keyboard
WM_KEYDOWN 0x7C flags=0x10  => swallowed
tick                        => notch +120
WM_KEYUP 0x7C flags=0x10    => swallowed
tick                        => idle

## a general bind's keys held, its hook dropped: the first key let go, where raw input alone saw it, leaves the other holding the scroll; the last one ends it at once
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
WM_KEYDOWN 0xA1 scan=0x36 flags=1 => swallowed
tick                        => notch +120
drop keyboard
WM_KEYUP 0xA0 scan=0x2A     => passed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36 flags=1 => passed
tick                        => idle

## raw input refused: an answer that may have come too late is all that tells, and it ends the scrolls of its kind; the key still held scrolls again with its next repeat
refuse raw
config [general]\nupbind = 0x26\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, claim 0x26, hook mouse, hook keyboard, raw input refused, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
stall 500
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=500 => passed
tick                        => notch +120
wait 250                    => unhook mouse, unhook keyboard, hook mouse, hook keyboard
tick                        => idle
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_XBUTTONDOWN data=0x10000 => swallowed
WM_XBUTTONUP data=0x10000   => swallowed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
tick                        => idle

## Proton: its mouse's raw input comes apart from the hooks, here late; a hook that answers past its 2 s wait is removed at once, and the late answer tells; the click's release lost ends the scroll when its raw event comes, and an earlier click's release coming later ends no newer one
orders apart
wine
removal 1
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 raw=300 => swallowed
WM_XBUTTONUP data=0x10000 raw=300 => swallowed
WM_XBUTTONDOWN data=0x10000 raw=300 => swallowed
tick                        => notch -120
wait 250
tick                        => notch -120
wait 250
tick                        => notch -120
stall 2100
WM_MOUSEMOVE late=2100      => passed, mouse hook removed
WM_XBUTTONUP data=0x10000 raw=300 => passed
tick                        => notch -120
wait 250                    => unhook mouse refused, hook mouse
tick                        => notch -120
wait 250
tick                        => idle

## raw input refused: a key pressed over a panel, let go where the hooks are not called, pressed again over the game: its state says it was let go, so this press is a new one, and its release is swallowed
refuse raw
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x26, hook keyboard, raw input refused, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
focus admin
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
focus game
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => swallowed

## a keypad key held as Up, Shift let go, its hook dropped: its release as Numpad 8, which only raw input tells of, ends the scroll at once
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => passed
WM_KEYDOWN 0x26 scan=0x48   => swallowed
tick                        => notch +120
WM_KEYUP 0xA0 scan=0x2A     => passed
WM_KEYDOWN 0x68 scan=0x48   => passed
tick                        => notch +120
drop keyboard
WM_KEYUP 0x68 scan=0x48     => passed
tick                        => idle

## Proton's mouse: a press lost to a dropped hook, its raw event late, after a window of more rights came to the front: where the hooks were called is judged by when the press was made, and the hook comes back
orders apart
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_XBUTTONDOWN data=0x10000 raw=300 => passed
focus admin
wait 250
wait 250
wait 250                    => unhook mouse refused, hook mouse

## a left button pressed where a dropped hook did not see it: raw input tells, and the hook comes back
config [general]\nupbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x01, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
drop mouse
WM_LBUTTONDOWN              => passed
wait 250                    => unhook mouse refused, hook mouse

## Pause injected by its code alone, its hook dropped, its release lost: raw input names it by its code, and the release ends the scroll
config [general]\ndownbind = 0x13\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x13, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x13 flags=0x10  => swallowed
tick                        => notch -120
drop keyboard
WM_KEYUP 0x13 flags=0x10    => passed
tick                        => idle

## answered exactly one second late where nothing is set: the longest wait, not past it, so no proof of input lost, and the hooks stay
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
stall 1000
WM_KEYDOWN 0x26 scan=0x48 flags=1 late=1000 => passed
wait 250
WM_KEYUP 0x26 scan=0x48 flags=1 => passed

## a general bind's keys held, its hook dropped, a repeat lost before the first key is let go: raw input's word on each key is its own last one, and the last key let go ends the scroll
config [general]\nupbind = 0x10\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
WM_KEYDOWN 0xA1 scan=0x36 flags=1 => swallowed
tick                        => notch +120
drop keyboard
WM_KEYDOWN 0xA1 scan=0x36 flags=1 => passed
WM_KEYUP 0xA0 scan=0x2A     => passed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36 flags=1 => passed
tick                        => idle
