// Instrument records: header size, sample count, keymap, envelopes, auto-vibrato, fade-out; then the
// instrument's sample headers and data.
#include "audio/player/InstrumentLoader.h"

#include <algorithm>

#include "audio/player/Module.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleReader.h"
#include "audio/player/SampleLoader.h"

namespace {

inline constexpr int NAME_AND_TYPE_BYTES = 23;  // 22-byte name and type byte

void ReadEnvelope(std::array<EnvelopePoint, MAX_ENVELOPE_POINTS>& points, ModuleReader& reader) {
    for (EnvelopePoint& point : points) {
        point.x = reader.readU16();
        point.y = reader.readU16();
    }
}

// The fields from the sample header size on, present when the instrument has samples.
void ReadInstrumentBody(Instrument& instrument, ModuleReader& reader) {
    (void)reader.readU32();  // sample header size: not used, each header is taken to be 40 bytes
    reader.read(instrument.keymap.data(), KEYMAP_SIZE);
    ReadEnvelope(instrument.volumeEnvelope, reader);
    ReadEnvelope(instrument.panningEnvelope, reader);
    // More points than the record holds would index past the envelope: kept to the 12 there are.
    instrument.volumePointCount = std::min<std::uint8_t>(reader.readU8(), MAX_ENVELOPE_POINTS);
    instrument.panningPointCount = std::min<std::uint8_t>(reader.readU8(), MAX_ENVELOPE_POINTS);
    instrument.volumeSustain = reader.readU8();
    instrument.volumeLoopStart = reader.readU8();
    instrument.volumeLoopEnd = reader.readU8();
    instrument.panningSustain = reader.readU8();
    instrument.panningLoopStart = reader.readU8();
    instrument.panningLoopEnd = reader.readU8();
    instrument.volumeType = reader.readU8();
    instrument.panningType = reader.readU8();
    instrument.vibratoType = reader.readU8();
    instrument.vibratoSweep = reader.readU8();
    instrument.vibratoDepth = reader.readU8();
    instrument.vibratoRate = reader.readU8();
    instrument.fadeout = static_cast<std::uint16_t>(reader.readU16() << 1);
    if (instrument.volumePointCount < 2) {
        instrument.volumeType = 0;
    }
    if (instrument.panningPointCount < 2) {
        instrument.panningType = 0;
    }
}

bool LoadInstrument(Module& module, Instrument& instrument, ModuleReader& reader, int instrumentIndex) {
    const std::int64_t recordStart = reader.tell();
    const std::uint32_t headerSize = reader.readU32();
    reader.seek(NAME_AND_TYPE_BYTES, SEEK_FROM_CURRENT);
    const std::uint16_t sampleCount = reader.readU16();
    if (sampleCount > SAMPLES_PER_INSTRUMENT) {
        return false;
    }
    instrument.sampleCount = sampleCount;
    if (sampleCount != 0) {
        ReadInstrumentBody(instrument, reader);
    }
    // Unsigned and in 64 bits: a header size can only move forward, at most to the end of the file.
    reader.seek(recordStart + headerSize, SEEK_FROM_START);
    LoadSampleHeaders(instrument, reader);
    LoadSampleData(module, instrument, reader, instrumentIndex);
    return true;
}

}  // namespace

bool LoadInstruments(Module& module, ModuleReader& reader) {
    for (int index = 0; index < module.instrumentCount; ++index) {
        if (!LoadInstrument(module, module.instruments[index], reader, index)) {
            return false;
        }
    }
    return true;
}
