# Start-up and failures: the file the program reads, the hooks its binds need, the timer, the
# message loop, and the report of a failure ("report" is what standard error receives, then how
# many bytes of standard input were read, and the exit code). See keys.t for the form of a case;
# `args` are the command line's arguments, `stdin` what standard input holds (a line feed unless
# given), `refuse` makes the platform refuse a hook or the timer, `text` is the system's text for
# an error code.

## two keys: the keyboard hook only, then the timer at the configured interval
config [general]\ninterval = 10\nupbind = 0x26\ndownbind = 0x28\n
start                       => claim 0x28, claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 10 ms

## the extra buttons: the mouse hook only
config [general]\nupbind = 5\ndownbind = 6\n
start                       => claim 0x06, claim 0x05, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## a button and a key: both hooks, the mouse hook first either way
config [general]\nupbind = 1\ndownbind = 40\n
start                       => claim 0x28, claim 0x01, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## a key and a button
config [general]\nupbind = 40\ndownbind = 1\n
start                       => claim 0x01, claim 0x28, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## code 3 and codes from 7 up are keys
config [general]\ndownbind = 3\nupbind = 7\n
start                       => claim 0x03, claim 0x07, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## the right button
config [general]\nupbind = 2\n
start                       => claim 0x02, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## the middle button alone
config [general]\nupbind = 4\n
start                       => claim 0x04, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## the second extra button alone
config [general]\nupbind = 6\n
start                       => claim 0x06, hook mouse, raw input mouse, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## a code another copy in the session binds: refused before any hook, and holding no claim while it waits
config [general]\nupbind = 0x26\ndownbind = 5\n
copy 0x26
start                       => claim 0x05, claim 0x26 taken, unclaim 0x05, unclaim 0x26, report "Error: Another copy is running with 0x26 bound: close that copy first.\n\nPress Enter to exit...\n", read 1, exit 1

## a general code covers both its keys; a claim made by a copy with more rights cannot be read, and counts as taken
config [general]\nupbind = 0x10\n
copy 0xA1 elevated
start                       => claim 0xA0, claim 0xA1 refused 5, unclaim 0xA0, report "Error: Another copy is running with 0xA1 bound: close that copy first.\n\nPress Enter to exit...\n", read 1, exit 1

## a code's name taken by another kind of object: the system's reason, and no claim held
config [general]\nupbind = 0x26\ndownbind = 5\n
copy 0x26 other
text 6 The handle is invalid.\r\n
start                       => claim 0x05, claim 0x26 refused 6, unclaim 0x05, report "Error: The handle is invalid.\n\nPress Enter to exit...\n", read 1, exit 1

## copies whose binds differ run side by side
config [general]\nupbind = 0x10\ndownbind = 0xA0\n
copy 0x26
copy 0x05
start                       => claim 0xA0, claim 0xA1, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms

## its console window closed: it ends itself at the next check, with Windows' code for a closed console
config [general]\nupbind = 0x26\n
window game LaunchUnrealUWindowsClient Velto
window console ConsoleWindowClass
console-window console
focus game
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms, priority 15, no power throttling, timer 5 ms
WM_KEYDOWN 0x26             => swallowed
tick                        => notch +120
wait 250
destroy console
tick                        => notch +120
wait 250                    => exit 0xC000013A
tick                        => (not reached)

## no argument: VeltoMacro.ini in the working folder
config [general]\nupbind = 256\n
start                       => report "Error: VeltoMacro.ini:2: Invalid value for scroll up key bind.\n\nPress Enter to exit...\n", read 1, exit 1

## the first argument names the file; further ones are ignored
args other.ini extra
config [general]\n\nupbind = 0\n
start                       => report "Error: other.ini:3: Invalid value for scroll up key bind.\n\nPress Enter to exit...\n", read 1, exit 1

## a file that cannot be opened; the report waits for one byte of input
args missing.ini
stdin ab
start                       => report "Error: Unable to open configuration file: missing.ini\n\nPress Enter to exit...\n", read 1, exit 1

## an empty path is quoted as it is; input at its end ends the wait
args ""
stdin
start                       => report "Error: Unable to open configuration file: \n\nPress Enter to exit...\n", read 0, exit 1

## a refused hook: the hooks installed before it are released before the report
config [general]\nupbind = 1\ndownbind = 40\n
refuse keyboard 5
text 5 Access is denied.\r\n
start                       => claim 0x28, claim 0x01, hook mouse, hook keyboard refused, unhook mouse, unclaim 0x28, unclaim 0x01, report "Error: Access is denied.\n\nPress Enter to exit...\n", read 1, exit 1

## the system's text, without trailing blanks of any kind
config [general]\nupbind = 5\n
refuse mouse 1428
text 1428 Cannot set nonlocal hook without a module handle. \t\0\r\n\0
start                       => claim 0x05, hook mouse refused, unclaim 0x05, report "Error: Cannot set nonlocal hook without a module handle.\n\nPress Enter to exit...\n", read 1, exit 1

## inner line ends and leading blanks of the system's text stay
config [general]\nupbind = 38\n
refuse keyboard 1400
text 1400 \x20 Invalid window handle.\r\nTry again.\r\n
start                       => claim 0x26, hook keyboard refused, unclaim 0x26, report "Error:   Invalid window handle.\r\nTry again.\n\nPress Enter to exit...\n", read 1, exit 1

## a code the system has no text for
config [general]\nupbind = 38\n
refuse keyboard 0xE0001234
start                       => claim 0x26, hook keyboard refused, unclaim 0x26, report "Error: unknown error\n\nPress Enter to exit...\n", read 1, exit 1

## a text of blanks only is no text
config [general]\nupbind = 38\n
refuse keyboard 87
text 87 \x20\r\n
start                       => claim 0x26, hook keyboard refused, unclaim 0x26, report "Error: unknown error\n\nPress Enter to exit...\n", read 1, exit 1

## a refused thread timer for the hooks' check: the hooks released, and the system's reason
config [general]\nupbind = 0x26\n
refuse check
text 8 Not enough memory resources are available to process this command.\r\n
start                       => claim 0x26, hook keyboard, raw input keyboard, thread timer 250 ms refused, unhook keyboard, unclaim 0x26, report "Error: Not enough memory resources are available to process this command.\n\nPress Enter to exit...\n", read 1, exit 1

## a refused timer: every hook released, and the interval named
config [general]\ninterval = 70000\nupbind = 2\ndownbind = 0x28\n
refuse timer
start                       => claim 0x28, claim 0x02, hook mouse, hook keyboard, raw input keyboard mouse, thread timer 250 ms, priority 15, no power throttling, timer 70000 ms refused, unhook mouse, unhook keyboard, unclaim 0x28, unclaim 0x02, report "Error: Unable to start the scroll timer with an interval of 70000 milliseconds.\n\nPress Enter to exit...\n", read 1, exit 1

## on a console the report is shown as UTF-8, and the console's own code page comes back after it
config [general]\nupbind = 38\n\xC3\xBCber = 1\n
console
start                       => console code page 65001, console code page 437, report "Error: VeltoMacro.ini:3: Invalid key/value pair.\n\nPress Enter to exit...\n", read 1, exit 1
