# Mouse binds. Buttons are named by their virtual-key codes: left 1, right 2, middle 4, and the
# extra buttons by the upper half of `data` plus 4. Moves, wheels and double-clicks name nothing.
# See keys.t for the form of a case.

## left and right buttons
config [general]\nupbind = 1\ndownbind = 2\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x02, claim 0x01, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_LBUTTONDOWN              => swallowed
WM_MOUSEMOVE                => passed
tick                        => notch +120
WM_LBUTTONUP                => swallowed
WM_RBUTTONDOWN              => swallowed
tick                        => notch -120
WM_RBUTTONUP                => swallowed
tick                        => idle
WM_MBUTTONDOWN              => passed
WM_XBUTTONDOWN data=0x10000 => passed
WM_LBUTTONDBLCLK            => passed

## the middle and the second extra button; an extra button's lower half means nothing
config [general]\nupbind = 4\ndownbind = 6\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x06, claim 0x04, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_MBUTTONDOWN              => swallowed
tick                        => notch +120
WM_MBUTTONUP                => swallowed
WM_XBUTTONDOWN data=0x2FFFF => swallowed
tick                        => notch -120
WM_XBUTTONUP data=0x20000   => swallowed
WM_XBUTTONDOWN data=0x10000 => passed
WM_RBUTTONDOWN              => passed

## an extra button whose upper half is 0 has the middle button's code
config [general]\nupbind = 4\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x04, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0       => swallowed
tick                        => notch +120
WM_XBUTTONUP data=0         => swallowed

## the first extra button alone
config [general]\nupbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch +120
WM_XBUTTONUP data=0x10000   => swallowed
WM_XBUTTONDOWN data=0x20000 => passed

## an extra button beyond the second: its upper half plus 4, whatever it holds
config [general]\nupbind = 7\ndownbind = 1\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x01, claim 0x07, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x30000 => swallowed
WM_XBUTTONUP data=0x30000   => swallowed

## moves and wheels pass, the pump's own notches among them
config [general]\nupbind = 4\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x04, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_MBUTTONDOWN              => swallowed
WM_MOUSEMOVE data=0x10000   => passed
WM_MOUSEWHEEL data=0x780000 => passed
WM_MOUSEHWHEEL data=0x780000 => passed
tick                        => notch +120
WM_MOUSEWHEEL data=0x780000 => passed
WM_MBUTTONUP                => swallowed
WM_MBUTTONDOWN nCode=-1     => passed

## a bound left button swallows every click where the gate passes, in any window of another class
config [general]\nupbind = 1\n
window notepad Notepad Untitled - Notepad
window text Edit
focus notepad
start                       => claim 0x01, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_LBUTTONDOWN              => swallowed
WM_LBUTTONUP                => swallowed
cursor text
WM_LBUTTONDOWN              => passed
WM_LBUTTONUP                => passed

## pressed over a child window and released over the game: the game sees the release
config [general]\nupbind = 5\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
cursor panel
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => passed
cursor game
WM_XBUTTONUP data=0x10000   => passed
tick                        => idle

## the middle button pressed and let go while a side button scrolls: each button is its own
config [general]\ndownbind = 5\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch -120
WM_MBUTTONDOWN              => passed
WM_XBUTTONUP data=0x10000   => swallowed
WM_MBUTTONUP                => passed
tick                        => idle
