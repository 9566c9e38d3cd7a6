# The scroll pump: each tick of the timer sends one notch for the held direction, while the gate
# passes. See keys.t for the form of a case.

## with nothing held, a tick asks the window system nothing
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
tick                        => idle
tick                        => idle

## the pointer leaving the game ends scrolling until the bind is pressed again
config [general]\nupbind = 5\n
window game LaunchUnrealUWindowsClient Velto
window desktop Desktop
focus game
start                       => claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch +120
cursor desktop
tick                        => nothing
tick                        => idle
cursor game
tick                        => idle
WM_XBUTTONUP data=0x10000   => passed
WM_XBUTTONDOWN data=0x10000 => swallowed
tick                        => notch +120
WM_XBUTTONUP data=0x10000   => swallowed

## the game losing the foreground ends scrolling the same way
config [general]\ndownbind = 0x28\n
window game LaunchUnrealUWindowsClient Velto
window notepad Notepad
focus game
start                       => claim 0x28, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x28             => swallowed
tick                        => notch -120
focus notepad
cursor game
tick                        => nothing
focus game
tick                        => idle
WM_KEYDOWN 0x28             => swallowed
tick                        => notch -120

## released outside the gate, back over the game before the next tick: no runaway scrolling
config [general]\ninterval = 100\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 100 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
cursor panel
WM_KEYUP 0x26               => passed
cursor game
tick                        => idle
tick                        => idle
