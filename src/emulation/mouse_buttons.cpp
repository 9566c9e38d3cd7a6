#include "mouse_buttons.h"

MouseButtonEvent mouseButtonEvent(DesktopPlatform::WPARAM message,
                                  const DesktopPlatform::MSLLHOOKSTRUCT& record) {
    using namespace DesktopPlatform;
    const BindCode extraButton = (record.mouseData >> 16) + 4; // first extra 5, second extra 6
    switch (message) {
    case WM_LBUTTONDOWN:
        return {1, true};
    case WM_LBUTTONUP:
        return {1, false};
    case WM_RBUTTONDOWN:
        return {2, true};
    case WM_RBUTTONUP:
        return {2, false};
    case WM_MBUTTONDOWN:
        return {4, true};
    case WM_MBUTTONUP:
        return {4, false};
    case WM_XBUTTONDOWN:
        return {extraButton, true};
    case WM_XBUTTONUP:
        return {extraButton, false};
    default:
        return {0, false};
    }
}

bool isMouseCode(BindCode code) {
    return code == 1 || code == 2 || code == 4 || code == 5 || code == 6;
}

bool isKeyboardCode(BindCode code) {
    return code == 3 || code >= 7;
}
