#include "target_window.h"

namespace {

bool equals(const DesktopPlatform::WCHAR* text, int length, std::u16string_view expected) {
    // A negative length never equals a size, so it needs no check of its own.
    return static_cast<std::size_t>(length) == expected.size() &&
           std::u16string_view(text, expected.size()) == expected;
}

} // namespace

GateVerdict gateVerdict() {
    using namespace DesktopPlatform;
    GateVerdict verdict{GateReason::ActsHere, GetForegroundWindow(), nullptr, {}, 0};
    WCHAR* const buffer = verdict.title;
    constexpr int Capacity = GateVerdict::TitleCapacity;

    if (equals(buffer, GetClassNameW(verdict.foreground, buffer, Capacity), TargetWindowClass)) {
        verdict.titleLength = GetWindowTextW(verdict.foreground, buffer, Capacity);
        if (!equals(buffer, verdict.titleLength, TargetWindowTitle)) {
            verdict.reason = GateReason::OtherTitle;
            return verdict;
        }
    }
    POINT cursor;
    if (!GetCursorPos(&cursor)) {
        verdict.reason = GateReason::PointerUnknown;
        return verdict;
    }
    const HWND atCursor = WindowFromPoint(cursor);
    verdict.underPointer = atCursor;
    if (atCursor != verdict.foreground) {
        verdict.underPointer = GetAncestor(atCursor, GA_ROOT);
        verdict.reason = atCursor == nullptr                          ? GateReason::NoWindow
                         : verdict.underPointer == verdict.foreground ? GateReason::InsideWindow
                                                                      : GateReason::OtherWindow;
    }
    return verdict;
}

bool isTargetActive() {
    return gateVerdict().actsHere();
}
