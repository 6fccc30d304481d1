// veskar-replay: plays a script of key presses and ticks through the game's own rules and prints the
// players' state. Usage: veskar-replay [SCRIPT]; without SCRIPT the script is read from standard input.
#include <fstream>
#include <iostream>

#include "tools/replay/ReplayRunner.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: veskar-replay [SCRIPT]\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);  // long scripts print many lines
    ReplayRunner runner;
    if (argc == 1) {
        return runner.run(std::cin, std::cout, std::cerr);
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "veskar-replay: cannot open '" << argv[1] << "'\n";
        return 2;
    }
    return runner.run(script, std::cout, std::cerr);
}
