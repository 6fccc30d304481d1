// Test helper: extended-module files written field by field, and file operations over a byte vector.
#include "tests/audio/player/XmBuilder.h"

#include <algorithm>
#include <cstring>

#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleLoader.h"

namespace {

void Put8(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put8(out, value);
    Put8(out, value >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value);
    Put16(out, value >> 16);
}
void PutZeros(std::vector<std::uint8_t>& out, std::size_t count) {
    out.insert(out.end(), count, 0);
}

void PutInstrument(std::vector<std::uint8_t>& out, const XmInstrumentDesign& instrument) {
    const std::size_t start = out.size();
    const std::uint32_t sampleCount = instrument.sampleCountField >= 0
                                          ? static_cast<std::uint32_t>(instrument.sampleCountField)
                                          : static_cast<std::uint32_t>(instrument.samples.size());
    Put32(out, instrument.headerSize);
    PutZeros(out, 22);
    Put8(out, 0);
    Put16(out, sampleCount);
    Put32(out, 40);
    out.insert(out.end(), instrument.keymap.begin(), instrument.keymap.end());
    for (std::uint16_t value : instrument.volumeEnvelope)
        Put16(out, value);
    for (std::uint16_t value : instrument.panningEnvelope)
        Put16(out, value);
    Put8(out, instrument.volumePoints);
    Put8(out, instrument.panningPoints);
    for (std::uint8_t point :
         {instrument.volumeSustain, instrument.volumeLoopStart, instrument.volumeLoopEnd,
          instrument.panningSustain, instrument.panningLoopStart, instrument.panningLoopEnd})
        Put8(out, point);
    Put8(out, instrument.volumeType);
    Put8(out, instrument.panningType);
    Put8(out, instrument.vibratoType);
    Put8(out, instrument.vibratoSweep);
    Put8(out, instrument.vibratoDepth);
    Put8(out, instrument.vibratoRate);
    Put16(out, instrument.fadeout);
    // Pad (or cut) the record to its stated header size.
    out.resize(start + instrument.headerSize, 0);
    for (const XmSampleDesign& sample : instrument.samples) {
        Put32(out, sample.length);
        Put32(out, sample.loopStart);
        Put32(out, sample.loopLength);
        Put8(out, sample.volume);
        Put8(out, static_cast<std::uint8_t>(sample.finetune));
        Put8(out, sample.type);
        Put8(out, sample.panning);
        Put8(out, static_cast<std::uint8_t>(sample.relativeNote));
        PutZeros(out, 23);
    }
    for (const XmSampleDesign& sample : instrument.samples)
        out.insert(out.end(), sample.data.begin(), sample.data.end());
}

struct ServedFile {
    std::vector<std::uint8_t> bytes;
    std::int32_t position = 0;
};
std::vector<std::uint8_t> servedBytes;

void* ServedOpen(const char* name) {
    if (name != nullptr && std::strcmp(name, "missing") == 0)
        return nullptr;
    return new ServedFile{servedBytes, 0};
}
void ServedClose(void* handle) {
    delete static_cast<ServedFile*>(handle);
}
void ServedRead(void* destination, std::uint32_t count, void* handle) {
    auto* file = static_cast<ServedFile*>(handle);
    const auto size = static_cast<std::int32_t>(file->bytes.size());
    const std::uint32_t available =
        file->position < size ? static_cast<std::uint32_t>(size - file->position) : 0;
    count = std::min(count, available);
    if (count > 0)
        std::memcpy(destination, file->bytes.data() + file->position, count);
    file->position += static_cast<std::int32_t>(count);
}
void ServedSeek(void* handle, std::int32_t offset, int origin) {
    auto* file = static_cast<ServedFile*>(handle);
    const auto size = static_cast<std::int64_t>(file->bytes.size());
    std::int64_t position = file->position;
    if (origin == SEEK_FROM_START)
        position = offset;
    if (origin == SEEK_FROM_CURRENT)
        position += offset;
    if (origin == SEEK_FROM_END)
        position = size + offset;
    file->position = static_cast<std::int32_t>(std::clamp<std::int64_t>(position, 0, size));
}
std::int32_t ServedTell(void* handle) {
    return static_cast<ServedFile*>(handle)->position;
}

}  // namespace

std::vector<std::uint8_t> BuildXm(const XmDesign& design) {
    const char* id = "Extended Module: ";
    std::vector<std::uint8_t> out(id, id + 17);
    PutZeros(out, 20);  // module name
    Put8(out, 0x1A);
    PutZeros(out, 20);   // tracker name
    Put16(out, 0x0104);  // format version: patterns before instruments
    Put32(out, design.headerSize);
    Put16(out, design.songLength);
    Put16(out, design.restartPosition);
    Put16(out, design.channels);
    Put16(out, design.patternCountField >= 0 ? static_cast<std::uint32_t>(design.patternCountField)
                                             : static_cast<std::uint32_t>(design.patterns.size()));
    Put16(out, design.instrumentCountField >= 0 ? static_cast<std::uint32_t>(design.instrumentCountField)
                                                : static_cast<std::uint32_t>(design.instruments.size()));
    Put16(out, design.flags);
    Put16(out, design.speed);
    Put16(out, design.bpm);
    out.insert(out.end(), design.orders.begin(), design.orders.end());
    out.resize(60 + static_cast<std::size_t>(design.headerSize), 0);
    for (const XmPatternDesign& pattern : design.patterns) {
        Put32(out, 9);
        Put8(out, 0);
        Put16(out, pattern.rows);
        Put16(out, pattern.packedSizeField >= 0 ? static_cast<std::uint32_t>(pattern.packedSizeField)
                                                : static_cast<std::uint32_t>(pattern.packed.size()));
        out.insert(out.end(), pattern.packed.begin(), pattern.packed.end());
    }
    for (const XmInstrumentDesign& instrument : design.instruments)
        PutInstrument(out, instrument);
    return out;
}

std::vector<std::uint8_t> PlainCells(const std::vector<PatternCell>& cells) {
    std::vector<std::uint8_t> out;
    for (const PatternCell& cell : cells) {
        out.insert(out.end(), {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter});
    }
    return out;
}

void AppendPackedCell(std::vector<std::uint8_t>& out, const PatternCell& cell) {
    const std::uint8_t fields[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
    std::uint8_t mask = 0x80;
    for (int bit = 0; bit < 5; ++bit) {
        if (fields[bit] != 0)
            mask = static_cast<std::uint8_t>(mask | (1 << bit));
    }
    out.push_back(mask);
    for (int bit = 0; bit < 5; ++bit) {
        if (fields[bit] != 0)
            out.push_back(fields[bit]);
    }
}

std::vector<std::uint8_t> Delta8(const std::vector<std::int8_t>& values) {
    std::vector<std::uint8_t> out;
    std::int8_t previous = 0;
    for (std::int8_t value : values) {
        out.push_back(static_cast<std::uint8_t>(value - previous));
        previous = value;
    }
    return out;
}

std::vector<std::uint8_t> Delta16(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> out;
    std::int16_t previous = 0;
    for (std::int16_t value : values) {
        Put16(out, static_cast<std::uint16_t>(value - previous));
        previous = value;
    }
    return out;
}

void ServeBytes(const std::vector<std::uint8_t>& bytes) {
    servedBytes = bytes;
    InstallModuleFileOps(ServedOpen, ServedClose, ServedRead, ServedSeek, ServedTell);
}

std::unique_ptr<Module> LoadBytes(const std::vector<std::uint8_t>& bytes) {
    ServeBytes(bytes);
    return CreateModule("test.xm", nullptr);
}

XmDesign SimpleDesign(int channels) {
    XmDesign design;
    design.channels = static_cast<std::uint16_t>(channels);
    XmPatternDesign pattern;
    pattern.rows = 4;
    std::vector<PatternCell> cells(static_cast<std::size_t>(4 * channels), PatternCell{});
    cells[0] = PatternCell{49, 1, 0, 0, 0};  // C-4, instrument 1
    pattern.packed = PlainCells(cells);
    design.patterns.push_back(pattern);
    XmInstrumentDesign instrument;
    XmSampleDesign sample;
    std::vector<std::int8_t> wave(64);
    for (std::size_t index = 0; index < wave.size(); ++index)
        wave[index] = static_cast<std::int8_t>(index * 2);
    sample.data = Delta8(wave);
    sample.length = static_cast<std::uint32_t>(sample.data.size());
    instrument.samples.push_back(sample);
    design.instruments.push_back(instrument);
    return design;
}
