#pragma once

#include "platform/desktop_platform.h"

// Our texts are UTF-8 (the programs declare it as their code page, so paths and the system's own
// texts are too). While one of them is on a console, the console must show UTF-8; the code page it
// had is put back afterwards, since a command prompt may share the console.

// Switches the console to UTF-8 if the standard stream (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE) is
// a console, once: until restoreConsoleCodePage, and if the process is ended with Ctrl+C or by
// closing its console, until then.
void useUtf8Console(DesktopPlatform::DWORD standardStream);

// Puts back the code page the console had, if useUtf8Console changed it.
void restoreConsoleCodePage();
