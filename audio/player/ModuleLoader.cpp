// The module loader: header, then patterns, then instruments; and the module's release.
#include "audio/player/ModuleLoader.h"

#include <algorithm>
#include <cstring>

#include "audio/player/InstrumentLoader.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleReader.h"
#include "audio/player/PatternLoader.h"
#include "audio/player/Replayer.h"

namespace {

inline constexpr char IDENTIFICATION[] = "Extended Module: ";
inline constexpr int IDENTIFICATION_BYTES = 17;
inline constexpr int HEADER_SIZE_OFFSET = 60;
inline constexpr int MAX_STORED_PATTERNS = 256;
inline constexpr int MAX_INSTRUMENTS = 128;  // cells name instruments 1..128
inline constexpr std::uint8_t INITIAL_GLOBAL_VOLUME = 64;

bool HasIdentification(ModuleReader& reader) {
    char text[IDENTIFICATION_BYTES] = {};
    reader.seek(0, SEEK_FROM_START);
    reader.read(text, IDENTIFICATION_BYTES);
    return std::memcmp(text, IDENTIFICATION, IDENTIFICATION_BYTES) == 0;
}

// Reads the song header; false when its counts are outside what the player can hold.
bool ReadSongHeader(Module& module, ModuleReader& reader, std::int32_t& storedPatterns) {
    reader.seek(HEADER_SIZE_OFFSET, SEEK_FROM_START);
    const std::uint32_t headerSize = reader.readU32();
    const std::uint16_t songLength = reader.readU16();
    const std::uint16_t restartPosition = reader.readU16();
    const std::uint16_t channelCount = reader.readU16();
    storedPatterns = reader.readU16();
    const std::uint16_t instrumentCount = reader.readU16();
    module.flags = reader.readU16();
    module.defaultSpeed = static_cast<std::int16_t>(reader.readU16());
    module.defaultBpm = static_cast<std::int16_t>(reader.readU16());
    reader.read(module.orderTable.data(), ORDER_TABLE_SIZE);
    reader.seek(static_cast<std::int64_t>(HEADER_SIZE_OFFSET) + headerSize, SEEK_FROM_START);
    if (channelCount == 0 || channelCount > MAX_CHANNELS) {
        return false;
    }
    if (storedPatterns > MAX_STORED_PATTERNS) {
        return false;
    }
    module.channelCount = static_cast<std::int16_t>(channelCount);
    // The order table has 256 entries and a song needs at least one.
    module.songLength = static_cast<std::int16_t>(std::clamp<int>(songLength, 1, ORDER_TABLE_SIZE));
    module.restartPosition =
        static_cast<std::int16_t>(restartPosition < module.songLength ? restartPosition : 0);
    // Instruments beyond 128 cannot be named by a cell; they are not loaded.
    module.instrumentCount = static_cast<std::int16_t>(std::min<int>(instrumentCount, MAX_INSTRUMENTS));
    return true;
}

void CountPatterns(Module& module, std::int32_t storedPatterns) {
    module.highestOrderPattern = 0;
    for (int order = 0; order < module.songLength; ++order) {
        if (module.orderTable[order] >= module.highestOrderPattern) {
            module.highestOrderPattern = module.orderTable[order] + 1;
        }
    }
    module.patternCount = std::max(storedPatterns, module.highestOrderPattern);
    module.patterns.assign(static_cast<std::size_t>(module.patternCount), Pattern{});
}

}  // namespace

bool LoadModule(Module& module, ModuleReader& reader) {
    if (!HasIdentification(reader)) {
        return false;
    }
    module.tickHandler = ModuleTick;
    module.initialGlobalVolume = INITIAL_GLOBAL_VOLUME;
    std::int32_t storedPatterns = 0;
    if (!ReadSongHeader(module, reader, storedPatterns)) {
        return false;
    }
    CountPatterns(module, storedPatterns);
    if (!LoadPatterns(module, reader, storedPatterns)) {
        return false;
    }
    module.instruments.resize(static_cast<std::size_t>(module.instrumentCount));
    return LoadInstruments(module, reader);
}

std::unique_ptr<Module> CreateModule(const char* fileName, SampleDataHook sampleDataHook) {
    ModuleReader reader(fileName);
    if (!reader.isOpen()) {
        return nullptr;
    }
    auto module = std::make_unique<Module>();
    module->sampleDataHook = sampleDataHook;
    if (!LoadModule(*module, reader)) {
        return nullptr;
    }
    return module;
}
