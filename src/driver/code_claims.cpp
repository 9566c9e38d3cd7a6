#include "code_claims.h"

#include "emulation/bound_keys.h"
#include "emulation/held_directions.h"
#include "platform/platform_error.h"

#include <array>
#include <stdexcept>
#include <string>

namespace {

using namespace DesktopPlatform;

std::array<HANDLE, 4> Claims{}; // both keys of both directions at most

} // namespace

void claimCodes() {
    std::size_t held = 0;
    for (const std::uint32_t direction : {DownHeld, UpHeld}) {
        for (const BindCode code : directionKeys(direction)) {
            if (code == 0) {
                continue;
            }
            const std::string name = "Local\\VeltoMacro.code." + hex(code);
            const std::u16string wide(name.begin(), name.end());
            const HANDLE claim = CreateMutexW(nullptr, false, wide.c_str());
            const DWORD error = GetLastError();
            if (claim != nullptr) {
                Claims[held++] = claim;
            }
            // Held by a copy with more rights, the claim cannot even be opened: taken all the same.
            if ((claim != nullptr && error == ERROR_ALREADY_EXISTS) ||
                (claim == nullptr && error == ERROR_ACCESS_DENIED)) {
                throw std::runtime_error("Another copy is running with " + hex(code) +
                                         " bound: close that copy first.");
            }
            if (claim == nullptr) {
                throw PlatformError(error);
            }
        }
    }
}

void releaseClaims() {
    for (HANDLE& claim : Claims) {
        if (claim != nullptr) {
            CloseHandle(claim);
            claim = nullptr;
        }
    }
}
