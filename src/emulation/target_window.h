#pragma once

#include <string_view>

// The window class of the game engine's main window, and the title of the one game of that
// engine whose input is handled.
inline constexpr std::u16string_view TargetWindowClass = u"LaunchUnrealUWindowsClient";
inline constexpr std::u16string_view TargetWindowTitle = u"Velto";

// Whether bound input is to be acted on now: the window under the cursor is the foreground window
// itself (not a child of it), and that window is not another game of the same engine.
// Stateless; safe on any thread.
bool isTargetActive();
