// Music start and stop: the order of calls into the music player that the shell's start-up and
// shutdown sequences use.
#include "shell/Music.h"

#include <cstdio>

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/Output.h"

std::unique_ptr<Module> musicModule;
bool musicRunning = false;

namespace {

// Why the module did not load, for the one line that tells the player why the game is silent.
const char* refusal(MemoryFileStatus status) {
    switch (status) {
        case MemoryFileStatus::Missing:
            return "missing";
        case MemoryFileStatus::NotRegular:
            return "not a regular file";
        case MemoryFileStatus::TooLarge:
            return "too large (over 16 MiB)";
        case MemoryFileStatus::Unreadable:
            return "unreadable";
        case MemoryFileStatus::Read:
            break;
    }
    return "not a module the player can play";
}

}  // namespace

void musicStart(bool musicOn) {
    if (!musicOn) {
        musicRunning = false;
        return;
    }
    InstallMemoryFileOps();
    musicRunning = OpenOutput(MUSIC_OUTPUT_RATE);
    musicModule = CreateModule(MUSIC_FILE_NAME, nullptr);
    if (!musicModule) {
        std::fprintf(stderr, "veskar: no music: %s is %s\n", MUSIC_FILE_NAME,
                     refusal(LastMemoryFileStatus()));
    }
    (void)StartPlayback(musicModule.get());  // refuses a missing module or a closed device
}

void musicStop() {
    if (!musicRunning) {
        return;
    }
    (void)FreeModule(std::move(musicModule));
    musicModule = nullptr;
    CloseOutput();
    musicRunning = false;
}
