# Keyboard binds. While the gate passes, a bound key is swallowed, and it scrolls while it is held;
# every key-down the game saw is followed by its key-up.
#
# A case is a `## title`, then lines: `config` (the file's bytes, C escapes), the windows
# (`window NAME CLASS TITLE`, the title the rest of the line), `focus` (in front, the pointer over
# it) and `cursor` (what the pointer is over: a window, `none`, or `unreadable`), `start`, then
# what happens. Key events: the message, the virtual-key code, and `scan=`, `flags=`, `nCode=`
# where they matter; mouse events: the message and `data=`. Each line the program answers has
# ` => ` and the answer after it: swallowed or passed; a tick sends a notch, or nothing after
# asking the window system, or is idle (asks nothing); `allocated` where an event or a tick did.

## a held key scrolls, and the game never sees it
config [general]\nupbind = 0x26\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
tick                        => idle
WM_KEYDOWN 0x28             => swallowed
tick                        => notch -120
WM_KEYUP 0x28               => swallowed
tick                        => idle

## auto-repeat keeps being swallowed, and scrolling goes on at one notch a tick
config [general]\ndownbind = 40\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 40               => swallowed
tick                        => notch -120
WM_KEYDOWN 40               => swallowed
WM_KEYDOWN 40               => swallowed
tick                        => notch -120
WM_KEYUP 40                 => swallowed
tick                        => idle

## system keys (Alt held) count like plain ones; any other key message is a release
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_SYSKEYDOWN 0x26          => swallowed
tick                        => notch +120
WM_SYSKEYUP 0x26            => swallowed
tick                        => idle
WM_KEYDOWN 0x26             => swallowed
WM_CHAR 0x26                => swallowed
tick                        => idle

## both directions held at once cancel out
config [general]\nupbind = 0x26\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x28, claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
WM_KEYDOWN 0x28             => swallowed
tick                        => nothing
WM_KEYUP 0x26               => swallowed
tick                        => notch -120
WM_KEYUP 0x28               => swallowed
tick                        => idle

## unbound keys, and code 0, pass untouched
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x41             => passed
WM_KEYDOWN 0                => passed
WM_KEYUP 0                  => passed
WM_KEYDOWN 0x28             => passed
tick                        => idle

## an event the platform marks with a negative nCode is passed on at once
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26 nCode=-1    => passed
tick                        => idle

## pressed over a child window, auto-repeat over the game: it scrolls, and the key-up reaches the game
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
cursor panel
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => passed
tick                        => idle
cursor game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle

## held over the game, repeating over a child, back over the game: the key-up reaches the game
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
cursor panel
tick                        => nothing
WM_KEYDOWN 0x26             => passed
WM_KEYDOWN 0x26             => passed
tick                        => idle
cursor game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => passed
tick                        => idle

## pressed outside the gate and released inside: the game sees both
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
cursor panel
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => passed
cursor game
WM_KEYUP 0x26               => passed
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed

## pressed inside and released outside: the release ends scrolling and reaches the game
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
cursor panel
WM_KEYUP 0x26               => passed
cursor game
tick                        => idle

## Numpad 8 pressed as Up (Shift and Num Lock), released as Numpad 8 after Shift: it stops; over the panel such a press leaves the game with Up down, and the arrow's release after passes
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => passed
WM_KEYDOWN 0x26 scan=0x48   => swallowed
tick                        => notch +120
WM_KEYUP 0xA0 scan=0x2A     => passed
WM_KEYUP 0x68 scan=0x48     => swallowed
tick                        => idle
cursor panel
WM_KEYDOWN 0x26 scan=0x48   => passed
WM_KEYUP 0x68 scan=0x48     => passed
cursor game
WM_KEYDOWN 0x26 scan=0x48 flags=1 => swallowed
WM_KEYUP 0x68 scan=0x48     => passed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48   => swallowed
WM_KEYUP 0x69 scan=0x49     => passed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48     => swallowed
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x41               => passed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed

## AltGr's left Ctrl goes with the bound Right Alt: the game sees both or neither
config [general]\nupbind = 0xA5\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0xA5, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x21D  => swallowed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => swallowed
tick                        => notch +120
WM_KEYDOWN 0xA2 scan=0x21D  => swallowed
cursor panel
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => swallowed
cursor game
WM_KEYUP 0xA2 scan=0x21D    => swallowed
WM_KEYUP 0xA5 scan=0x38 flags=1 => swallowed
tick                        => idle
cursor panel
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
WM_KEYUP 0xA2 scan=0x21D    => passed
cursor game
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
tick                        => idle

## with left Ctrl bound, AltGr does not scroll; a real left Ctrl does
config [general]\nupbind = 0xA2\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA2, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
tick                        => idle
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
WM_KEYDOWN 0xA2 scan=0x1D   => swallowed
tick                        => notch +120
WM_KEYUP 0xA2 scan=0x1D     => swallowed

## Numpad 8 pressed as Up, repeating as Numpad 8 once Shift is let go: the game saw it go down, so it sees it come up; and the other way round
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
WM_KEYUP 0x68 scan=0x48     => passed
tick                        => idle
WM_KEYDOWN 0x68 scan=0x48   => passed
WM_KEYDOWN 0xA0 scan=0x2A   => passed
WM_KEYDOWN 0x26 scan=0x48   => swallowed
tick                        => notch +120
WM_KEYUP 0x26 scan=0x48     => passed
tick                        => idle
WM_KEYUP 0xA0 scan=0x2A     => passed

## a general code binds both its keys: either Shift scrolls and the game sees neither, for as long as one is held; Shift pressed is no dropped hook
config [general]\nupbind = 0x10\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, claim 0xA0, claim 0xA1, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch +120
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
WM_KEYUP 0xA0 scan=0x2A     => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36     => swallowed
tick                        => idle
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
wait 250
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
WM_KEYUP 0xA1 scan=0x36     => swallowed
wait 250
tick                        => notch -120

## a key the other bind names itself is that bind's; the general code keeps the other key
config [general]\nupbind = 0x10\ndownbind = 0xA0\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA0 scan=0x2A   => swallowed
tick                        => notch -120
WM_KEYUP 0xA0 scan=0x2A     => swallowed
WM_KEYDOWN 0xA1 scan=0x36   => swallowed
tick                        => notch +120
WM_KEYUP 0xA1 scan=0x36     => swallowed
WM_KEYDOWN 0x10             => swallowed
tick                        => notch +120
WM_KEYUP 0x10               => swallowed

## Alt and Ctrl by their general codes; AltGr's Ctrl goes with its Right Alt, never with a Ctrl bind
config [general]\nupbind = 0x12\ndownbind = 0x11\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA2, claim 0xA3, claim 0xA4, claim 0xA5, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_SYSKEYDOWN 0xA4 scan=0x38 => swallowed
tick                        => notch +120
WM_SYSKEYUP 0xA4 scan=0x38  => swallowed
WM_KEYDOWN 0xA3 scan=0x1D flags=1 => swallowed
tick                        => notch -120
WM_KEYUP 0xA3 scan=0x1D flags=1 => swallowed
WM_KEYDOWN 0xA2 scan=0x21D  => swallowed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => swallowed
tick                        => notch +120
WM_KEYUP 0xA2 scan=0x21D    => swallowed
WM_KEYUP 0xA5 scan=0x38 flags=1 => swallowed
tick                        => idle

## with only Ctrl bound by its general code, AltGr passes and does not scroll
config [general]\ndownbind = 0x11\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0xA2, claim 0xA3, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_SYSKEYDOWN 0xA5 scan=0x38 flags=1 => passed
tick                        => idle
wait 250
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
wait 250

## keys without a scan code (injected) are told apart by their codes
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
cursor panel
WM_KEYDOWN 0x27             => passed
cursor game
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
WM_KEYUP 0x26               => swallowed
WM_KEYUP 0x27               => passed
