#pragma once

#include "platform/desktop_platform.h"

#include <string_view>

// The window class of the game engine's main window, and the title of the one game of that
// engine whose input is handled.
inline constexpr std::u16string_view TargetWindowClass = u"LaunchUnrealUWindowsClient";
inline constexpr std::u16string_view TargetWindowTitle = u"Velto";

// Why bound input is or is not acted on at a moment.
enum class GateReason {
    ActsHere,       // the pointer is over the window in front itself
    InsideWindow,   // over a window inside the one in front (a panel, an overlay)
    OtherWindow,    // over another window than the one in front
    OtherTitle,     // the window in front is another game of the engine
    NoWindow,       // over no window at all
    PointerUnknown, // the pointer's position cannot be read
};

struct GateVerdict {
    static constexpr int TitleCapacity = 35;

    GateReason reason;
    DesktopPlatform::HWND foreground;
    DesktopPlatform::HWND underPointer; // the top-level window there, if it was asked
    // The engine window's title, for OtherTitle only: its first TitleCapacity - 1 characters.
    DesktopPlatform::WCHAR title[TitleCapacity];
    int titleLength;

    bool actsHere() const { return reason == GateReason::ActsHere; }
};

// The gate at this moment: bound input is acted on only over the window in front itself (not a
// window inside it), and only if that window is not another game of the same engine. Stateless,
// allocates nothing; safe on any thread.
GateVerdict gateVerdict();

// Whether bound input is to be acted on now: gateVerdict().actsHere().
bool isTargetActive();
