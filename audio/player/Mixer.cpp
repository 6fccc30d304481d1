// The mixer: splits each voice's share of a block into segments that end at a loop boundary, a ramp's
// end or the block's end, renders each with the matching inner loop and handles the boundary.
#include "audio/player/Mixer.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "audio/player/MixerRamp.h"
#include "audio/player/Module.h"
#include "audio/player/Voice.h"
#include "audio/player/VoiceRender.h"
#include "audio/player/VoiceRender512.h"

namespace {

inline constexpr std::int32_t RAMP_FRAMES_AT_44100 = 128;
inline constexpr std::uint64_t NO_BOUNDARY = ~std::uint64_t{0};
// A forward loop shorter than this is repeated to at least this many frames (PrepareLaps).
inline constexpr std::uint32_t LAP_FRAMES = 4096;

std::int32_t rampLength = RAMP_FRAMES_AT_44100;
std::uint64_t segmentCount = 0;
float rampReciprocal = 1.0f / RAMP_FRAMES_AT_44100;

inline std::uint64_t Position(const Voice& voice) {
    return (std::uint64_t{voice.position} << 32) | voice.fraction;
}
inline std::uint64_t Step(const Voice& voice) {
    return (std::uint64_t{voice.stepInteger} << 32) | voice.stepFraction;
}

inline void StorePosition(Voice& voice, std::uint64_t position) {
    voice.position = static_cast<std::uint32_t>(position >> 32);
    voice.fraction = static_cast<std::uint32_t>(position);
}

// The stretch of a sample a voice moves in, in 32.32 units. A loop that the sample cannot hold (empty,
// starting past the end) plays as no loop; one running past the end is cut there, so that every
// position inside the stretch reads frames the sample has.
struct Stretch {
    std::uint64_t start;     // loop start; 0 without a loop
    std::uint64_t end;       // loop end, or the sample's end without a loop
    std::uint64_t loopType;  // LOOP_NONE, LOOP_FORWARD or LOOP_PINGPONG, as wide as the rest
};

inline Stretch StretchOf(const Sample& sample) {
    const std::uint64_t length = sample.length;
    const bool loops = sample.loopType == LOOP_FORWARD || sample.loopType == LOOP_PINGPONG;
    if (!loops || sample.loopLength == 0 || sample.loopStart >= length) {
        return {0, length << 32, LOOP_NONE};
    }
    const std::uint64_t end =
        std::min<std::uint64_t>(std::uint64_t{sample.loopStart} + sample.loopLength, length);
    return {std::uint64_t{sample.loopStart} << 32, end << 32, sample.loopType};
}

// Output frames the voice plays before it leaves its stretch: moving forward it leaves on reaching
// the end; moving backward on going below the start (the start frame itself still plays). 0 when it
// is already outside, NO_BOUNDARY when it does not move or does not leave within limit frames.
inline std::uint64_t FramesToBoundary(std::uint64_t position, std::uint64_t step, Travel travel,
                                      std::uint64_t start, std::uint64_t end, std::int32_t limit) {
    std::uint64_t distance = 0;
    if (travel == Travel::Backward) {
        if (position < start || position >= end) {
            return 0;
        }
        distance = position - start + 1;
    } else {
        if (position >= end) {
            return 0;
        }
        distance = end - position;
    }
    if (step == 0) {
        return NO_BOUNDARY;
    }
    // Most segments end with the block, far from the boundary: no division for them.
    std::uint64_t reach = 0;
    if (__builtin_mul_overflow(step, static_cast<std::uint64_t>(limit), &reach) || reach >= distance) {
        return distance / step + (distance % step != 0 ? 1 : 0);
    }
    return NO_BOUNDARY;
}

// (first / 255, second / 255) x scale in single precision: both quotients come from one division
// where the processor divides four floats at once, the same correctly rounded quotients either way.
struct GainPair {
    float first;
    float second;
};
inline GainPair Over255(std::int32_t first, std::int32_t second, float scale) {
#if defined(__SSE2__)
    const __m128 quotients =
        _mm_mul_ps(_mm_div_ps(_mm_cvtepi32_ps(_mm_setr_epi32(first, second, 0, 0)), _mm_set1_ps(255.0f)),
                   _mm_set1_ps(scale));
    return {_mm_cvtss_f32(quotients), _mm_cvtss_f32(_mm_shuffle_ps(quotients, quotients, 1))};
#else
    return {static_cast<float>(first) / 255.0f * scale, static_cast<float>(second) / 255.0f * scale};
#endif
}

// Starts a ramp when the gain targets changed since the last set-up; returns the frames it has left.
std::int32_t SetUpRamp(Voice& voice) {
    // A ramp count outside 1..rampLength is no running ramp: a new one is set up.
    if (voice.rampFramesLeft > 0 && voice.rampFramesLeft <= rampLength &&
        voice.firstGainTarget == voice.lastFirstTarget && voice.secondGainTarget == voice.lastSecondTarget) {
        return voice.rampFramesLeft;
    }
    voice.lastFirstTarget = voice.firstGainTarget;
    voice.lastSecondTarget = voice.secondGainTarget;
    const std::int32_t firstChange = voice.firstGainTarget - voice.firstGain / 256;
    const std::int32_t secondChange = voice.secondGainTarget - voice.secondGain / 256;
    if (firstChange == 0 && secondChange == 0) {
        // Most segments: no change, no ramp (0 / 255 x the reciprocal is 0 as well).
        voice.firstRamp = 0.0f;
        voice.secondRamp = 0.0f;
        voice.rampFramesLeft = 0;
        voice.firstGain = voice.firstGainTarget * 256;
        voice.secondGain = voice.secondGainTarget * 256;
        return 0;
    }
    const GainPair ramps = Over255(firstChange, secondChange, rampReciprocal);
    voice.firstRamp = ramps.first;
    voice.secondRamp = ramps.second;
    voice.rampFramesLeft = rampLength;
    return rampLength;
}

void RenderSteadySegment(const Voice& voice, const VoiceSpan& span, float* out, std::int32_t frames) {
    const GainPair gains = Over255(voice.firstGainTarget, voice.secondGainTarget, 1.0f);
    RenderSteady(span, out, frames, gains.first, gains.second);
}

// Where the voice is after frames frames, exactly: below 0 or past 2^32 frames as well.
__int128 PositionAfter(const Voice& voice, std::int32_t frames) {
    const __int128 distance = static_cast<__int128>(Step(voice)) * frames;
    const __int128 position = Position(voice);
    return voice.direction == DIRECTION_BACKWARD ? position - distance : position + distance;
}

// A ping-pong voice moves between two mirrors, half a unit (2^-33 frames) below the loop start and
// below the loop end: each crossing reflects it and turns it round. Unfolded, the motion repeats every
// twice the loop length, so any number of crossings (a step longer than the loop) is one remainder.
// value mod modulus (0 < modulus < 2^64), in 0..modulus-1, with 64-bit arithmetic when value fits.
inline __int128 Remainder(__int128 value, __int128 modulus) {
    if (value >= 0 && value <= static_cast<__int128>(~std::uint64_t{0})) {
        return static_cast<std::uint64_t>(value) % static_cast<std::uint64_t>(modulus);
    }
    const __int128 remainder = value % modulus;
    return remainder < 0 ? remainder + modulus : remainder;
}

void Reflect(Voice& voice, __int128 position, const Stretch& stretch) {
    const __int128 length = stretch.end - stretch.start;
    const __int128 relative = position - static_cast<__int128>(stretch.start);
    // The unfolded coordinate: 0..length-1 forward, length..2 length-1 backward.
    const __int128 unfolded = voice.direction == DIRECTION_BACKWARD ? 2 * length - 1 - relative : relative;
    __int128 phase = unfolded;
    if (phase < 0 || phase >= 2 * length) {  // more than one crossing
        phase = Remainder(phase, 2 * length);
    }
    const bool forward = phase < length;
    voice.direction = forward ? DIRECTION_FORWARD : DIRECTION_BACKWARD;
    StorePosition(voice,
                  stretch.start + static_cast<std::uint64_t>(forward ? phase : 2 * length - 1 - phase));
}

// Applies the loop to a voice that has left its stretch at position. False when the voice stopped.
bool PassBoundary(Voice& voice, __int128 position, const Stretch& stretch) {
    if (stretch.loopType == LOOP_FORWARD) {
        // Repeated subtraction of the loop length, done at once; mostly once.
        const __int128 length = stretch.end - stretch.start;
        const __int128 overshoot = position - stretch.end;
        StorePosition(voice, stretch.start + static_cast<std::uint64_t>(overshoot < length
                                                                            ? overshoot
                                                                            : Remainder(overshoot, length)));
        return true;
    }
    if (stretch.loopType == LOOP_PINGPONG) {
        Reflect(voice, position, stretch);
        return true;
    }
    voice.position = 0;
    voice.fraction = 0;
    voice.sample = nullptr;
    return false;
}

// A short forward loop that PrepareLaps repeated: a voice inside it plays through the laps, its
// position counted from the loop start, and is brought back into the first lap after each segment.
// Every lap holds the loop's frames and the frame after each lap is the loop start (the loop's guard
// frame), so each frame reads what it would have read in the loop itself.
bool InsideLaps(const Sample& sample, const Voice& voice, const Stretch& stretch) {
    const std::uint64_t position = Position(voice);
    return !sample.laps.empty() && stretch.loopType == LOOP_FORWARD && position >= stretch.start &&
           position < stretch.end;
}

// A voice that plays nothing (no gain and no ramp) moves over remaining frames at once: its position
// after them, put back into the loop by the loop's rule, is where the segments would have left it,
// however many loop ends they crossed. For a voice in the laps, span.position counts from the loop's
// start. Returns remaining, or -1 when the voice has stopped.
std::int32_t SkipSilent(Voice& voice, const Stretch& stretch, bool lapped, std::int32_t remaining) {
    const __int128 position = PositionAfter(voice, remaining);
    if (lapped) {
        StorePosition(voice, static_cast<std::uint64_t>(position % (stretch.end - stretch.start)));
        voice.position += static_cast<std::uint32_t>(stretch.start >> 32);
        return remaining;
    }
    const bool inside = voice.direction == DIRECTION_BACKWARD
                            ? position >= static_cast<__int128>(stretch.start)
                            : position < static_cast<__int128>(stretch.end);
    if (inside) {
        StorePosition(voice, static_cast<std::uint64_t>(position));
        return remaining;
    }
    return PassBoundary(voice, position, stretch) ? remaining : -1;
}

inline Travel TravelOf(const Voice& voice) {
    return voice.direction == DIRECTION_BACKWARD ? Travel::Backward : Travel::Forward;
}

// Where a voice's next segment starts: its sample's stretch, the end of the laps of a short loop
// when it moves in those, its position there and the frames to the boundary it moves towards.
struct SegmentStart {
    Stretch stretch;
    std::uint64_t lapEnd;    // 0 outside the laps
    std::uint64_t position;  // counted from the loop's start in the laps
    std::uint64_t toBoundary;

    [[nodiscard]] bool lapped() const { return lapEnd != 0; }
    // The stretch the voice moves in: its sample's, or the laps.
    [[nodiscard]] Stretch span() const { return lapped() ? Stretch{0, lapEnd, LOOP_FORWARD} : stretch; }
};

// Sets up the next segment of a voice that has a sample; false, and the voice stopped, when the
// sample has nothing to play.
bool StartSegment(Voice& voice, std::int32_t remaining, SegmentStart& start) {
    const Sample& sample = *voice.sample;
    if (sample.length == 0 || sample.data.size() < std::size_t{sample.length} + 2) {
        voice.sample = nullptr;
        return false;
    }
    start.stretch = StretchOf(sample);
    if (start.stretch.loopType != LOOP_PINGPONG) {
        voice.direction = DIRECTION_FORWARD;
    }
    const bool lapped = InsideLaps(sample, voice, start.stretch);
    start.lapEnd = lapped ? std::uint64_t{sample.laps.size() - SAMPLE_GUARD_FRAMES} << 32 : 0;
    start.position = Position(voice) - (lapped ? start.stretch.start : 0);
    start.toBoundary =
        lapped ? FramesToBoundary(start.position, Step(voice), Travel::Forward, 0, start.lapEnd, remaining)
               : FramesToBoundary(start.position, Step(voice), TravelOf(voice), start.stretch.start,
                                  start.stretch.end, remaining);
    return true;
}

inline std::int32_t SegmentFrames(const SegmentStart& start, std::int32_t rampLeft, std::int32_t remaining) {
    std::int32_t frames = remaining;
    if (start.toBoundary <= static_cast<std::uint64_t>(frames)) {
        frames = static_cast<std::int32_t>(start.toBoundary);
    }
    return rampLeft != 0 && rampLeft < frames ? rampLeft : frames;
}

inline VoiceSpan SpanOf(const Voice& voice, const SegmentStart& start) {
    const std::vector<std::int16_t>& data = start.lapped() ? voice.sample->laps : voice.sample->data;
    return {data.data(), data.size(), start.position, Step(voice), TravelOf(voice)};
}

inline std::uint64_t LoopLengthOf(const SegmentStart& start) {
    return start.lapped() ? start.stretch.end - start.stretch.start : 0;
}

// A ramp that ended before the segment's end: the rest of it, up to `end` frames from its start,
// at the targets the ramp reached, as the next segment would render it. Returns the frames rendered
// (none for a voice silent after the ramp, which the next segment skips).
std::int32_t RenderAfterRamp(const Voice& voice, const SegmentStart& start, float* out, std::int32_t done,
                             std::int32_t end) {
    if (voice.rampFramesLeft != 0 || end <= done ||
        (voice.firstGainTarget == 0 && voice.secondGainTarget == 0)) {
        return 0;
    }
    VoiceSpan span = SpanOf(voice, start);
    const std::uint64_t moved = span.step * static_cast<std::uint64_t>(done);
    span.position = span.travel == Travel::Backward ? span.position - moved : span.position + moved;
    RenderSteadySegment(voice, span, out, end - done);
    return end - done;
}

// Renders one segment of at most remaining frames (one that ends at a loop boundary, a ramp's end or
// after remaining frames), or puts a voice outside its stretch back inside. Returns the frames
// rendered, or -1 when the voice has stopped.
std::int32_t MixSegment(Voice& voice, float* out, std::int32_t remaining) {
    SegmentStart start{};
    if (!StartSegment(voice, remaining, start)) {
        return -1;
    }
    if (start.toBoundary == 0) {  // outside its stretch, which a voice in the laps never is
        return PassBoundary(voice, Position(voice), start.stretch) ? 0 : -1;
    }
    const auto loopStartFrame = static_cast<std::uint32_t>(start.stretch.start >> 32);
    if (start.lapped()) {
        voice.position -= loopStartFrame;
    }
    const std::int32_t rampLeft = SetUpRamp(voice);
    if (rampLeft == 0 && voice.firstGainTarget == 0 && voice.secondGainTarget == 0) {
        return SkipSilent(voice, start.stretch, start.lapped(), remaining);
    }
    std::int32_t frames = SegmentFrames(start, rampLeft, remaining);
    if (rampLeft != 0) {
        RenderRampedSegment(voice, SpanOf(voice, start), out, frames, LoopLengthOf(start));
        frames += RenderAfterRamp(voice, start, out + 2 * frames, frames, SegmentFrames(start, 0, remaining));
    } else {
        RenderSteadySegment(voice, SpanOf(voice, start), out, frames);
    }
    const bool atBoundary = start.toBoundary == static_cast<std::uint64_t>(frames);
    if (!atBoundary) {
        // Still inside the stretch, so within 64 bits.
        const std::uint64_t moved = Step(voice) * static_cast<std::uint64_t>(frames);
        StorePosition(
            voice, voice.direction == DIRECTION_BACKWARD ? start.position - moved : start.position + moved);
    } else if (!PassBoundary(voice, PositionAfter(voice, frames), start.span())) {
        return -1;
    }
    if (start.lapped()) {
        // Back into the first lap: the loop is whole frames long, so only the frame index moves.
        const auto loopFrames = static_cast<std::uint32_t>((start.stretch.end - start.stretch.start) >> 32);
        if (voice.position >= loopFrames) {
            voice.position %= loopFrames;
        }
        voice.position += loopStartFrame;
    }
    return frames;
}

// Renders frameCount frames of one voice. Every segment either renders at least one frame or puts a
// voice that is outside its stretch back inside, so the work is bounded by frameCount.
void MixVoice(Voice& voice, float* out, std::int32_t frameCount) {
    std::int32_t remaining = frameCount;
    while (remaining > 0 && voice.sample != nullptr) {
        ++segmentCount;
        const std::int32_t frames = MixSegment(voice, out, remaining);
        if (frames < 0) {
            return;
        }
        out += 2 * frames;
        remaining -= frames;
    }
}

}  // namespace

std::int32_t RampLength() {
    return rampLength;
}

std::uint64_t MixedSegments() {
    return segmentCount;
}

void ResetMixer(std::int32_t outputRate) {
    rampLength = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::int64_t{outputRate} * 128 / 44100));
    rampReciprocal = 1.0f / static_cast<float>(rampLength);
    SilenceVoices();
}

void SilenceVoices() {
    std::array<Voice, VOICE_COUNT>& voices = Voices();
    for (int index = 0; index < VOICE_COUNT; ++index) {
        voices[index] = Voice{};
        voices[index].index = index;
        voices[index].direction = DIRECTION_FORWARD;
    }
}

void PrepareLaps(Sample& sample) {
    sample.laps.clear();
    const Stretch stretch = StretchOf(sample);
    const auto start = static_cast<std::uint32_t>(stretch.start >> 32);
    const auto end = static_cast<std::uint32_t>(stretch.end >> 32);
    const std::uint32_t length = end - start;
    // Only a short forward loop whose guard frame repeats its start frame reads alike in the laps.
    if (stretch.loopType != LOOP_FORWARD || length >= LAP_FRAMES || sample.data.size() <= end ||
        sample.data[end] != sample.data[start]) {
        return;
    }
    const std::uint32_t lapFrames = (LAP_FRAMES + length - 1) / length * length;
    sample.laps.assign(std::size_t{lapFrames} + SAMPLE_GUARD_FRAMES, 0);
    for (std::uint32_t frame = 0; frame <= lapFrames; ++frame) {
        sample.laps[frame] = sample.data[start + frame % length];
    }
}

void MixVoices(float* destination, std::int32_t frameCount) {
    if (destination == nullptr || frameCount < 1) {
        return;
    }
    std::array<Voice, VOICE_COUNT>& voices = Voices();
    for (int index = 0; index < MIXED_VOICE_COUNT; ++index) {
        if (voices[index].sample != nullptr) {
            MixVoice(voices[index], destination, frameCount);
        }
    }
}

void ConvertToPcm(std::int16_t* pcmDestination, const float* floatSource, std::int32_t frameCount) {
    if (pcmDestination == nullptr || floatSource == nullptr || frameCount <= 0) {
        return;
    }
    const std::int32_t values = frameCount * 2;
    std::int32_t index = Avx512Mixing() ? ConvertToPcm512(pcmDestination, floatSource, values) : 0;
#if defined(__SSE2__)
    // Conversion rounds to nearest, ties to even (the default rounding mode); packing saturates.
    for (; index + 8 <= values; index += 8) {
        const __m128i low = _mm_cvtps_epi32(_mm_max_ps(
            _mm_min_ps(_mm_loadu_ps(floatSource + index), _mm_set1_ps(32767.0f)), _mm_set1_ps(-32768.0f)));
        const __m128i high = _mm_cvtps_epi32(
            _mm_max_ps(_mm_min_ps(_mm_loadu_ps(floatSource + index + 4), _mm_set1_ps(32767.0f)),
                       _mm_set1_ps(-32768.0f)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pcmDestination + index), _mm_packs_epi32(low, high));
    }
#endif
    // Adding and removing 1.5 x 2^23 rounds to the nearest integer, ties to even, in the float unit.
    constexpr float ROUNDING = 12582912.0f;
    for (; index < values; ++index) {
        const float clamped = std::clamp(floatSource[index], -32768.0f, 32767.0f);
        const float rounded = (clamped + ROUNDING) - ROUNDING;
        pcmDestination[index] = static_cast<std::int16_t>(static_cast<std::int32_t>(rounded));
    }
}
