# The gate: bound input is acted on only while the window the platform reports at the pointer is
# the window in front itself, and that window is not a game of the engine with another title.
# Each case presses and releases a bound key in each situation. See keys.t for the form of a case.

## the game's window, and what is not the game
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window panel Panel
window desktop Desktop
window velto2 LaunchUnrealUWindowsClient Velto2
window lower LaunchUnrealUWindowsClient velto
window prefix LaunchUnrealUWindowsClient Velt
window untitled LaunchUnrealUWindowsClient
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
focus game
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed
cursor panel
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
cursor desktop
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus velto2
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus lower
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus prefix
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus untitled
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed

## windows of any other class pass, whatever their title, but not over their child windows
config [general]\nupbind = 0x26\n
window notepad Notepad Velto2
window edit Edit
window folded launchunrealuwindowsclient velto
window longer LaunchUnrealUWindowsClientX x
window cut LaunchUnrealUWindowsClient_ABCDEFGHIJKLMNOP x
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
focus notepad
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed
cursor edit
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
focus folded
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed
focus longer
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed
focus cut
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed

## no window in front: the gate passes only where the platform reports no window either
config [general]\nupbind = 0x26\n
window desktop Desktop
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
focus none
WM_KEYDOWN 0x26             => swallowed
WM_KEYUP 0x26               => swallowed
cursor desktop
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed

## a pointer whose position cannot be read fails the gate
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
cursor unreadable
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => passed
WM_KEYUP 0x26               => passed
