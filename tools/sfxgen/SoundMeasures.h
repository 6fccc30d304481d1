// Figures that stand in for listening: level, brightness and how softly a sound starts and ends.
#pragma once

#include <cstdint>
#include <vector>

namespace sfxgen {

struct SoundMeasures {
    double seconds = 0.0;
    double peakDb = -999.0;   // largest excursion from 128, dB relative to full scale (128)
    double rmsDb = -999.0;    // over the whole sound
    double centroidHz = 0.0;  // magnitude-weighted mean frequency of the spectrum
    int firstSample = 128;    // 128 is silence
    int lastSample = 128;
    double startDb = -999.0;     // largest excursion in the first 0.5 ms, dBFS
    double endDb = -999.0;       // largest excursion in the last 5 ms, dBFS
    double attackSeconds = 0.0;  // time to the first sample at half the peak
};

[[nodiscard]] SoundMeasures measure(const std::vector<std::uint8_t>& samples, std::uint32_t rate);

}  // namespace sfxgen
