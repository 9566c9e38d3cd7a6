#include "platform_error.h"

namespace {

bool isTrailingJunk(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\0';
}

} // namespace

std::string systemErrorText(DesktopPlatform::DWORD code) {
    using namespace DesktopPlatform;
    // System messages are a few hundred bytes at most; some systems refuse buffers of 32 KiB
    // and more outright.
    std::string text(4096, '\0');
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text.data(), static_cast<DWORD>(text.size()), nullptr);
    text.resize(length);
    while (!text.empty() && isTrailingJunk(text.back())) {
        text.pop_back();
    }
    return text.empty() ? "unknown error" : text;
}

PlatformError::PlatformError(DesktopPlatform::DWORD code)
    : std::system_error(static_cast<int>(code), std::system_category()),
      text(systemErrorText(code)) {}

void raiseLastError() {
    throw PlatformError(DesktopPlatform::GetLastError());
}
