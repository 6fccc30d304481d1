// The mixer's gain ramps: a ramped segment's gains are worked out ahead into a table of (first,
// second) pairs that the inner loops multiply by. Each frame's gain is the previous one plus the
// ramp, one single-precision addition after another, exactly as the gains were always computed.
#pragma once

#include <cstdint>

#include "audio/player/VoiceRender.h"

struct Voice;

// Renders a ramped segment of frames frames and moves the voice's gains and ramp on: the gains are
// rounded where the segment ends, and set to their targets when the ramp is over. A voice in the
// laps of a short loop plays through the loop's end within one segment, yet its gains are rounded
// there as at the end of a segment (loopLength, 32.32, is then the loop's length and span.position
// counts from the loop's start; 0 for any other voice).
void RenderRampedSegment(Voice& voice, const VoiceSpan& span, float* out, std::int32_t frames,
                         std::uint64_t loopLength);
