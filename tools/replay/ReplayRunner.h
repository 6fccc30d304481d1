// Runs a veskar-replay script against the game's own session and players: one command per line
// (game, press, release, tick, dump), with blank lines and lines starting with '#' skipped.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "game/GameSession.h"

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

    std::unique_ptr<GameSession> session;
};
