// Byte layout of the extended module: header, packed patterns, instruments with their sample
// headers and delta-coded sample data, all little-endian.
#include "tools/xmcompose/XmWriter.h"

#include <algorithm>
#include <string>

namespace xmcompose {
namespace {

class ByteSink {
  public:
    void u8(int value) { bytes.push_back(static_cast<std::uint8_t>(value)); }
    void u16(int value) {
        u8(value & 0xFF);
        u8((value >> 8) & 0xFF);
    }
    void u32(std::uint32_t value) {
        u16(static_cast<int>(value & 0xFFFF));
        u16(static_cast<int>(value >> 16));
    }
    // Fixed-size text: truncated, padded with zero bytes.
    void text(const std::string& value, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            u8(i < value.size() ? value[i] : 0);
        }
    }
    void zeros(size_t count) { bytes.insert(bytes.end(), count, 0); }
    void append(const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
    }

    std::vector<std::uint8_t> bytes;
};

void writeHeader(const Song& song, int patternCount, int instrumentCount, ByteSink& out) {
    out.text("Extended Module: ", 17);
    out.text(song.name, 20);
    out.u8(0x1A);
    out.text("xmcompose", 20);
    out.u16(0x0104);
    out.u32(HEADER_SIZE);
    out.u16(static_cast<int>(song.orders.size()));
    out.u16(song.restart);
    out.u16(song.channels);
    out.u16(patternCount);
    out.u16(instrumentCount);
    out.u16(1);  // linear frequency table
    out.u16(song.speed);
    out.u16(song.bpm);
    for (size_t i = 0; i < MAX_ORDERS; ++i) {
        out.u8(i < song.orders.size() ? song.orders[i] : 0);
    }
}

void writePattern(const Song& song, const Pattern& pattern, ByteSink& out) {
    const bool stored = pattern.defined;
    const std::vector<Cell> cells = stored ? pattern.cells : std::vector<Cell>(64 * song.channels);
    const bool allEmpty =
        std::all_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.empty(); });
    const std::vector<std::uint8_t> packed = allEmpty ? std::vector<std::uint8_t>() : packPattern(cells);
    out.u32(PATTERN_HEADER_SIZE);
    out.u8(0);  // packing type
    out.u16(stored ? pattern.rows : 64);
    out.u16(static_cast<int>(packed.size()));  // 0: every row empty
    out.append(packed);
}

void writeEnvelope(const Envelope& envelope, ByteSink& out) {
    for (size_t i = 0; i < MAX_ENVELOPE_POINTS; ++i) {
        const EnvelopePoint point = i < envelope.points.size() ? envelope.points[i] : EnvelopePoint{};
        out.u16(point.tick);
        out.u16(point.value);
    }
}

int envelopeType(const Envelope& envelope) {
    if (envelope.points.size() < 2) {
        return 0;
    }
    return 1 | (envelope.sustain >= 0 ? 2 : 0) | (envelope.loopStart >= 0 ? 4 : 0);
}

void writeSampleHeader(const InstrumentDesign& design, const SampleData& sample, ByteSink& out) {
    const std::uint32_t bytesPerFrame = sample.bits == 16 ? 2 : 1;
    const int loopBits = sample.loop == LoopMode::Forward ? 1 : sample.loop == LoopMode::PingPong ? 2 : 0;
    out.u32(static_cast<std::uint32_t>(sample.frames.size()) * bytesPerFrame);
    out.u32(sample.loopStart * bytesPerFrame);
    out.u32(sample.loopLength * bytesPerFrame);
    out.u8(design.volume);
    out.u8(sample.finetune);
    out.u8(loopBits | (sample.bits == 16 ? 0x10 : 0));
    out.u8(design.panning);
    out.u8(sample.relativeNote);
    out.u8(0);
    out.text(design.name, 22);
}

// Delta coding: each stored value is the difference to the previous frame, wrapping.
void writeSampleData(const SampleData& sample, ByteSink& out) {
    int previous = 0;
    for (const std::int16_t frame : sample.frames) {
        const int delta = frame - previous;
        previous = frame;
        if (sample.bits == 16) {
            out.u16(delta & 0xFFFF);
        } else {
            out.u8(delta & 0xFF);
        }
    }
}

void writeInstrument(const InstrumentDesign& design, const SampleData& sample, ByteSink& out) {
    const size_t start = out.bytes.size();
    out.u32(INSTRUMENT_HEADER_SIZE);
    out.text(design.name, 22);
    out.u8(0);
    out.u16(1);
    out.u32(SAMPLE_HEADER_SIZE);
    out.zeros(NOTE_COUNT);  // every key plays sample 0
    writeEnvelope(design.volumeEnvelope, out);
    writeEnvelope(design.panningEnvelope, out);
    out.u8(static_cast<int>(design.volumeEnvelope.points.size()));
    out.u8(static_cast<int>(design.panningEnvelope.points.size()));
    for (const Envelope* envelope : {&design.volumeEnvelope, &design.panningEnvelope}) {
        out.u8(std::max(envelope->sustain, 0));
        out.u8(std::max(envelope->loopStart, 0));
        out.u8(std::max(envelope->loopEnd, 0));
    }
    out.u8(envelopeType(design.volumeEnvelope));
    out.u8(envelopeType(design.panningEnvelope));
    out.u8(design.vibratoType);
    out.u8(design.vibratoSweep);
    out.u8(design.vibratoDepth);
    out.u8(design.vibratoRate);
    out.u16(design.fadeout);
    out.zeros(start + INSTRUMENT_HEADER_SIZE - out.bytes.size());  // reserved
    writeSampleHeader(design, sample, out);
    writeSampleData(sample, out);
}

void writeEmptyInstrument(ByteSink& out) {
    out.u32(EMPTY_INSTRUMENT_HEADER_SIZE);
    out.zeros(EMPTY_INSTRUMENT_HEADER_SIZE - 4);  // no name, type 0, no samples
}

}  // namespace

std::vector<std::uint8_t> packPattern(const std::vector<Cell>& cells) {
    ByteSink out;
    for (const Cell& cell : cells) {
        const std::uint8_t fields[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.parameter};
        int mask = 0;
        for (int i = 0; i < 5; ++i) {
            mask |= fields[i] != 0 ? 1 << i : 0;
        }
        if (mask == 0x1F) {
            for (const std::uint8_t field : fields) {
                out.u8(field);
            }
            continue;
        }
        out.u8(0x80 | mask);
        for (int i = 0; i < 5; ++i) {
            if (fields[i] != 0) {
                out.u8(fields[i]);
            }
        }
    }
    return out.bytes;
}

std::vector<std::uint8_t> writeModule(const Song& song, const std::vector<SampleData>& samples) {
    ByteSink out;
    const int patternCount = song.patternCount();
    const int instrumentCount = song.instrumentCount();
    writeHeader(song, patternCount, instrumentCount, out);
    for (int i = 0; i < patternCount; ++i) {
        writePattern(song, song.patterns[i], out);
    }
    for (int number = 1; number <= instrumentCount; ++number) {
        const InstrumentDesign& design = song.instruments[number];
        if (design.defined && static_cast<size_t>(number) <= samples.size()) {
            writeInstrument(design, samples[number - 1], out);
        } else {
            writeEmptyInstrument(out);
        }
    }
    return out.bytes;
}

}  // namespace xmcompose
