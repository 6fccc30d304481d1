// Reading a module's instrument records with their samples.
#pragma once

struct Module;
class ModuleReader;

// Reads module.instrumentCount instrument records (module.instruments already sized) with their sample
// headers and data. False for an instrument with more than 16 samples.
[[nodiscard]] bool LoadInstruments(Module& module, ModuleReader& reader);
