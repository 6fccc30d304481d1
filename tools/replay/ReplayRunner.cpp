// Parsing and running the replay script's commands.
#include "tools/replay/ReplayRunner.h"

#include <array>
#include <istream>
#include <ostream>
#include <sstream>

#include "screens/game/OnePlayerGame.h"
#include "screens/game/TwoPlayerGame.h"
#include "tools/replay/PlayerDump.h"

namespace {
inline constexpr std::uint32_t MAX_NUMBER = 2147483647;  // 2^31 - 1, the largest seed and tick count

// A decimal number of plain digits within 0..MAX_NUMBER.
bool parseNumber(const std::string& word, std::uint32_t& value) {
    if (word.empty() || word.size() > 10) {
        return false;
    }
    std::uint64_t result = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (result > MAX_NUMBER) {
        return false;
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}

bool parseAction(const std::string& word, Action& action) {
    static constexpr std::array<const char*, ACTION_COUNT> NAMES{"left", "right", "fast", "rotate"};
    for (const Action named : ACTIONS) {
        if (word == NAMES[static_cast<std::size_t>(named)]) {
            action = named;
            return true;
        }
    }
    return false;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

bool wrongCount(const std::vector<std::string>& words, std::size_t count, const char* usage,
                std::string& error) {
    if (words.size() == count) {
        return false;
    }
    error = "'" + words[0] + "' expects: " + usage;
    return true;
}
}  // namespace

int ReplayRunner::run(std::istream& script, std::ostream& out, std::ostream& err) {
    std::string line;
    for (std::uint64_t lineNumber = 1; std::getline(script, line); ++lineNumber) {
        const std::vector<std::string> words = splitWords(line);
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        std::string error;
        if (!execute(words, out, error)) {
            out.flush();
            err << "veskar-replay: line " << lineNumber << ": " << error << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}

bool ReplayRunner::execute(const std::vector<std::string>& words, std::ostream& out, std::string& error) {
    const std::string& command = words[0];
    if (command == "game") {
        return startGame(words, error);
    }
    if (command != "press" && command != "release" && command != "tick" && command != "dump" &&
        command != "frame") {
        error = "unknown command '" + command + "'";
        return false;
    }
    if (!session) {
        error = "'" + command + "' before the first 'game'";
        return false;
    }
    if (command == "tick") {
        return runTicks(words, error);
    }
    if (command == "frame") {
        return writeFrame(words, error);
    }
    if (command == "dump") {
        if (wrongCount(words, 1, "dump", error)) {
            return false;
        }
        for (std::uint32_t i = 0; i < session->playerCount; ++i) {
            out << dumpPlayer(i + 1, *session->players[i]) << '\n';
        }
        return true;
    }
    return routeKey(words, error);
}

bool ReplayRunner::startGame(const std::vector<std::string>& words, std::string& error) {
    if (wrongCount(words, 3, "game 1|2 SEED", error)) {
        return false;
    }
    if (words[1] != "1" && words[1] != "2") {
        error = "game kind must be 1 or 2, not '" + words[1] + "'";
        return false;
    }
    std::uint32_t seed = 0;
    if (!parseNumber(words[2], seed) || seed == 0) {
        error = "seed must be a number from 1 to 2147483647, not '" + words[2] + "'";
        return false;
    }
    if (!window) {
        window = std::make_unique<ReplayWindow>();
    }
    screen.reset();
    if (words[1] == "1") {
        screen = std::make_unique<OnePlayerGame>(window->handle(), seed);
    } else {
        screen = std::make_unique<TwoPlayerGame>(window->handle(), seed);
    }
    session = static_cast<GameScreen*>(screen.get());
    return true;
}

bool ReplayRunner::writeFrame(const std::vector<std::string>& words, std::string& error) {
    if (wrongCount(words, 2, "frame FILE", error)) {
        return false;
    }
    if (!window->writeFrame(screen, words[1])) {
        error = "cannot write the frame to '" + words[1] + "'";
        return false;
    }
    return true;
}

bool ReplayRunner::routeKey(const std::vector<std::string>& words, std::string& error) {
    if (wrongCount(words, 3, "press|release PLAYER left|right|fast|rotate", error)) {
        return false;
    }
    std::uint32_t number = 0;
    if (!parseNumber(words[1], number) || number < 1 || number > session->playerCount) {
        error = "no player '" + words[1] + "' in this game";
        return false;
    }
    Action action = Action::Left;
    if (!parseAction(words[2], action)) {
        error = "unknown action '" + words[2] + "'";
        return false;
    }
    Player& player = *session->players[number - 1];
    if (words[0] == "press") {
        player.keyPressed(action);
    } else {
        player.keyReleased(action);
    }
    return true;
}

bool ReplayRunner::runTicks(const std::vector<std::string>& words, std::string& error) {
    if (wrongCount(words, 2, "tick COUNT", error)) {
        return false;
    }
    std::uint32_t count = 0;
    if (!parseNumber(words[1], count)) {
        error = "tick count must be a number from 0 to 2147483647, not '" + words[1] + "'";
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        // The repaint request matters only to a window.
        static_cast<void>(session->tickPlayers());
    }
    return true;
}
