// Music start and stop: the order of calls into the music player that the shell's start-up and
// shutdown sequences use.
#include "shell/Music.h"

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleLoader.h"
#include "audio/player/Output.h"

std::unique_ptr<Module> musicModule;
bool musicRunning = false;

void musicStart(bool musicOn) {
    if (!musicOn) {
        musicRunning = false;
        return;
    }
    InstallMemoryFileOps();
    musicRunning = OpenOutput(MUSIC_OUTPUT_RATE);
    musicModule = CreateModule(MUSIC_FILE_NAME, nullptr);
    (void)StartPlayback(musicModule.get());  // refuses a missing module or a closed device
}

void musicStop() {
    if (!musicRunning)
        return;
    (void)FreeModule(std::move(musicModule));
    musicModule = nullptr;
    CloseOutput();
    musicRunning = false;
}
