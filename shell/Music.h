// The shell's music: started during window creation, stopped during window destruction. The music
// plays on its own thread; the shell never touches the module while it plays.
#pragma once

#include <memory>

#include "audio/player/Module.h"

inline constexpr char MUSIC_FILE_NAME[] = "VESKAR.DAT";
inline constexpr int MUSIC_OUTPUT_RATE = 44100;  // frames per second

// The module loaded by music start; null when none was loaded.
extern std::unique_ptr<Module> musicModule;
// True when music start opened the wave output device; music stop acts only when it is true.
extern bool musicRunning;

// Music start: with musicOn false, only clears musicRunning. Otherwise installs the memory-file
// operations, opens the wave output at 44100 Hz (musicRunning := its result), loads "VESKAR.DAT"
// from the current directory and starts playing it. A missing device is silent; a file that is
// missing, not a regular file, too large or not a module is named on standard error, with the reason.
void musicStart(bool musicOn);

// Music stop: when musicRunning, frees the module (stopping playback first) and closes the device.
// Calling it twice is harmless.
void musicStop();
