# VeltoKeys: it shows the binds of VeltoMacro.ini, then for each press of a key or mouse button one
# line with its name, its code, what VeltoMacro makes of it and whether VeltoMacro acts where it
# was pressed; and the scrolling that arrives from VeltoMacro. It swallows nothing. `keyname` gives
# a key's code, its scan code (0xE0.. for an extended key; Wine leaves the 0xE0 out) and its name.
# Key events take `scan=` and `flags=` (1: extended), wheel events `flags=1` when injected; `wait`
# lets time pass (in milliseconds); `block` and `unblock` hold up and free its printing, as a
# console with a selection in it does. See keys.t for the form of a case.

## the binds, then one line per press however long a key is held
config [general]\ninterval = 10\nupbind = 0x26\ndownbind = 5\n
keyname 0x26 0xE048 Up
keyname 0x68 0x48 Num 8
keyname 0x41 0x1E A
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Up (0x26) scrolls up, First extra button (0x05) scrolls down,", "    a notch every 10 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x68 scan=0x48   => passed, "Num 8               104  0x68   change upbind or downbind to 0x68, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_KEYUP 0x68 scan=0x48     => passed
WM_SYSKEYDOWN 0x41 scan=0x1E => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_SYSKEYUP 0x41 scan=0x1E  => passed
WM_XBUTTONDOWN data=0x10000 => passed, "First extra button    5  0x05   scrolls down   VeltoMacro acts here, in \"Velto\""

## each press says whether VeltoMacro acts where it was pressed, and if not, why
config [general]\nupbind = 0x26\n
keyname 0x41 0x1E A
window game LaunchUnrealUWindowsClient Velto
child panel game Panel
window notepad Notepad
window launcher LaunchUnrealUWindowsClient Velto Launcher
window long LaunchUnrealUWindowsClient A title far longer than thirty-four characters
window untitled LaunchUnrealUWindowsClient
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_KEYUP 0x41 scan=0x1E     => passed
cursor panel
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the pointer is over a panel or overlay inside", "    \"Velto\""
WM_KEYUP 0x41 scan=0x1E     => passed
cursor notepad
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: \"Velto\" is in front, not the window under the", "    pointer: click into the game first"
WM_KEYUP 0x41 scan=0x1E     => passed
cursor none
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: there is no window under the pointer"
WM_KEYUP 0x41 scan=0x1E     => passed
focus launcher
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the window in front is titled \"Velto", "    Launcher\", not \"Velto\""
WM_KEYUP 0x41 scan=0x1E     => passed
focus long
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the window in front is titled \"A title far", "    longer than ...\", not \"Velto\""
WM_KEYUP 0x41 scan=0x1E     => passed
focus untitled
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the window in front is untitled, not \"Velto\""
WM_KEYUP 0x41 scan=0x1E     => passed
focus game
cursor unreadable
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the pointer's position cannot be read"
WM_KEYUP 0x41 scan=0x1E     => passed

## VeltoKeys' own window in front: a key pressed with the pointer elsewhere says to click into the game; a click, which does that itself, does not
config [general]\nupbind = 0x26\n
keyname 0x41 0x1E A
window game LaunchUnrealUWindowsClient Velto
window keys ConsoleWindowClass C:\Games\VeltoKeys.exe
console-window keys
focus keys
cursor game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here, as VeltoKeys' window is in front: click into", "    the game first"
WM_KEYUP 0x41 scan=0x1E     => passed
WM_LBUTTONDOWN              => passed, "Left button           1  0x01   change upbind or downbind to 0x01, add no line", "    (binding it blocks clicking in the game)", "    VeltoMacro does not act on this click: VeltoKeys' window is in front"
WM_LBUTTONUP                => passed
cursor keys
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro would act here, over VeltoKeys' own window: point at the game", "    and click into it"
WM_KEYUP 0x41 scan=0x1E     => passed
focus game
cursor keys
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: the pointer is over VeltoKeys' own window,", "    not over \"Velto\" in front"
WM_KEYUP 0x41 scan=0x1E     => passed
cursor game
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Unnamed key          38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""

## in a terminal, the console is a hidden window the terminal owns, and the terminal's window is VeltoKeys' own
config [general]\nupbind = 0x26\n
keyname 0x41 0x1E A
window game LaunchUnrealUWindowsClient Velto
window terminal CASCADIA_HOSTING_WINDOW_CLASS Windows PowerShell
child content terminal Windows.UI.Composition.DesktopWindowContentBridge
window pseudo PseudoConsoleWindow
console-window pseudo hidden terminal
focus terminal
cursor game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here, as VeltoKeys' window is in front: click into", "    the game first"
WM_KEYUP 0x41 scan=0x1E     => passed
cursor content
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here, over VeltoKeys' own window: point at the game", "    and click into it"

## handed to a terminal without an owner, VeltoKeys cannot tell its own window: it names the one in front
config [general]\nupbind = 0x26\n
keyname 0x41 0x1E A
window game LaunchUnrealUWindowsClient Velto
window terminal CASCADIA_HOSTING_WINDOW_CLASS Windows PowerShell
window pseudo PseudoConsoleWindow
console-window pseudo hidden
focus terminal
cursor game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro does not act here: \"Windows PowerShell\" is in front, not the", "    window under the pointer: click into the game first"
WM_KEYUP 0x41 scan=0x1E     => passed
focus game
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in \"Velto\""

## a window with more rights coming to the front: one line each time, naming it, whether its token can be read or is of a higher level
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
window setup InstallerWindow
elevated setup 0x3000
window notepad Notepad Untitled - Notepad
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "No binds to show: there is no file VeltoMacro.ini.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
wait 100
focus admin
wait 100                    => "The window in front, \"Task Manager\", runs with more rights than VeltoKeys:", "    Windows keeps its keys and buttons from VeltoKeys and VeltoMacro. To use", "    them there, run both as administrator."
wait 100
focus setup
wait 100                    => "The window in front, an untitled window, runs with more rights than VeltoKeys:", "    Windows keeps its keys and buttons from VeltoKeys and VeltoMacro. To use", "    them there, run both as administrator."
focus notepad
wait 100
focus admin
wait 100                    => "The window in front, \"Task Manager\", runs with more rights than VeltoKeys:", "    Windows keeps its keys and buttons from VeltoKeys and VeltoMacro. To use", "    them there, run both as administrator."

## a window with more rights comes to the front at the check that ends a run of notches: both lines, though it is gone by the next
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window admin TaskManagerWindow Task Manager
elevated admin
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 185
focus admin
wait 100                    => "scrolled up: 3 notches in 0.01 s, 200 a second", "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)", "The window in front, \"Task Manager\", runs with more rights than VeltoKeys:", "    Windows keeps its keys and buttons from VeltoKeys and VeltoMacro. To use", "    them there, run both as administrator."
focus game
wait 100

## left and right modifiers have codes of their own; AltGr's Ctrl is part of Right Alt
config [general]\ndownbind = 0xA5\n
keyname 0xA0 0x2A Umschalt
keyname 0xA3 0xE036 Strg-Rechts
keyname 0xA5 0xE038 Alt Gr
keyname 0xC0 0x1F \xC3\x96\xE2\x82\xAC\xF0\x9F\x98\x80
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Alt Gr (0xA5) scrolls down, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0xA0 scan=0x2A   => passed, "Umschalt            160  0xA0   change upbind or downbind to 0xA0, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0xA3 scan=0x36 flags=1 => passed, "Strg-Rechts         163  0xA3   change upbind or downbind to 0xA3, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0xA2 scan=0x21D  => passed
WM_KEYDOWN 0xA5 scan=0x38 flags=1 => passed, "Alt Gr              165  0xA5   scrolls down   VeltoMacro acts here, in \"Velto\""
WM_KEYUP 0xA2 scan=0x21D    => passed
WM_KEYUP 0xA5 scan=0x38 flags=1 => passed
WM_KEYDOWN 0xC0 scan=0x1F   => passed, "\xC3\x96\xE2\x82\xAC\xF0\x9F\x98\x80                192  0xC0   change upbind or downbind to 0xC0, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0xFF scan=0x70   => passed, "Unnamed key         255  0xFF   cannot be bound: codes go from 1 to 254", "    VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0 scan=0x71      => passed, "Unnamed key           0  0x00   cannot be bound: codes go from 1 to 254", "    VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 1                => passed, "Unnamed key           1  0x01", "    cannot be bound: VeltoMacro takes this code for a mouse button", "    (binding it blocks clicking in the game)   VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 6                => passed, "Unnamed key           6  0x06", "    cannot be bound: VeltoMacro takes this code for a mouse button", "    VeltoMacro acts here, in \"Velto\""

## a general code binds both keys of Shift, Ctrl or Alt, but for one the other bind names itself
config [general]\nupbind = 0x10\ndownbind = 0xA1\n
keyname 0xA0 0x2A Shift
keyname 0xA1 0xE036 Right Shift
keyname 0xA2 0x1D Ctrl
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Shift (0x10: 0xA0) scrolls up, Right Shift (0xA1) scrolls down,", "    a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0xA0 scan=0x2A   => passed, "Shift               160  0xA0   scrolls up   VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0xA1 scan=0x36 flags=1 => passed, "Right Shift         161  0xA1   scrolls down   VeltoMacro acts here, in \"Velto\""
WM_KEYDOWN 0xA2 scan=0x1D   => passed, "Ctrl                162  0xA2   change upbind or downbind to 0xA2, add no line", "    VeltoMacro acts here, in \"Velto\""

## and with no other bind, both keys
config [general]\ndownbind = 0x11\n
keyname 0xA2 0x1D Ctrl
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Ctrl (0x11: 0xA2 or 0xA3) scrolls down, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## Alt's general code likewise
config [general]\nupbind = 0x12\n
keyname 0xA4 0x38 Alt
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Alt (0x12: 0xA4 or 0xA5) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## and where the other bind names the left key, the right one
config [general]\nupbind = 0x11\ndownbind = 0xA2\n
keyname 0xA2 0x1D Ctrl
keyname 0xA3 0xE01D Right Ctrl
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Right Ctrl (0x11: 0xA3) scrolls up, Ctrl (0xA2) scrolls down,", "    a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## mouse buttons have names of their own; binding the left one is allowed, with a warning
config [general]\nupbind = 2\n
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Right button (0x02) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_LBUTTONDOWN              => passed, "Left button           1  0x01   change upbind or downbind to 0x01, add no line", "    (binding it blocks clicking in the game)   VeltoMacro acts here, in \"Velto\""
WM_LBUTTONUP                => passed
WM_RBUTTONDOWN              => passed, "Right button          2  0x02   scrolls up   VeltoMacro acts here, in \"Velto\""
WM_MBUTTONDOWN              => passed, "Middle button         4  0x04   change upbind or downbind to 0x04, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_XBUTTONDOWN data=0x10000 => passed, "First extra button    5  0x05   change upbind or downbind to 0x05, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_XBUTTONDOWN data=0x20000 => passed, "Second extra button   6  0x06   change upbind or downbind to 0x06, add no line", "    VeltoMacro acts here, in \"Velto\""
WM_XBUTTONDOWN data=0x30000 => passed, "Extra button          7  0x07", "    cannot be bound: VeltoMacro takes this code for a key", "    VeltoMacro acts here, in \"Velto\""
WM_XBUTTONDOWN data=0xFB0000 => passed, "Extra button        255  0xFF   cannot be bound: codes go from 1 to 254", "    VeltoMacro acts here, in \"Velto\""
WM_XBUTTONDOWN data=0xFC0000 => passed
WM_MOUSEMOVE                => passed
WM_MOUSEWHEEL data=0x780000 => passed
WM_MBUTTONDOWN nCode=-1     => passed

## a file VeltoMacro would refuse: its report, and no binds
config [general]\nupbind = 0x26\nspeed = 3\n
keyname 0x26 0xE048 Up
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro would stop with: Error: VeltoMacro.ini:3: Invalid key/value pair.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   change upbind or downbind to 0x26, add no line", "    VeltoMacro acts here, in an untitled window"

## no file
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "No binds to show: there is no file VeltoMacro.ini.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## the file named by the argument, as for VeltoMacro
args my.ini
config [general]\nupbind = 0x26\n
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "my.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## a report that fits a line of its own, 79 columns with the indent, stays whole on it
args settings-for-the-game-i-play-the-most.ini
config [general]\nupbind = 0x26\nspeed = 3\n
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro would stop with:", "    Error: settings-for-the-game-i-play-the-most.ini:3: Invalid key/value pair.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## wide characters take two columns of the console: this path fills 28 of them
args ᄀ｠ゲー設定ファイルabcd.ini
config [general]\nupbind = 0x26\n
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "\xE1\x84\x80\xEF\xBD\xA0\xE3\x82\xB2\xE3\x83\xBC\xE8\xA8\xAD\xE5\xAE\x9A\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xABabcd.ini: Unnamed key (0x26) scrolls up,", "    a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."

## names of any length and script; keys named as extended by their scan code; the last code there is
config [general]\nupbind = 0xC1\n
keyname 0xC1 0xE059 Extended
keyname 0 0x59 Plain
keyname 0xFE 0x5A \xC4\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xF0\x90\x80\x80-a-name-longer-than-any-name-column-and-cut-by-the-syst\xED\xA0\x80yyyy
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Extended (0xC1) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0xFE scan=0x5A   => passed, "\xC4\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF\xF0\x90\x80\x80-a-name-longer-than-any-name-column-and-cut-by-the-syst\xED\xA0\x80 254  0xFE", "    change upbind or downbind to 0xFE, add no line", "    VeltoMacro acts here, in an untitled window"

## VeltoMacro's notches as they arrive: each run, its length and its rate
config [general]\ninterval = 20\nupbind = 0x26\ndownbind = 0x28\n
keyname 0x26 0xE048 Up
keyname 0x28 0x50 Num 2
keyname 0 0xE050 Down
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Up (0x26) scrolls up, Down (0x28) scrolls down,", "    a notch every 20 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
wait 300                    => "scrolled up: 6 notches in 0.10 s, 50 a second"
WM_MOUSEWHEEL data=0x780000 => passed
wait 300
WM_KEYDOWN 0x28 scan=0x50 flags=1 => passed, "Down                 40  0x28   scrolls down   VeltoMacro acts here, in \"Velto\""
WM_MOUSEWHEEL data=0xFF880000 flags=1 => passed
WM_KEYUP 0x28 scan=0x50 flags=1 => passed
wait 300                    => "scrolled down: 1 notch"
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 20
WM_KEYDOWN 0x28 scan=0x50 flags=1 => passed, "Down                 40  0x28   scrolls down   VeltoMacro acts here, in \"Velto\""
WM_MOUSEWHEEL data=0xFF880000 flags=1 => passed
wait 20
WM_MOUSEWHEEL data=0xFF880000 flags=1 => passed
wait 20
wait 300                    => "scrolled up: 3 notches in 0.04 s, 50 a second"
wait 100                    => "scrolled down: 2 notches in 0.02 s, 50 a second"
wait 100
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 100
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 100
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.20 s, 10 a second", "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)"
wait 150
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 150
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 150
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.30 s, 6.7 a second"
wait 105
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 105
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 105
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.21 s, 9.5 a second"

## notches without a press seen: VeltoKeys started first, and VeltoMacro took the key
config [general]\nupbind = 0x26\n
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.01 s, 200 a second", "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)"
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.01 s, 200 a second"

## a bound key held where VeltoMacro acts, and no notch comes
config [general]\ninterval = 100\nupbind = 0x26\n
keyname 0x26 0xE048 Up
window game LaunchUnrealUWindowsClient Velto
window notepad Notepad
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Up (0x26) scrolls up, a notch every 100 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
wait 300
wait 100                    => "VeltoMacro is not scrolling in this session: it is not running, runs in another", "    session, or has other binds"
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
wait 400
WM_KEYDOWN 0x41 scan=0x1E   => passed, "Unnamed key          65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in \"Velto\""
wait 400
cursor notepad
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   scrolls up   VeltoMacro does not act here:", "    \"Velto\" is in front, not the window under the pointer: click into the game", "    first"
wait 400

## the hint about the order of starting, after a click into the game, since the bound key's own press was not seen
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_LBUTTONDOWN              => passed, "Left button           1  0x01   change upbind or downbind to 0x01, add no line", "    (binding it blocks clicking in the game)   VeltoMacro acts here, in \"Velto\""
WM_LBUTTONUP                => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 5
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 300                    => "scrolled up: 3 notches in 0.01 s, 200 a second", "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)"

## the edges of patience: 200 ms without a notch end a run, or tell that none came, not sooner
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
focus game
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
wait 100
WM_MOUSEWHEEL data=0x780000 flags=1 => passed
wait 100
wait 99
WM_KEYDOWN 0x26             => passed, "Unnamed key          38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
wait 100                    => "scrolled up: 1 notch", "    (start VeltoKeys after VeltoMacro to see the key that scrolls too)"
wait 100
wait 100
WM_KEYUP 0x26               => passed
WM_KEYDOWN 0x26             => passed, "Unnamed key          38  0x26   scrolls up   VeltoMacro acts here, in \"Velto\""
wait 100
wait 100
wait 100                    => "VeltoMacro is not scrolling in this session: it is not running, runs in another", "    session, or has other binds"

## a held-up console holds up nothing but the printing: presses it has no room for are counted
config [general]\nupbind = 0x26\n
keyname 0x41 0x1E A
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms, "VeltoMacro.ini: Unnamed key (0x26) scrolls up, a notch every 5 ms.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
block
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
unblock                     => "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "(1 press not shown)"
block
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
WM_KEYDOWN 0x41 scan=0x1E   => passed
WM_KEYUP 0x41 scan=0x1E     => passed
unblock                     => "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window", "(4 presses not shown)"
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window"
block
WM_KEYDOWN 0x42 scan=0x30   => passed

## the console shows UTF-8 while VeltoKeys runs, and its code page comes back when it is ended
console
keyname 0x41 0x1E A
start VeltoKeys             => console code page 65001, thread, hook mouse, hook keyboard, thread timer 100 ms, "No binds to show: there is no file VeltoMacro.ini.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x41 scan=0x1E   => passed, "A                    65  0x41   change upbind or downbind to 0x41, add no line", "    VeltoMacro acts here, in an untitled window"
ctrl+c                      => console code page 437
WM_KEYDOWN 0x42 scan=0x30   => (not reached)

## and when its window is closed
console
start VeltoKeys             => console code page 65001, thread, hook mouse, hook keyboard, thread timer 100 ms, "No binds to show: there is no file VeltoMacro.ini.", "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
close                       => console code page 437

## a refused thread timer is reported, and the hooks released
refuse check
text 8 Not enough memory resources are available to process this command.\r\n
start VeltoKeys             => thread, hook mouse, hook keyboard, thread timer 100 ms refused, unhook mouse, unhook keyboard, "No binds to show: there is no file VeltoMacro.ini.", report "Error: Not enough memory resources are available to process this command.\n\nPress Enter to exit...\n", read 1, exit 1

## a refused hook is reported, and the hook before it released
refuse keyboard 5
text 5 Access is denied.\r\n
start VeltoKeys             => thread, hook mouse, hook keyboard refused, unhook mouse, "No binds to show: there is no file VeltoMacro.ini.", report "Error: Access is denied.\n\nPress Enter to exit...\n", read 1, exit 1

## a refused printing thread is reported, before any hook is installed
refuse thread
text 8 Not enough memory resources are available to process this command.\r\n
start VeltoKeys             => thread refused, "No binds to show: there is no file VeltoMacro.ini.", report "Error: Not enough memory resources are available to process this command.\n\nPress Enter to exit...\n", read 1, exit 1
