// Level and edge figures sample by sample; the spectral centroid from a plain discrete Fourier
// transform of the whole sound (the sounds are short).
#include "tools/sfxgen/SoundMeasures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace sfxgen {
namespace {

double decibels(double ratio) {
    return ratio > 0.0 ? 20.0 * std::log10(ratio) : -999.0;
}

double centroid(const std::vector<double>& values, std::uint32_t rate) {
    const std::size_t n = values.size();
    std::vector<double> cosines(n);
    std::vector<double> sines(n);
    for (std::size_t i = 0; i < n; ++i) {
        cosines[i] = std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
        sines[i] = std::sin(2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
    }
    double weighted = 0.0;
    double total = 0.0;
    for (std::size_t k = 1; k <= n / 2; ++k) {
        double re = 0.0;
        double im = 0.0;
        std::size_t index = 0;  // k * i modulo n
        for (std::size_t i = 0; i < n; ++i) {
            re += values[i] * cosines[index];
            im -= values[i] * sines[index];
            index = (index + k) % n;
        }
        const double magnitude = std::hypot(re, im);
        weighted += magnitude * static_cast<double>(k) * rate / static_cast<double>(n);
        total += magnitude;
    }
    return total > 0.0 ? weighted / total : 0.0;
}

}  // namespace

SoundMeasures measure(const std::vector<std::uint8_t>& samples, std::uint32_t rate) {
    SoundMeasures result;
    if (samples.empty() || rate == 0) {
        return result;
    }
    std::vector<double> values;
    double peak = 0.0;
    double energy = 0.0;
    for (const std::uint8_t sample : samples) {
        values.push_back((sample - 128) / 128.0);
        peak = std::max(peak, std::abs(values.back()));
        energy += values.back() * values.back();
    }
    result.seconds = static_cast<double>(samples.size()) / rate;
    result.peakDb = decibels(peak);
    result.rmsDb = decibels(std::sqrt(energy / static_cast<double>(samples.size())));
    result.centroidHz = centroid(values, rate);
    result.firstSample = samples.front();
    result.lastSample = samples.back();
    const std::size_t start = std::min<std::size_t>(values.size(), rate / 2000);
    const std::size_t end = std::min<std::size_t>(values.size(), rate / 200);
    double startPeak = 0.0;
    double endPeak = 0.0;
    for (std::size_t i = 0; i < start; ++i) {
        startPeak = std::max(startPeak, std::abs(values[i]));
    }
    for (std::size_t i = values.size() - end; i < values.size(); ++i) {
        endPeak = std::max(endPeak, std::abs(values[i]));
    }
    result.startDb = decibels(startPeak);
    result.endDb = decibels(endPeak);
    const auto half =
        std::find_if(values.begin(), values.end(), [&](double v) { return std::abs(v) >= peak / 2; });
    result.attackSeconds = static_cast<double>(half - values.begin()) / rate;
    return result;
}

}  // namespace sfxgen
