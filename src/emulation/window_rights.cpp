#include "window_rights.h"

bool hasMoreRights(DesktopPlatform::HWND window) {
    using namespace DesktopPlatform;
    DWORD processId = 0, theirs = 0, ours = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return false;
    }
    // A window's program keeps its rights: its token is read once, not at every look (opening
    // the game's process four times a second would be needless, and anti-cheat may watch it).
    static HWND lastWindow = nullptr;
    static DWORD lastProcess = 0;
    static bool lastAnswer = false;
    if (window != lastWindow || processId != lastProcess) {
        lastWindow = window;
        lastProcess = processId;
        lastAnswer = !processIntegrityLevel(processId, theirs) ||
                     (processIntegrityLevel(GetCurrentProcessId(), ours) && theirs > ours);
    }
    return lastAnswer;
}
