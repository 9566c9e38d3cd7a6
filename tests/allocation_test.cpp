// The hook procedures sit in the path of every input event of the desktop, and the pump runs on
// the timer service's thread: neither may allocate.
#include "emulation/scroll_pump.h"
#include "support/desktop_test.h"
#include "support/sanitizers.h"

// Sanitizers bring their own global operator new; the count is taken in plain builds.
#if !defined(VELTO_SANITIZED)

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace DesktopPlatform;

TEST_F(DesktopTest, HookProceduresAndPumpAllocateNothing) {
    const auto game = focusGame();
    const auto other = addOtherWindow();
    CurrentSettings = {5, 0x26, 1};
    FakeDesktop::state().sent.reserve(64); // the fake's own record of sent input
    KBDLLHOOKSTRUCT key{0x26, 0, 0, 0, 0};
    KBDLLHOOKSTRUCT unboundKey{0x41, 0, 0, 0, 0};
    MSLLHOOKSTRUCT button{{1, 1}, 0, 0, 0, 0};
    const auto keyEvent = [](KBDLLHOOKSTRUCT& event, WPARAM message) {
        return keyboardHookProc(0, message, reinterpret_cast<LPARAM>(&event));
    };
    const auto mouseEvent = [&button](WPARAM message) {
        return mouseHookProc(0, message, reinterpret_cast<LPARAM>(&button));
    };

    const long before = allocations;
    for (const HWND under : {game, other}) {
        FakeDesktop::focus(game, under);
        keyEvent(key, WM_KEYDOWN);
        pumpTick(1, 0, 0, 0, 0);
        keyEvent(key, WM_KEYUP);
        keyEvent(unboundKey, WM_KEYDOWN);
        mouseEvent(WM_LBUTTONDOWN);
        mouseEvent(WM_MOUSEMOVE);
        pumpTick(1, 0, 0, 0, 0);
        mouseEvent(WM_LBUTTONUP);
        pumpTick(1, 0, 0, 0, 0);
    }
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(FakeDesktop::sentInputs().size(), 2u); // the events did their work

    // The counter itself works.
    const long counted = allocations;
    void* volatile memory = ::operator new(16);
    ::operator delete(memory);
    EXPECT_EQ(allocations - counted, 1);
}

} // namespace

#endif
