#include "window_rights.h"

bool hasMoreRights(DesktopPlatform::HWND window) {
    using namespace DesktopPlatform;
    DWORD processId = 0, theirs = 0, ours = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
        return false;
    }
    return !processIntegrityLevel(processId, theirs) ||
           (processIntegrityLevel(GetCurrentProcessId(), ours) && theirs > ours);
}
