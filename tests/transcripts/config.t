# Loading a configuration file: each `load` line holds the bytes of a file named VeltoMacro.ini
# (C escapes: \n \r \t \0 \\ \xHH), `loadfile` names a file of the repository and what is added at
# its end, and the answer is what loading ends in: the settings, or the message.

## The sample that ships: the Up and Down arrows, 200 notches a second; a bind's line added, not changed
loadfile VeltoMacro.ini     => interval 5, up 38, down 40
loadfile VeltoMacro.ini downbind = 0x05\n => VeltoMacro.ini:25: Scroll down key bind specified twice.

## Records: comments, blank lines and whitespace
load [general]\nupbind = 38 => interval 5, up 38, down 0
load [general]\r\nupbind = 38\r\n => interval 5, up 38, down 0
load \n  ; note\n \t \n[general]\n\nupbind = 1\n\n => interval 5, up 1, down 0
load [general] ; section\nupbind = 38 ; comment\n => interval 5, up 38, down 0
load [GENERAL]\nUPBIND = 38\nInterval = 7\n => interval 7, up 38, down 0
load \t[general]\t\n\tupbind\t=\t38\t\n => interval 5, up 38, down 0
load \x01\x00[general]\x1f\nupbind\x1a=\x0038\x00\r\n => interval 5, up 38, down 0
load [general]\nupbind = 38\x7f\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load \x1a[general]\x1a\r\r\nupbind = 38\n => interval 5, up 38, down 0
load [general]\n!upbind = 38\n => VeltoMacro.ini:2: Invalid key/value pair.
load [general]\nupbind = 38!\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load [general]\n\x80upbind = 38\n => VeltoMacro.ini:2: Invalid key/value pair.
load [general]\nupbind = 38\xff\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load [general]\nup bind = 38\n => VeltoMacro.ini:2: Invalid key/value pair.
load [general]\nupbind = 38 = 6\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.

## Records: lines that are neither a section nor a key and value
load [\n                    => VeltoMacro.ini:1: Invalid section name. Starts with '[' but does not end with ']'.
load \n[general\n           => VeltoMacro.ini:2: Invalid section name. Starts with '[' but does not end with ']'.
load [gen;eral]\n           => VeltoMacro.ini:1: Invalid section name. Starts with '[' but does not end with ']'.
load [general]\rupbind = 5\n => VeltoMacro.ini:1: Invalid section name. Starts with '[' but does not end with ']'.
load []\n                   => VeltoMacro.ini:1: Empty key string.
load [general]\nupbind\n    => VeltoMacro.ini:2: Expected '=' followed by a value but found nothing.
load [general]\nupbind ; = 38\n => VeltoMacro.ini:2: Expected '=' followed by a value but found nothing.
load \xef\xbb\xbf[general]\nupbind = 38\n => VeltoMacro.ini:1: Expected '=' followed by a value but found nothing.
load \xff\xfe\x5b\x00\x67\x00\x65\x00\x6e\x00\x65\x00\x72\x00\x61\x00\x6c\x00\x5d\x00\x0d\x00\x0a\x00\x75\x00\x70\x00\x62\x00\x69\x00\x6e\x00\x64\x00\x20\x00\x3d\x00\x20\x00\x33\x00\x38\x00\x0d\x00\x0a\x00 => VeltoMacro.ini:1: Expected '=' followed by a value but found nothing.
load \xfe\xff\x00\x5b\x00\x67\x00\x65\x00\x6e\x00\x65\x00\x72\x00\x61\x00\x6c\x00\x5d\x00\x0d\x00\x0a\x00\x75\x00\x70\x00\x62\x00\x69\x00\x6e\x00\x64\x00\x20\x00\x3d\x00\x20\x00\x33\x00\x38\x00\x0d\x00\x0a => VeltoMacro.ini:1: Expected '=' followed by a value but found nothing.
load [general]\nupbind =\n  => VeltoMacro.ini:2: Empty value string.
load [general]\n; x\nupbind = ; note\n => VeltoMacro.ini:3: Empty value string.
load [general]\n=\n         => VeltoMacro.ini:2: Empty value string.
load [general]\n=5\n        => VeltoMacro.ini:2: Empty key string.
load [general]\n = 5\n      => VeltoMacro.ini:2: Empty key string.

## Structure: one [general] section first, and only its three keys
load                        => VeltoMacro.ini:0: Expected [general] section.
load ;a\n;b\n;c\n           => VeltoMacro.ini:3: Expected [general] section.
load upbind = 38\n[general]\n => VeltoMacro.ini:1: Expected [general] section.
load [main]\nupbind = 38\n  => VeltoMacro.ini:1: Expected [general] section.
load [ general ]\nupbind = 38\n => VeltoMacro.ini:1: Expected [general] section.
load [general]\nupbind = 38\n[general]\n => VeltoMacro.ini:3: Unexpected section.
load [general]\nupbind = 38\nspeed = 3\n => VeltoMacro.ini:3: Invalid key/value pair.
load [general]              => VeltoMacro.ini:1: No key was bound to either scroll direction.
load [general]\ninterval = 5\n; note\n\n\n => VeltoMacro.ini:5: No key was bound to either scroll direction.
load [general]\nupbind = 38\ndownbind = 0x26\n\n; end\n => VeltoMacro.ini:5: Scroll up and scroll down both have the same binding.
load [general]\ndownbind = 40\n => interval 5, up 0, down 40
load [general]\ninterval = 10\nupbind = 0x26\ndownbind = 40 ; down arrow\n => interval 10, up 38, down 40

## Each key at most once, the first second line failing whatever its value
load [general]\ninterval = 5\nupbind = 1\ninterval = 5\n => VeltoMacro.ini:4: Event interval specified twice.
load [general]\nupbind = 38\nupbind = 38\n => VeltoMacro.ini:3: Scroll up key bind specified twice.
load [general]\ndownbind = 38\ndownbind = 39\n => VeltoMacro.ini:3: Scroll down key bind specified twice.
load [general]\nupbind = 38\nupbind = x\n => VeltoMacro.ini:3: Scroll up key bind specified twice.

## Numbers: decimal, or hexadecimal after 0x, and nothing after them
load [general]\nupbind = 254\ndownbind = 1\n => interval 5, up 254, down 1
load [general]\nupbind = 0xFE\ndownbind = 0X1f\n => interval 5, up 254, down 31
load [general]\nupbind = 0038\ndownbind = 0x0028\n => interval 5, up 38, down 40
load [general]\ninterval = 0000000010\nupbind = 1\n => interval 10, up 1, down 0
load [general]\ninterval = 4294967295\nupbind = 1\n => interval 4294967295, up 1, down 0
load [general]\ninterval = 0xFFFFFFFF\nupbind = 1\n => interval 4294967295, up 1, down 0
load [general]\ninterval = 0\n => VeltoMacro.ini:2: Invalid value for the event interval.
load [general]\ninterval = 5ms\n => VeltoMacro.ini:2: Invalid value for the event interval.
load [general]\ninterval = 1 0\n => VeltoMacro.ini:2: Invalid value for the event interval.
load [general]\nupbind = 0\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load [general]\nupbind = 255\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load [general]\nupbind = 00x26\n => VeltoMacro.ini:2: Invalid value for scroll up key bind.
load [general]\ndownbind = 0x100\n => VeltoMacro.ini:2: Invalid value for scroll down key bind.
load [general]\ndownbind = 40a\n => VeltoMacro.ini:2: Invalid value for scroll down key bind.
load [general]\nupbind = 0x 26\n => VeltoMacro.ini:2: Invalid argument
load [general]\nupbind = 0xG\n => VeltoMacro.ini:2: Invalid argument
load [general]\ninterval = 0x\n => VeltoMacro.ini:2: Invalid argument
load [general]\ninterval = -5\n => VeltoMacro.ini:2: Invalid argument
load [general]\nupbind = +1\n => VeltoMacro.ini:2: Invalid argument
load [general]\ndownbind = x12\n => VeltoMacro.ini:2: Invalid argument
load [general]\ninterval = 4294967296\n => VeltoMacro.ini:2: Numerical result out of range
load [general]\ninterval = 99999999999x\n => VeltoMacro.ini:2: Numerical result out of range
load [general]\n\nupbind = 4294967296\n => VeltoMacro.ini:3: Numerical result out of range
load [general]\nupbind = 0x100000000\n => VeltoMacro.ini:2: Numerical result out of range
