#pragma once

#include "desktop_platform.h"

#include <string>
#include <system_error>

// The system's own text for an error code: the message the platform has for it with trailing
// spaces, tabs, line ends and NULs removed, or "unknown error" when it has none.
std::string systemErrorText(DesktopPlatform::DWORD code);

// A failed platform call: a system error in the system category whose whole text is the system's
// text for its code. The standard library's own text for the system category is not used, since
// some runtimes word it differently from the system.
class PlatformError : public std::system_error {
public:
    explicit PlatformError(DesktopPlatform::DWORD code);
    const char* what() const noexcept override { return text.c_str(); }

private:
    std::string text;
};

// Raises the PlatformError of the platform's last error code.
[[noreturn]] void raiseLastError();
