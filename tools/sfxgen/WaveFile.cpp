// Writes the chunk layout of the sound effect files byte by byte, little-endian.
#include "tools/sfxgen/WaveFile.h"

#include <string_view>

namespace sfxgen {
namespace {

// The creation date of the sounds, fixed so that the files are the same on every run. With its
// terminating zero it is 11 bytes, padded to 12.
inline constexpr std::string_view CREATION_DATE = "2026-12-07";

class ByteWriter {
  public:
    void tag(std::string_view fourCharacters) {
        for (const char c : fourCharacters.substr(0, 4)) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        }
    }
    void u16(std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }
    void u32(std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    void append(const std::vector<std::uint8_t>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    void padToEven() {
        if (bytes.size() % 2 != 0) {
            bytes.push_back(0);
        }
    }
    std::vector<std::uint8_t> bytes;
};

void writeFormat(ByteWriter& out, std::uint32_t rate) {
    out.tag("fmt ");
    out.u32(16);
    out.u16(1);     // PCM
    out.u16(1);     // mono
    out.u32(rate);  // frames per second
    out.u32(rate);  // bytes per second: one byte per frame
    out.u16(1);     // block align
    out.u16(8);     // bits per sample
}

void writeInfoAndFact(ByteWriter& out, std::uint32_t sampleCount) {
    const std::uint32_t dateBytes = static_cast<std::uint32_t>(CREATION_DATE.size()) + 1;
    const std::uint32_t paddedDate = dateBytes + dateBytes % 2;
    out.tag("LIST");
    out.u32(4 + 8 + paddedDate);
    out.tag("INFO");
    out.tag("ICRD");
    out.u32(dateBytes);
    for (const char c : CREATION_DATE) {
        out.bytes.push_back(static_cast<std::uint8_t>(c));
    }
    out.bytes.push_back(0);
    out.padToEven();
    out.tag("fact");
    out.u32(4);
    out.u32(sampleCount);
}

}  // namespace

std::vector<std::uint8_t> encodeWave(const std::vector<std::uint8_t>& samples, std::uint32_t rate,
                                     WaveExtras extras) {
    ByteWriter out;
    out.tag("RIFF");
    out.u32(0);  // the size follows once everything is written
    out.tag("WAVE");
    writeFormat(out, rate);
    out.tag("data");
    out.u32(static_cast<std::uint32_t>(samples.size()));
    out.append(samples);
    out.padToEven();
    if (extras == WaveExtras::InfoAndFact) {
        writeInfoAndFact(out, static_cast<std::uint32_t>(samples.size()));
    }
    const std::uint32_t riffSize = static_cast<std::uint32_t>(out.bytes.size() - 8);
    for (int i = 0; i < 4; ++i) {
        out.bytes[4 + i] = static_cast<std::uint8_t>((riffSize >> (8 * i)) & 0xFF);
    }
    return out.bytes;
}

}  // namespace sfxgen
