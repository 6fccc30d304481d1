// Chunk walk over a RIFF/WAVE image. Every size is checked against the bytes that remain before
// anything behind it is read, and each step moves on by at least one chunk header, so the walk ends
// within length / 8 steps whatever the image says.
#include "platform/audio/WaveImage.h"

#include <cstring>
#include <optional>

namespace veskar::platform {
namespace {

inline constexpr std::size_t RIFF_HEADER_BYTES = 12;  // "RIFF", size, "WAVE"
inline constexpr std::size_t CHUNK_HEADER_BYTES = 8;  // id, size
inline constexpr std::size_t PCM_FORMAT_BYTES = 16;
inline constexpr std::uint16_t FORMAT_PCM = 1;

std::uint16_t ReadU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(ReadU16(bytes)) |
           (static_cast<std::uint32_t>(ReadU16(bytes + 2)) << 16);
}

bool IsTag(const std::uint8_t* bytes, const char* tag) {
    return std::memcmp(bytes, tag, 4) == 0;
}

struct PcmFormat {
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t bytesPerSample = 0;
    std::uint32_t blockAlign = 0;
};

// The format of a "fmt " chunk's body, if it is one the platform plays.
std::optional<PcmFormat> ReadFormat(std::span<const std::uint8_t> body) {
    if (body.size() < PCM_FORMAT_BYTES || ReadU16(body.data()) != FORMAT_PCM) {
        return std::nullopt;
    }
    PcmFormat format;
    format.channels = ReadU16(body.data() + 2);
    format.rate = ReadU32(body.data() + 4);
    format.blockAlign = ReadU16(body.data() + 12);
    const std::uint32_t bits = ReadU16(body.data() + 14);
    format.bytesPerSample = bits / 8;
    // The average byte rate is only a hint for streaming and is not checked.
    const bool supported = (format.channels == 1 || format.channels == 2) && (bits == 8 || bits == 16) &&
                           format.blockAlign == format.channels * format.bytesPerSample &&
                           format.rate >= MIN_WAVE_RATE && format.rate <= MAX_WAVE_RATE;
    return supported ? std::optional<PcmFormat>(format) : std::nullopt;
}

void decodeSamples(std::span<const std::uint8_t> data, const PcmFormat& format, WaveSound& sound) {
    sound.rate = format.rate;
    sound.channels = format.channels;
    const std::size_t count = data.size() / format.bytesPerSample;
    sound.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        sound.samples[i] =
            format.bytesPerSample == 1
                ? static_cast<std::int16_t>((data[i] - 128) * 256)
                : static_cast<std::int16_t>(ReadU16(data.data() + 2 * i));  // two's complement, little-endian
    }
}

struct ImageParts {
    std::optional<PcmFormat> format;
    std::optional<std::span<const std::uint8_t>> data;
};

// Takes one chunk into parts; false when it breaks the image's rules. Unknown chunks are skipped.
bool TakeChunk(const std::uint8_t* id, std::span<const std::uint8_t> body, ImageParts& parts) {
    if (IsTag(id, "fmt ")) {
        if (parts.format) {
            return false;  // one format per image
        }
        parts.format = ReadFormat(body);
        return parts.format.has_value();
    }
    if (IsTag(id, "data")) {
        if (!parts.format || parts.data) {
            return false;  // the format comes first, and there is one data chunk
        }
        parts.data = body;
    }
    return true;
}

}  // namespace

std::uint64_t declaredWaveLength(const std::uint8_t* header) {
    if (header == nullptr || !IsTag(header, "RIFF")) {
        return 0;
    }
    return CHUNK_HEADER_BYTES + static_cast<std::uint64_t>(ReadU32(header + 4));
}

bool decodeWaveImage(std::span<const std::uint8_t> image, WaveSound& sound) {
    if (image.size() < RIFF_HEADER_BYTES || !IsTag(image.data() + 8, "WAVE")) {
        return false;
    }
    const std::uint64_t declared = declaredWaveLength(image.data());
    if (declared < RIFF_HEADER_BYTES || declared > image.size() || declared > MAX_WAVE_IMAGE_BYTES) {
        return false;  // not a RIFF image, one cut short, or far too long for a one-shot sound
    }
    const std::span<const std::uint8_t> riff = image.first(static_cast<std::size_t>(declared));
    ImageParts parts;
    std::size_t offset = RIFF_HEADER_BYTES;
    while (offset < riff.size()) {
        if (riff.size() - offset < CHUNK_HEADER_BYTES) {
            return false;
        }
        const std::uint8_t* header = riff.data() + offset;
        const std::uint32_t size = ReadU32(header + 4);
        if (size > riff.size() - offset - CHUNK_HEADER_BYTES ||
            !TakeChunk(header, riff.subspan(offset + CHUNK_HEADER_BYTES, size), parts)) {
            return false;  // a chunk runs past the image, or breaks its rules
        }
        // An odd chunk is followed by a pad byte, which the image's last chunk may lack.
        offset += CHUNK_HEADER_BYTES + size + (size % 2);
    }
    if (!parts.data || parts.data->empty() || parts.data->size() % parts.format->blockAlign != 0) {
        return false;
    }
    decodeSamples(*parts.data, *parts.format, sound);
    return true;
}

}  // namespace veskar::platform
