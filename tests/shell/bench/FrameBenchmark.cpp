// Prints the cost of one frame of the real shell on the test backend: a screen that repaints on
// every 10 ms tick (full background copy, text in both fonts, the copy to the window and its
// presentation) of the main menu, run for 2000 ticks of virtual time.
#include <chrono>
#include <cstdio>

#include "platform/testing/TestBackend.h"
#include "screens/menus/MainMenu.h"
#include "shell/ShellState.h"
#include "tests/support/ScratchFolder.h"

namespace {

inline constexpr int TICKS = 2000;

// Draws what the main menu draws, on every tick.
class RepaintingScreen final : public Screen {
  public:
    int onTimer(HWND window, WPARAM, LPARAM, std::unique_ptr<Screen>&) override {
        ++ticks;
        invalidate(window, 0);
        return 0;
    }
    int draw(HWND window, WPARAM wParam, LPARAM lParam, HDC offscreen,
             std::unique_ptr<Screen>& current) override {
        return picture.draw(window, wParam, lParam, offscreen, current);
    }
    static inline int ticks = 0;

  private:
    MainMenu picture;
};

}  // namespace

int main() {
    const ScratchFolder folder;  // the run's settings file stays out of the player's
    auto& backend = veskar::platform::TestBackend::reset();
    backend.at(0, [] { currentScreen = std::make_unique<RepaintingScreen>(); });
    backend.requestClose(TICKS * 10 + 5);
    const auto start = std::chrono::steady_clock::now();
    const int status = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double milliseconds = std::chrono::duration<double, std::milli>(elapsed).count();
    std::printf("frames: %d presented, %d ticks\n", backend.presentCount(), RepaintingScreen::ticks);
    std::printf("frame cost: %.3f ms per repainted tick (%.1f%% of the 10 ms frame budget)\n",
                milliseconds / RepaintingScreen::ticks,
                100.0 * milliseconds / RepaintingScreen::ticks / 10.0);
    return status;
}
