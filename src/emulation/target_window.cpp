#include "target_window.h"

#include "platform/desktop_platform.h"

namespace {

bool equals(const DesktopPlatform::WCHAR* text, int length, std::u16string_view expected) {
    // A negative length never equals a size, so it needs no check of its own.
    return static_cast<std::size_t>(length) == expected.size() &&
           std::u16string_view(text, expected.size()) == expected;
}

} // namespace

bool isTargetActive() {
    using namespace DesktopPlatform;
    constexpr int Capacity = 35;
    WCHAR buffer[Capacity];

    const HWND foreground = GetForegroundWindow();
    if (equals(buffer, GetClassNameW(foreground, buffer, Capacity), TargetWindowClass) &&
        !equals(buffer, GetWindowTextW(foreground, buffer, Capacity), TargetWindowTitle)) {
        return false;
    }
    POINT cursor;
    if (!GetCursorPos(&cursor)) {
        return false;
    }
    return WindowFromPoint(cursor) == foreground;
}
