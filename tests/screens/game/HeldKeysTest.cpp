// The game screens' own key repeat: each held key repeats on its own, so two players can hold keys
// at once; the desktop's repeats, which follow only the key pressed last, are ignored in a game.
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/TestBackend.h"
#include "screens/game/HeldKeys.h"
#include "screens/game/TwoPlayerGame.h"
#include "settings/Settings.h"
#include "shell/ShellState.h"
#include "tests/support/ScratchFolder.h"

using veskar::platform::TestBackend;

TEST(HeldKeys, RepeatAfterTheDelayAtTheRateUntilReleased) {
    struct Case {
        std::uint32_t heldMs;
        std::uint32_t repeats;
    };
    // 10 ms ticks: the first repeat once held 500 ms, then 30 a second.
    const Case cases[] = {{490, 0}, {500, 1}, {530, 1}, {540, 2}, {1000, 16}, {1500, 31}};
    for (const Case& test : cases) {
        HeldKeys keys;
        keys.press('X');
        std::uint32_t repeats = 0;
        for (std::uint32_t ms = 10; ms <= test.heldMs; ms += 10) {
            keys.tick(10, [&repeats](std::int32_t key) { repeats += key == 'X' ? 1 : 100; });
        }
        EXPECT_EQ(repeats, test.repeats) << test.heldMs << " ms";
        keys.release('X');
        keys.tick(1000, [&repeats](std::int32_t) { ++repeats; });
        EXPECT_EQ(repeats, test.repeats) << "none after the release";
    }
}

TEST(HeldKeys, TwoPlayersHoldingKeysBothRepeatWhileTheOtherPresses) {
    ScratchFolder folder;
    TestBackend& backend = TestBackend::reset();
    settings.loadDefaults();
    settings.copyKeysToWorking();  // player 1 rotates with X, player 2 with the cursor up
    backend.tap(100, VK_DOWN);
    backend.tap(150, VK_RETURN);  // 2 Players Game
    std::vector<Triple> last(2);
    std::vector<int> rotations(2, 0);
    backend.at(195, [&] {
        for (std::size_t p = 0; p < 2; ++p) {
            Player& player = *dynamic_cast<TwoPlayerGame&>(*currentScreen).players[p];
            player.current = 0x00333231;  // three colours: every rotation shows
            last[p] = player.current;
        }
    });
    backend.keyDown(200, 'X');
    backend.keyDown(200, VK_UP);
    for (std::uint64_t at = 205; at < 1200; at += 10) {
        backend.at(at, [&] {
            for (std::size_t p = 0; p < 2; ++p) {
                const Triple now = dynamic_cast<TwoPlayerGame&>(*currentScreen).players[p]->current;
                rotations[p] += now != last[p] ? 1 : 0;
                last[p] = now;
            }
        });
    }
    // The desktop repeats the key pressed last, then nothing once player 2 taps Left: ignored here.
    for (std::uint64_t at = 700; at < 800; at += 40) {
        backend.keyRepeat(at, VK_UP);
    }
    backend.tap(800, VK_LEFT);
    backend.keyUp(1200, 'X');
    backend.keyUp(1200, VK_UP);
    backend.requestClose(1300);
    ASSERT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    // Held 1000 ms: the press and 16 repeats each, whatever the other did.
    EXPECT_EQ(rotations[0], 17) << "player 1";
    EXPECT_EQ(rotations[1], 17) << "player 2";
}
