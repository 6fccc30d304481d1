// Tight per-frame loops of the mixer. Interpolation: s = s0 + (fraction >> 1) x 2^-31 x (s1 - s0),
// accumulated in single precision.
#include "audio/player/VoiceRender.h"

namespace {

inline constexpr float FRACTION_SCALE = 1.0f / 2147483648.0f; // 2^-31

// One interpolated frame at a 32.32 position.
inline float Interpolate(const std::int16_t* data, std::uint64_t position) {
    const std::int16_t* frame = data + static_cast<std::uint32_t>(position >> 32);
    const float s0 = frame[0];
    const float difference = static_cast<float>(frame[1] - frame[0]);
    // The fraction is halved so that it converts as a signed 32-bit value.
    const float fraction = static_cast<float>(static_cast<std::int32_t>(static_cast<std::uint32_t>(position) >> 1));
    return s0 + fraction * FRACTION_SCALE * difference;
}

template <bool Backward>
inline std::uint64_t Advance(std::uint64_t position, std::uint64_t step) {
    return Backward ? position - step : position + step;
}

template <bool Backward>
std::uint64_t RenderConstant(const std::int16_t* __restrict data, std::uint64_t position, std::uint64_t step,
                             float* __restrict out, std::int32_t frames, const SegmentGains& gains) {
    const float first = gains.first;
    const float second = gains.second;
    std::int32_t pairs = frames >> 1;
    while (pairs-- > 0) {
        const std::uint64_t nextPosition = Advance<Backward>(position, step);
        const float a = Interpolate(data, position);
        const float b = Interpolate(data, nextPosition);
        out[0] += a * first;
        out[1] += a * second;
        out[2] += b * first;
        out[3] += b * second;
        out += 4;
        position = Advance<Backward>(nextPosition, step);
    }
    if ((frames & 1) != 0) {
        const float a = Interpolate(data, position);
        out[0] += a * first;
        out[1] += a * second;
        position = Advance<Backward>(position, step);
    }
    return position;
}

template <bool Backward>
std::uint64_t RenderRamped(const std::int16_t* __restrict data, std::uint64_t position, std::uint64_t step,
                           float* __restrict out, std::int32_t frames, SegmentGains& gains) {
    float first = gains.first;
    float second = gains.second;
    const float firstRamp = gains.firstRamp;
    const float secondRamp = gains.secondRamp;
    for (std::int32_t frame = 0; frame < frames; ++frame) {
        const float s = Interpolate(data, position);
        out[0] += s * first;
        out[1] += s * second;
        out += 2;
        first += firstRamp;
        second += secondRamp;
        position = Advance<Backward>(position, step);
    }
    gains.first = first;
    gains.second = second;
    return position;
}

} // namespace

std::uint64_t RenderForward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                            std::int32_t frames, SegmentGains& gains) {
    return RenderConstant<false>(data, position, step, out, frames, gains);
}

std::uint64_t RenderBackward(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                             std::int32_t frames, SegmentGains& gains) {
    return RenderConstant<true>(data, position, step, out, frames, gains);
}

std::uint64_t RenderForwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step, float* out,
                                  std::int32_t frames, SegmentGains& gains) {
    return RenderRamped<false>(data, position, step, out, frames, gains);
}

std::uint64_t RenderBackwardRamped(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                                   float* out, std::int32_t frames, SegmentGains& gains) {
    return RenderRamped<true>(data, position, step, out, frames, gains);
}
