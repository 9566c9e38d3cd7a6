# VeltoKeys, the key finder: for each press of a key or mouse button, one line with its name, its
# code, and the line that binds it; nothing swallowed. `keyname` is the system's name for a key,
# by GetKeyNameTextW's argument (the scan code in bits 16-23, the extended-key flag in bit 24).
# Key events take `scan=` and `flags=` (1: extended). See keys.t for the form of a case.

## it starts with what to do, and prints one line per press however long a key is held
keyname 0x1480000 Up
keyname 0x480000 Num 8
keyname 0x1E0000 A
start VeltoKeys             => console code page 65001, hook mouse, hook keyboard, "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   upbind = 0x26"
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x26 scan=0x48 flags=1 => passed, "Up                   38  0x26   upbind = 0x26"
WM_KEYUP 0x26 scan=0x48 flags=1 => passed
WM_KEYDOWN 0x68 scan=0x48   => passed, "Num 8               104  0x68   upbind = 0x68"
WM_KEYUP 0x68 scan=0x48     => passed
WM_SYSKEYDOWN 0x41 scan=0x1E => passed, "A                    65  0x41   upbind = 0x41"
WM_SYSKEYUP 0x41 scan=0x1E  => passed

## left and right modifiers have codes of their own; names follow the user's language
keyname 0x2A0000 Umschalt
keyname 0x1360000 Strg-Rechts
keyname 0x1F0000 \xC3\x96\xE2\x82\xAC\xF0\x9F\x98\x80
start VeltoKeys             => console code page 65001, hook mouse, hook keyboard, "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 0xA0 scan=0x2A   => passed, "Umschalt            160  0xA0   upbind = 0xA0"
WM_KEYDOWN 0xA3 scan=0x36 flags=1 => passed, "Strg-Rechts         163  0xA3   upbind = 0xA3"
WM_KEYDOWN 0xC0 scan=0x1F   => passed, "\xC3\x96\xE2\x82\xAC\xF0\x9F\x98\x80                 192  0xC0   upbind = 0xC0"
WM_KEYDOWN 0xFF scan=0x70   => passed, "Unnamed key         255  0xFF   cannot be bound: codes go from 1 to 254"
WM_KEYDOWN 0 scan=0x71      => passed, "Unnamed key           0  0x00   cannot be bound: codes go from 1 to 254"

## mouse buttons have names of their own; binding the left one is allowed, with a warning
start VeltoKeys             => console code page 65001, hook mouse, hook keyboard, "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_LBUTTONDOWN              => passed, "Left button           1  0x01   upbind = 0x01   (binding it blocks clicking in the game)"
WM_LBUTTONUP                => passed
WM_RBUTTONDOWN              => passed, "Right button          2  0x02   upbind = 0x02"
WM_MBUTTONDOWN              => passed, "Middle button         4  0x04   upbind = 0x04"
WM_XBUTTONDOWN data=0x10000 => passed, "First extra button    5  0x05   upbind = 0x05"
WM_XBUTTONDOWN data=0x20000 => passed, "Second extra button   6  0x06   upbind = 0x06"
WM_XBUTTONDOWN data=0x30000 => passed, "Extra button          7  0x07   cannot be bound: VeltoMacro takes this code for a key"
WM_MOUSEMOVE                => passed
WM_MOUSEWHEEL data=0x780000 => passed
WM_MBUTTONDOWN nCode=-1     => passed

## a key with a button's code cannot be bound
start VeltoKeys             => console code page 65001, hook mouse, hook keyboard, "Press the key or mouse button you want to bind.", "To stop, close this window or press Ctrl+C."
WM_KEYDOWN 1                => passed, "Unnamed key           1  0x01   cannot be bound: VeltoMacro takes this code for a mouse button"
WM_KEYDOWN 6                => passed, "Unnamed key           6  0x06   cannot be bound: VeltoMacro takes this code for a mouse button"

## a refused hook is reported, and the hook before it released
refuse keyboard 5
text 5 Access is denied.\r\n
start VeltoKeys             => console code page 65001, hook mouse, hook keyboard refused, unhook mouse, report "Error: Access is denied.\n\nPress Enter to exit...\n", read 1, exit 1
