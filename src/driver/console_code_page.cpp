#include "console_code_page.h"

#include <atomic>

namespace {

using namespace DesktopPlatform;

// The code page to put back; 0 while the console is as it was. A console control handler reads it
// on a thread of its own.
std::atomic<UINT> SavedCodePage{0};

// Called by the platform when the process is about to be ended from the console; the platform's
// own handling then ends it.
BOOL restoreBeforeTheEnd(DWORD) {
    restoreConsoleCodePage();
    return false;
}

} // namespace

void useUtf8Console(DWORD standardStream) {
    DWORD mode = 0;
    const UINT codePage = GetConsoleOutputCP();
    if (SavedCodePage.load() != 0 || codePage == CP_UTF8 ||
        GetConsoleMode(GetStdHandle(standardStream), &mode) == 0) {
        return;
    }
    SavedCodePage = codePage;
    SetConsoleCtrlHandler(restoreBeforeTheEnd, true);
    SetConsoleOutputCP(CP_UTF8);
}

void restoreConsoleCodePage() {
    const UINT saved = SavedCodePage.exchange(0);
    if (saved != 0) {
        SetConsoleOutputCP(saved);
    }
}
