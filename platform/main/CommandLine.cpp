// Parsing of the game's options and the text of --help.
#include "platform/main/CommandLine.h"

#include <string_view>

namespace veskar::platform {

namespace {

CommandLine failure(const std::string& what) {
    CommandLine result;
    result.action = CommandLine::Action::Fail;
    result.error = "veskar: " + what + " (try --help)";
    return result;
}

// A whole number from 1 to MAX_SCALE written in plain digits, or 0.
int scaleOf(std::string_view text) {
    if (text.empty() || text.size() > 2) {
        return 0;
    }
    int value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return 0;
        }
        value = value * 10 + (digit - '0');
    }
    return value <= MAX_SCALE ? value : 0;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index] != nullptr ? argv[index] : "";
        if (argument == "--help" || argument == "-h" || argument == "--version") {
            result.action =
                argument == "--version" ? CommandLine::Action::Version : CommandLine::Action::Help;
            return result;
        }
        if (argument == "--fullscreen") {
            result.fullscreen = true;
            continue;
        }
        std::string_view value;
        if (argument == "--scale") {
            if (index + 1 >= argc || argv[index + 1] == nullptr) {
                return failure("option '--scale' needs a number");
            }
            value = argv[++index];
        } else if (argument.starts_with("--scale=")) {
            value = argument.substr(8);
        } else if (argument.starts_with("-")) {
            return failure("unknown option '" + std::string(argument) + "'");
        } else {
            return failure("unexpected argument '" + std::string(argument) + "'");
        }
        result.scale = scaleOf(value);
        if (result.scale == 0) {
            return failure("--scale takes a whole number from 1 to " + std::to_string(MAX_SCALE) + ", not '" +
                           std::string(value) + "'");
        }
    }
    return result;
}

std::string usageText() {
    return "Usage: veskar [--scale N] [--fullscreen]\n"
           "       veskar -h | --help | --version\n"
           "Falling jewels puzzle for one or two players.\n"
           "\n"
           "  --scale N     show the 640 x 480 picture N times larger, with sharp pixels\n"
           "                (N from 1 to " +
           std::to_string(MAX_SCALE) +
           ", default 1)\n"
           "  --fullscreen  fill the screen: the largest whole enlargement that fits,\n"
           "                centred on black (--scale then has no effect)\n"
           "  -h, --help    print this help and exit\n"
           "  --version     print the version and exit\n"
           "\n"
           "The game keeps VESKAR.INI (names, keys, switches, high scores) in the folder it\n"
           "starts in when that folder holds VESKAR.DAT (the music); otherwise in\n"
           "$XDG_DATA_HOME/veskar (by default ~/.local/share/veskar), with the installed music.\n";
}

}  // namespace veskar::platform
