// Creating a Module from an extended-module file, and freeing it. Every count, offset and length read
// from the file is checked against the file and the player's limits: a damaged file is either rejected
// or loaded into a model that the replayer and mixer can play without reading outside any buffer.
#pragma once

#include <memory>

#include "audio/player/Module.h"

class ModuleReader;

// Opens fileName through the installed file operations and loads it. Returns nullptr when the file
// cannot be opened or is not an acceptable module. sampleDataHook may be null.
[[nodiscard]] std::unique_ptr<Module> CreateModule(const char* fileName, SampleDataHook sampleDataHook);

// Fills module (zeroed, with its hook already stored) from reader. False when the file is rejected:
// wrong identification, no channels or more than MAX_CHANNELS, more than 256 stored patterns, a
// pattern of more than MAX_ROWS rows, an instrument with more than 16 samples.
[[nodiscard]] bool LoadModule(Module& module, ModuleReader& reader);
