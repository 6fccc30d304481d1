// The process entry outside Windows: reads the command line, picks the folder the game runs in
// (platform/launcher/DataFolder.h), sets how the window shows the picture, runs the program's WinMain
// with its own module and the default show command, then closes the platform before static objects
// are destroyed.
#include <pwd.h>
#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/WinUser.h"
#include "platform/core/EndingSignals.h"
#include "platform/core/PlatformState.h"
#include "platform/launcher/CommandLine.h"
#include "platform/launcher/DataFolder.h"
#include "platform/sdl/Presentation.h"

namespace {

using veskar::platform::CommandLine;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// HOME, or the account's home folder where HOME is unset or empty.
std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty()) {
        const passwd* account = getpwuid(getuid());
        if (account != nullptr && account->pw_dir != nullptr) {
            home = account->pw_dir;
        }
    }
    return home;
}

// Where the installation keeps VESKAR.DAT: found from the executable's own place, so that an
// installation into any prefix finds its data; the configured folder where that place is unknown.
std::filesystem::path packageDataFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute()) {
        return VESKAR_PACKAGE_DATA_DIR;
    }
    return (executable.parent_path() / VESKAR_DATA_FROM_BINARY).lexically_normal();
}

// The game's threads wait on one beat (platform/core/Beat.h): kept on the processor the game
// started on, they wake that one processor once a beat instead of waking two. Threads made later
// (the music's, SDL's audio) inherit the choice; their work is a few percent of one processor.
void keepToOneProcessor() {
    const int processor = sched_getcpu();
    if (processor < 0 || processor >= CPU_SETSIZE) {
        return;
    }
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(processor, &one);
    (void)sched_setaffinity(0, sizeof(one), &one);
}

// Prints what --help or --version asked for; 0, or 1 when standard output fails.
int printAndEnd(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0;
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine options = veskar::platform::parseCommandLine(argc, argv);
    switch (options.action) {
        case CommandLine::Action::Help:
            return printAndEnd(veskar::platform::usageText());
        case CommandLine::Action::Version:
            return printAndEnd("veskar " VESKAR_VERSION "\n");
        case CommandLine::Action::Fail:
            std::fprintf(stderr, "%s\n", options.error.c_str());
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    veskar::platform::catchEndingSignals();
    keepToOneProcessor();
    veskar::platform::setPresentation({options.scale, options.fullscreen});
    const veskar::platform::StartPlace place = veskar::platform::enterStartFolder(
        packageDataFolder(), veskar::platform::playerDataFolder(environment("XDG_DATA_HOME"), homeFolder()));
    if (!place.problem.empty()) {
        std::fprintf(stderr, "veskar: %s; the settings will not be kept\n", place.problem.c_str());
    }
    const int status = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWDEFAULT);
    veskar::platform::shutdownState();
    veskar::platform::leaveStartFolder(place);
    return status;
}
