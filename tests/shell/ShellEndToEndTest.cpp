// The real shell on the test backend: the same entry point, window procedure and start-up code as
// the game, driven by scripted keys on the virtual clock, with the presented frames inspected.
#include <gtest/gtest.h>

#include "platform/core/GdiObjects.h"
#include "platform/core/PlatformState.h"
#include "platform/testing/TestBackend.h"
#include "shell/GlobalResources.h"
#include "shell/ShellState.h"
#include "tests/shell/ScratchFolder.h"

using veskar::platform::TestBackend;

namespace {

int runGame() {
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}

struct Counts {
    int keyDowns = 0;
    int keyUps = 0;
    int timers = 0;
    std::vector<WPARAM> keys;
};

// Stands in for the current screen to watch what the shell forwards.
class WatchScreen final : public Screen {
  public:
    explicit WatchScreen(Counts& record) : counts(record) {}
    int onKeyDown(HWND, WPARAM key, LPARAM, std::unique_ptr<Screen>&) override {
        counts.keys.push_back(key);
        return ++counts.keyDowns;
    }
    int onKeyUp(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) override { return ++counts.keyUps; }
    int onTimer(HWND, WPARAM, LPARAM, std::unique_ptr<Screen>&) override { return ++counts.timers; }
    int draw(HWND, WPARAM, LPARAM, HDC, std::unique_ptr<Screen>&) override { return 0; }

  private:
    Counts& counts;
};

// The pixel of a loaded surface, or 0 when outside it.
std::uint32_t surfacePixel(const Surface& surface, int x, int y) {
    if (!surface.loaded || x >= surface.width || y >= surface.height)
        return 0;
    return surface.bitmap->pixels[static_cast<std::size_t>(y) * surface.width + x];
}

// Each run reads and writes its settings file in a folder of its own.
class ShellEndToEnd : public ::testing::Test {
  protected:
    ScratchFolder folder;
};

}  // namespace

TEST_F(ShellEndToEnd, OpensTheCaptionedWindowAndShowsTheFirstScreen) {
    auto& backend = TestBackend::reset();
    bool backgroundShown = false;
    bool glyphShown = true;
    bool loadedWhileRunning = false;
    backend.at(100, [&] {
        loadedWhileRunning = menuBackground.loaded && normalFont.loaded && highlightFont.loaded &&
                             jewelSprites[5].loaded && jewelAnimations[5].width == 192;
        backgroundShown = backend.pixel(20, 440) == surfacePixel(menuBackground, 20, 440) &&
                          backend.pixel(600, 20) == surfacePixel(menuBackground, 600, 20);
        // "> 1 Player Game", the current item, in the highlight font at (205, 35): its first cell is '>'.
        const auto& cell = highlightFont.glyphs['>' - 32];
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 14; ++x) {
                glyphShown = glyphShown && backend.pixel(205 + x, 35 + y) ==
                                               surfacePixel(highlightFont.sheet, cell.x + x, cell.y + y);
            }
        }
    });
    backend.requestClose(200);
    EXPECT_EQ(runGame(), 0);
    EXPECT_EQ(backend.windowTitle(), "VESKAR");
    EXPECT_STREQ(windowClassName, "VESKAR_CLASS");
    EXPECT_EQ(backend.frameWidth(), 634);
    EXPECT_EQ(backend.frameHeight(), 455);
    EXPECT_GT(backend.iconWidth(), 0) << "icon 101 decoded for the window";
    EXPECT_TRUE(loadedWhileRunning);
    EXPECT_TRUE(backgroundShown);
    EXPECT_TRUE(glyphShown);
}

TEST_F(ShellEndToEnd, EscapeOnTheFirstScreenEndsWithStatusZero) {
    auto& backend = TestBackend::reset();
    backend.tap(300, VK_ESCAPE);
    backend.at(5000, [] {});
    EXPECT_EQ(runGame(), 0);
    EXPECT_LT(backend.now(), 5000u) << "the program ended on the key, not on the script's end";
    EXPECT_FALSE(currentScreen);
    EXPECT_FALSE(menuBackground.loaded);
    EXPECT_TRUE(veskar::platform::state().timers.empty()) << "the frame timer was stopped";
}

TEST_F(ShellEndToEnd, WithoutADisplayTheProgramEndsAsAFailure) {
    TestBackend::reset().refuseDisplay();
    EXPECT_EQ(runGame(), 1);
    EXPECT_FALSE(currentScreen);
}

TEST_F(ShellEndToEnd, ClosingTheWindowRunsTheShutdownSequence) {
    auto& backend = TestBackend::reset();
    backend.requestClose(250);
    backend.at(5000, [] {});
    EXPECT_EQ(runGame(), 0);
    EXPECT_FALSE(backend.windowOpen());
    EXPECT_FALSE(currentScreen);
    EXPECT_FALSE(normalFont.loaded);
    EXPECT_FALSE(jewelAnimations[0].loaded);
    EXPECT_EQ(veskar::platform::state().gdi.liveObjects(), 1u) << "only the platform's own screen context";
}

TEST_F(ShellEndToEnd, FrameTimerTicksEveryTenMilliseconds) {
    auto& backend = TestBackend::reset();
    Counts counts;
    backend.at(0, [&] { currentScreen = std::make_unique<WatchScreen>(counts); });
    backend.requestClose(1000);
    EXPECT_EQ(runGame(), 0);
    EXPECT_GE(counts.timers, 99);
    EXPECT_LE(counts.timers, 100);
}

TEST_F(ShellEndToEnd, KeysReachTheScreenButAltF10AndClicksDoNot) {
    auto& backend = TestBackend::reset();
    Counts counts;
    backend.at(0, [&] { currentScreen = std::make_unique<WatchScreen>(counts); });
    backend.tap(20, VK_LEFT);
    backend.keyDown(30, 'Z');
    backend.keyRepeat(60, 'Z');
    backend.keyUp(70, 'Z');
    backend.altKey(80, 'X');
    backend.tap(90, VK_F10);
    backend.tap(100, VK_MENU);
    backend.click(110);
    backend.requestClose(200);
    EXPECT_EQ(runGame(), 0);
    EXPECT_EQ(counts.keys, (std::vector<WPARAM>{VK_LEFT, 'Z', 'Z'}));
    EXPECT_EQ(counts.keyUps, 2);
}

TEST_F(ShellEndToEnd, FailingFrameTimerIsReportedAndEndsTheProgram) {
    auto& backend = TestBackend::reset();
    backend.setTimerCapacity(0);
    std::uint32_t centre = 0;
    bool visibleWithBox = false;
    backend.at(50, [&] {
        centre = backend.pixel(317, 227);
        visibleWithBox = backend.windowVisible();
    });
    backend.tap(100, VK_RETURN);
    backend.at(5000, [] {});
    EXPECT_EQ(runGame(), 0);
    EXPECT_TRUE(visibleWithBox) << "the box shows before the window does";
    EXPECT_EQ(centre, 0xC0C0C0u) << "the box's face";
    EXPECT_LT(backend.now(), 5000u);
    EXPECT_FALSE(currentScreen);
    EXPECT_FALSE(menuBackground.loaded);
}
