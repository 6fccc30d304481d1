// Writing 16-bit stereo PCM as a RIFF/WAVE file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

class WavWriter {
  public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Creates path and writes a header for rate frames per second. False when the file cannot be made.
    [[nodiscard]] bool open(const char* path, std::int32_t rate);
    // Appends frameCount interleaved stereo frames.
    [[nodiscard]] bool write(const std::int16_t* frames, std::int64_t frameCount);
    // Completes the header's sizes and closes the file. False when any write failed.
    [[nodiscard]] bool close();

  private:
    std::FILE* file = nullptr;
    std::int64_t framesWritten = 0;
    bool failed = false;
    std::int32_t sampleRate = 0;
};
