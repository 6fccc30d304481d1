// The game's command line outside Windows: the window's scale, full screen, help and version.
#pragma once

#include <string>

namespace veskar::platform {

// The largest --scale: eight times the client area is already wider than a 4K screen.
inline constexpr int MAX_SCALE = 8;

struct CommandLine {
    // Fail: `error` holds the one line to print on stderr, and the program ends with status 2.
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    int scale = 1;            // 1..MAX_SCALE; the picture's enlargement in a window
    bool fullscreen = false;  // the whole screen, the largest whole enlargement that fits
    std::string error;
};

// Reads the options after the program name, left to right: the last --scale counts, and --help
// or --version ends the reading where it stands. Never fails silently: anything it does not know,
// a missing or bad value, or a stray argument is a Fail naming it.
[[nodiscard]] CommandLine parseCommandLine(int argc, const char* const* argv);

// The text of --help, ending in a newline.
[[nodiscard]] std::string usageText();

}  // namespace veskar::platform
