// Gain tables of ramped segments, a piece of up to TABLE_FRAMES frames at a time: the gains of each
// frame, one addition of the ramp after another, and the rounding at each loop end a voice in the
// laps crosses, worked out before the inner loop multiplies by them.
#include "audio/player/MixerRamp.h"

#include <algorithm>

#include "audio/player/Voice.h"

namespace {

inline constexpr std::int32_t TABLE_FRAMES = 256;

// std::lround for the gains (|value| < 2^23): rounds half away from zero, without a library call.
std::int32_t RoundHalfAway(float value) {
    const auto truncated = static_cast<std::int32_t>(value);
    const float rest = value - static_cast<float>(truncated);  // exact below 2^23
    if (rest >= 0.5f)
        return truncated + 1;
    if (rest <= -0.5f)
        return truncated - 1;
    return truncated;
}

// Gains as the voice keeps them (x 256, 1.0 = 255 x 256) and as the loops use them (1.0 = 255).
float GainOf(std::int32_t gain) {
    return static_cast<float>(gain) / 256.0f / 255.0f;
}

std::int32_t RoundedGain(float gain) {
    return RoundHalfAway(gain * 255.0f * 256.0f);
}

// One piece of a ramped segment: its gains start from first and second; the ramps are added after
// each frame. In the laps (loopLength not 0) the gains are rounded at each loop end the piece
// crosses, except at its last frame when that ends the segment (lastOfSegment).
struct RampPiece {
    float first;
    float second;
    float firstRamp;
    float secondRamp;
    std::int32_t frames;
    std::uint64_t position;  // counted from the loop's start
    std::uint64_t step;
    std::uint64_t loopLength;
    bool lastOfSegment;
};

// Fills pairs with the piece's gains and moves first and second on to the gains after it.
void FillPiece(RampPiece& piece, float* pairs) {
    float first = piece.first;
    float second = piece.second;
    if (piece.loopLength == 0) {
        for (std::int32_t frame = 0; frame < piece.frames; ++frame) {
            pairs[2 * frame] = first;
            pairs[2 * frame + 1] = second;
            first += piece.firstRamp;
            second += piece.secondRamp;
        }
    } else {
        const std::uint64_t length = piece.loopLength;
        std::uint64_t position = piece.position;
        std::uint64_t loopEnd = (position / length + 1) * length;
        for (std::int32_t frame = 0; frame < piece.frames; ++frame) {
            pairs[2 * frame] = first;
            pairs[2 * frame + 1] = second;
            first += piece.firstRamp;
            second += piece.secondRamp;
            position += piece.step;
            if (position < loopEnd)
                continue;
            loopEnd = position - loopEnd < length ? loopEnd + length : (position / length + 1) * length;
            if (frame + 1 < piece.frames || !piece.lastOfSegment) {
                first = GainOf(RoundedGain(first));
                second = GainOf(RoundedGain(second));
            }
        }
    }
    piece.first = first;
    piece.second = second;
}

}  // namespace

void RenderRampedSegment(Voice& voice, const VoiceSpan& span, float* out, std::int32_t frames,
                         std::uint64_t loopLength) {
    alignas(64) float pairs[2 * TABLE_FRAMES];
    RampPiece piece{GainOf(voice.firstGain),
                    GainOf(voice.secondGain),
                    voice.firstRamp,
                    voice.secondRamp,
                    0,
                    span.position,
                    span.step,
                    loopLength,
                    false};
    VoiceSpan part = span;
    for (std::int32_t done = 0; done < frames; done += piece.frames) {
        piece.frames = std::min(frames - done, TABLE_FRAMES);
        piece.lastOfSegment = done + piece.frames == frames;
        FillPiece(piece, pairs);
        RenderRamped(part, out + 2 * done, piece.frames, pairs);
        const std::uint64_t moved = span.step * static_cast<std::uint64_t>(piece.frames);
        part.position = span.travel == Travel::Backward ? part.position - moved : part.position + moved;
        piece.position += moved;  // used in the laps only, where the voice moves forward
    }
    voice.firstGain = RoundedGain(piece.first);
    voice.secondGain = RoundedGain(piece.second);
    voice.rampFramesLeft -= frames;
    if (voice.rampFramesLeft == 0) {
        voice.firstRamp = 0.0f;
        voice.secondRamp = 0.0f;
        voice.firstGain = voice.firstGainTarget * 256;
        voice.secondGain = voice.secondGainTarget * 256;
    }
}
