// RIFF/WAVE writer: a 44-byte header whose sizes are filled in when the file is closed.
#include "tools/xmrender/WavWriter.h"

#include <array>

namespace {

inline constexpr std::int32_t HEADER_BYTES = 44;
inline constexpr std::int32_t BYTES_PER_FRAME = 4;

void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
    for (int index = 0; index < bytes; ++index) {
        out[index] = static_cast<std::uint8_t>(value >> (8 * index));
    }
}

std::array<std::uint8_t, HEADER_BYTES> MakeHeader(std::int32_t rate, std::uint32_t dataBytes) {
    std::array<std::uint8_t, HEADER_BYTES> header{};
    auto text = [&header](int offset, const char* chars) {
        for (int index = 0; index < 4; ++index) {
            header[offset + index] = static_cast<std::uint8_t>(chars[index]);
        }
    };
    text(0, "RIFF");
    PutLittleEndian(&header[4], dataBytes + HEADER_BYTES - 8, 4);
    text(8, "WAVE");
    text(12, "fmt ");
    PutLittleEndian(&header[16], 16, 4);
    PutLittleEndian(&header[20], 1, 2);  // PCM
    PutLittleEndian(&header[22], 2, 2);  // stereo
    PutLittleEndian(&header[24], static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(&header[28], static_cast<std::uint32_t>(rate) * BYTES_PER_FRAME, 4);
    PutLittleEndian(&header[32], BYTES_PER_FRAME, 2);
    PutLittleEndian(&header[34], 16, 2);
    text(36, "data");
    PutLittleEndian(&header[40], dataBytes, 4);
    return header;
}

}  // namespace

WavWriter::~WavWriter() {
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool WavWriter::open(const char* path, std::int32_t rate) {
    file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const auto header = MakeHeader(rate, 0);
    failed = std::fwrite(header.data(), 1, header.size(), file) != header.size();
    sampleRate = rate;
    return !failed;
}

bool WavWriter::write(const std::int16_t* frames, std::int64_t frameCount) {
    if (file == nullptr || frameCount <= 0) {
        return file != nullptr;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frameCount) * BYTES_PER_FRAME);
    for (std::int64_t index = 0; index < frameCount * 2; ++index) {
        PutLittleEndian(&bytes[static_cast<std::size_t>(index) * 2],
                        static_cast<std::uint16_t>(frames[index]), 2);
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        failed = true;
    }
    framesWritten += frameCount;
    return !failed;
}

bool WavWriter::close() {
    if (file == nullptr) {
        return false;
    }
    const auto header = MakeHeader(sampleRate, static_cast<std::uint32_t>(framesWritten * BYTES_PER_FRAME));
    if (std::fseek(file, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), file) != header.size()) {
        failed = true;
    }
    if (std::fclose(file) != 0) {
        failed = true;
    }
    file = nullptr;
    return !failed;
}
