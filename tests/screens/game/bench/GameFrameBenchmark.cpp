// Prints the cost of one full game frame, one- and two-player: the screen's whole repaint from an
// erased buffer (background, every player's well full of jewels, next columns, panels) and its
// presentation, on the test backend; once with the picture unchanged from frame to frame (nothing
// is presented), once with the falling column moving a few pixels every frame, as with Fast held.
#include <chrono>
#include <cstdio>

#include "screens/game/OnePlayerGame.h"
#include "screens/game/TwoPlayerGame.h"
#include "tools/replay/ReplayWindow.h"

namespace {

inline constexpr int FRAMES = 2000;

// Fills all but the top three rows with jewels, the worst case for drawing.
void fillWells(GameScreen& game) {
    for (std::uint32_t i = 0; i < game.playerCount; ++i) {
        Player& player = *game.players[i];
        for (std::uint32_t cell = 3 * player.width; cell < player.cellCount; ++cell) {
            player.cells[cell] = static_cast<std::uint8_t>(FIRST_JEWEL + cell % COLOUR_COUNT);
        }
        player.columnBottom = 64;
    }
}

enum class Column { Still, Moving };

template <typename Game>
void measure(const char* label, ReplayWindow& window, Column column) {
    std::unique_ptr<Screen> screen = std::make_unique<Game>(window.handle(), 1);
    auto& game = static_cast<GameScreen&>(*screen);
    fillWells(game);
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < FRAMES; ++frame) {
        if (column == Column::Moving) {
            for (std::uint32_t i = 0; i < game.playerCount; ++i) {
                game.players[i]->columnBottom = 64 + 4 * static_cast<std::uint32_t>(frame % 2);
            }
        }
        window.repaint(screen);
    }
    const double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s, %s: %.3f ms per frame (%.1f%% of the 10 ms frame budget)\n", label,
                column == Column::Moving ? "column moving" : "unchanged", milliseconds / FRAMES,
                10.0 * milliseconds / FRAMES);
}

}  // namespace

int main() {
    ReplayWindow window;
    for (const Column column : {Column::Still, Column::Moving}) {
        measure<OnePlayerGame>("one-player game frame", window, column);
        measure<TwoPlayerGame>("two-player game frame", window, column);
    }
    return 0;
}
