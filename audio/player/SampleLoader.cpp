// Sample headers (40 bytes each) and delta-coded 8- or 16-bit sample data.
#include "audio/player/SampleLoader.h"

#include "audio/player/Mixer.h"

#include <algorithm>
#include <vector>

#include "audio/player/Module.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/ModuleReader.h"

namespace {

inline constexpr std::uint8_t TYPE_FORWARD_LOOP = 0x01;
inline constexpr std::uint8_t TYPE_PINGPONG_LOOP = 0x02;
inline constexpr std::uint8_t TYPE_16_BIT = 0x10;
inline constexpr int SAMPLE_NAME_BYTES = 23;  // reserved byte and 22-byte name

std::unique_ptr<Sample> ReadSampleHeader(ModuleReader& reader) {
    auto sample = std::make_unique<Sample>();
    sample->length = reader.readU32();
    sample->loopStart = reader.readU32();
    sample->loopLength = reader.readU32();
    sample->volume = reader.readU8();
    sample->finetune = static_cast<std::int8_t>(reader.readU8());
    sample->fileFinetune = sample->finetune;
    sample->loopType = LOOP_NONE;
    sample->bits = 8;
    const std::uint8_t type = reader.readU8();
    if ((type & TYPE_FORWARD_LOOP) != 0) {
        sample->loopType = LOOP_FORWARD;
    }
    if ((type & TYPE_PINGPONG_LOOP) != 0) {
        sample->loopType = LOOP_PINGPONG;
    }
    if ((type & TYPE_16_BIT) != 0) {
        sample->bits = 16;
    }
    if (sample->loopType == LOOP_NONE) {
        sample->loopStart = 0;
        sample->loopLength = sample->length;
    }
    if (sample->bits == 16) {
        sample->length /= 2;
        sample->loopStart /= 2;
        sample->loopLength /= 2;
    }
    if (sample->loopLength == 0) {
        sample->loopStart = 0;
        sample->loopLength = sample->length;
        sample->loopType = LOOP_NONE;
    }
    sample->panning = reader.readU8();
    sample->relativeNote = static_cast<std::int8_t>(reader.readU8());
    reader.seek(SAMPLE_NAME_BYTES, SEEK_FROM_CURRENT);
    return sample;
}

// Keeps the loop inside the sample once its length is final: a loop starting at or after the end
// plays as no loop, one running past the end is cut at the end.
void ClampLoop(Sample& sample) {
    if (sample.loopType == LOOP_NONE || sample.loopStart >= sample.length) {
        sample.loopType = LOOP_NONE;
        sample.loopStart = 0;
        sample.loopLength = sample.length;
        return;
    }
    sample.loopLength = std::min(sample.loopLength, sample.length - sample.loopStart);
}

// Turns the raw bytes into 16-bit frames: 8-bit bytes into the high half, then (without a hook) the
// running 16-bit sum of the deltas.
void DecodeFrames(Sample& sample, const std::vector<std::uint8_t>& bytes, bool decodeDeltas) {
    sample.data.assign(static_cast<std::size_t>(sample.length) + SAMPLE_GUARD_FRAMES, 0);
    for (std::uint32_t frame = 0; frame < sample.length; ++frame) {
        const std::uint16_t value =
            sample.bits == 16 ? static_cast<std::uint16_t>(bytes[frame * 2] | (bytes[frame * 2 + 1] << 8))
                              : static_cast<std::uint16_t>(bytes[frame] << 8);
        sample.data[frame] = static_cast<std::int16_t>(value);
    }
    if (decodeDeltas) {
        std::uint16_t sum = 0;  // wraps at 16 bits
        for (std::uint32_t frame = 0; frame < sample.length; ++frame) {
            sum = static_cast<std::uint16_t>(sum + static_cast<std::uint16_t>(sample.data[frame]));
            sample.data[frame] = static_cast<std::int16_t>(sum);
        }
    }
    sample.bits = 16;
}

void WriteGuardFrame(Sample& sample) {
    const std::uint32_t loopEnd = sample.loopStart + sample.loopLength;
    if (sample.loopType == LOOP_FORWARD) {
        sample.data[loopEnd] = sample.data[sample.loopStart];
    } else if (sample.loopType == LOOP_PINGPONG) {
        sample.data[loopEnd] = sample.data[loopEnd - 1];
    }
}

void LoadOneSample(Module& module, Sample& sample, ModuleReader& reader, int instrumentIndex,
                   int sampleIndex) {
    // A sample cannot hold more bytes than the file has left: it is shortened to what is there.
    const std::uint32_t bytesPerFrame = sample.bits / 8;
    const std::int64_t availableFrames = reader.remaining() / bytesPerFrame;
    sample.length = static_cast<std::uint32_t>(std::min<std::int64_t>(sample.length, availableFrames));
    ClampLoop(sample);
    if (sample.length == 0) {
        sample.data.clear();
        return;
    }
    const std::uint32_t byteCount = sample.length * bytesPerFrame;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(sample.length) * 2 + 2 * SAMPLE_GUARD_FRAMES, 0);
    if (module.sampleDataHook != nullptr) {
        module.sampleDataHook(bytes.data(), byteCount, sample.bits, instrumentIndex, sampleIndex);
        reader.seek(byteCount, SEEK_FROM_CURRENT);
    } else {
        reader.read(bytes.data(), byteCount);
    }
    DecodeFrames(sample, bytes, module.sampleDataHook == nullptr);
    WriteGuardFrame(sample);
    PrepareLaps(sample);
}

}  // namespace

void LoadSampleHeaders(Instrument& instrument, ModuleReader& reader) {
    instrument.ownedSamples.clear();
    for (int index = 0; index < instrument.sampleCount; ++index) {
        instrument.ownedSamples.push_back(ReadSampleHeader(reader));
        instrument.samples[index] = instrument.ownedSamples.back().get();
    }
    for (int index = instrument.sampleCount; index < SAMPLES_PER_INSTRUMENT; ++index) {
        instrument.samples[index] = &EmptySample();
    }
}

void LoadSampleData(Module& module, Instrument& instrument, ModuleReader& reader, int instrumentIndex) {
    for (int index = 0; index < instrument.sampleCount; ++index) {
        LoadOneSample(module, *instrument.ownedSamples[index], reader, instrumentIndex, index);
    }
}
