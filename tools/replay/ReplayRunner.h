// Runs a veskar-replay script against the game's own session and players: one command per line
// (game, press, release, tick, dump, frame), with blank lines and lines starting with '#' skipped. Games
// are the real game screens in a window on the test backend, so frames are drawn by the game's code.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "screens/game/GameScreen.h"
#include "tools/replay/ReplayWindow.h"

class ReplayRunner {
  public:
    // Runs every line of the script. Returns the exit status: 0 when all ran, 2 at the first malformed
    // line or command before the first "game", after naming the line and the fault on err.
    [[nodiscard]] int run(std::istream& script, std::ostream& out, std::ostream& err);

  private:
    // Runs one line split into words; false with the fault in error if the line is malformed.
    [[nodiscard]] bool execute(const std::vector<std::string>& words, std::ostream& out, std::string& error);
    [[nodiscard]] bool startGame(const std::vector<std::string>& words, std::string& error);
    [[nodiscard]] bool routeKey(const std::vector<std::string>& words, std::string& error);
    [[nodiscard]] bool runTicks(const std::vector<std::string>& words, std::string& error);

    [[nodiscard]] bool writeFrame(const std::vector<std::string>& words, std::string& error);

    std::unique_ptr<ReplayWindow> window;  // opened by the first game
    std::unique_ptr<Screen> screen;        // the current game screen
    GameScreen* session = nullptr;         // the same screen, as a game
};
