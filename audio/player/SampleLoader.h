// Reading an instrument's sample headers and the sample data that follows them.
#pragma once

#include <cstdint>

struct Instrument;
struct Module;
class ModuleReader;

// Reads instrument.sampleCount 40-byte sample headers at the reader's position into new samples owned by
// instrument.
void LoadSampleHeaders(Instrument& instrument, ModuleReader& reader);

// Reads the data of the instrument's samples, in order, from the reader's position: decodes deltas (or
// hands the bytes to the module's sampleDataHook), converts 8-bit data to 16 bits, shortens samples the
// file cannot hold, keeps loops inside their sample and writes the guard frame after the loop.
void LoadSampleData(Module& module, Instrument& instrument, ModuleReader& reader, int instrumentIndex);
