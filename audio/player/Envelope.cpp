// Volume and panning envelopes of a channel: one step per tick through the instrument's points, with
// sustain and loop, and the jump of the set-envelope-position effect.
#include <algorithm>

#include "audio/player/Channel.h"

namespace {

// Highest envelope value; the y of a damaged point is held to it so the 16.16 arithmetic cannot overflow.
constexpr std::int32_t ENVELOPE_MAX = 64;
// Past every point's tick (ticks are 16-bit); the clock stops here rather than count on for ever.
constexpr std::int32_t CLOCK_LIMIT = 0x10000;

// One envelope of an instrument, with its indices checked against the points it really has.
struct EnvelopeShape {
    const EnvelopePoint* points;
    std::int32_t count;  // 0..MAX_ENVELOPE_POINTS
    std::int32_t sustain;
    std::int32_t loopStart;
    std::int32_t loopEnd;
    std::uint8_t type;  // bit 1 sustain, bit 2 loop
};

// The clock fields of one of the channel's two envelopes.
struct EnvelopeClock {
    std::int32_t& tick;
    std::int32_t& point;
    std::int32_t& fixed;
    std::int32_t& value;
    std::int32_t& step;
    std::uint8_t& done;
};

EnvelopeShape ShapeOf(const Instrument& instrument, EnvelopeKind kind) {
    const bool volume = kind == EnvelopeKind::Volume;
    EnvelopeShape shape{
        volume ? instrument.volumeEnvelope.data() : instrument.panningEnvelope.data(),
        std::min<std::int32_t>(volume ? instrument.volumePointCount : instrument.panningPointCount,
                               MAX_ENVELOPE_POINTS),
        volume ? instrument.volumeSustain : instrument.panningSustain,
        volume ? instrument.volumeLoopStart : instrument.panningLoopStart,
        volume ? instrument.volumeLoopEnd : instrument.panningLoopEnd,
        volume ? instrument.volumeType : instrument.panningType};
    // A loop whose start point does not exist cannot be followed; play the envelope without it.
    if (shape.loopStart >= shape.count) {
        shape.type &= ~4;
    }
    return shape;
}

EnvelopeClock ClockOf(Channel& channel, EnvelopeKind kind) {
    if (kind == EnvelopeKind::Volume) {
        return {channel.volumeEnvelopeTick,  channel.volumeEnvelopePoint, channel.volumeEnvelopeFixed,
                channel.volumeEnvelopeValue, channel.volumeEnvelopeStep,  channel.volumeEnvelopeDone};
    }
    return {channel.panningEnvelopeTick,  channel.panningEnvelopePoint, channel.panningEnvelopeFixed,
            channel.panningEnvelopeValue, channel.panningEnvelopeStep,  channel.panningEnvelopeDone};
}

// Value of a 16.16 envelope position, held to 0..ENVELOPE_MAX.
std::int32_t ValueOf(std::int32_t fixed) {
    return std::clamp(fixed >> 16, 0, ENVELOPE_MAX);
}

// fixed + delta with 32-bit wrap-around: a damaged envelope may pass out of range for a while, but the
// clock brings it back to its next point exactly, as the wrapped sum does.
std::int32_t WrappedSum(std::int32_t fixed, std::int64_t delta) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(fixed) + delta));
}

std::int32_t PointValue(const EnvelopeShape& shape, std::int32_t index) {
    return std::min<std::int32_t>(shape.points[index].y, ENVELOPE_MAX);
}

// 16.16 slope from point index to the next one. Points whose ticks do not increase give a flat segment:
// the clock never meets such a next point, so any other slope would run away.
std::int32_t SegmentStep(const EnvelopeShape& shape, std::int32_t index) {
    const std::int32_t run = shape.points[index + 1].x - shape.points[index].x;
    if (run <= 0) {
        return 0;
    }
    return ((PointValue(shape, index + 1) - PointValue(shape, index)) * 65536) / run;
}

}  // namespace

void StepEnvelope(Channel& channel, const Instrument& instrument, EnvelopeKind kind) {
    const EnvelopeShape shape = ShapeOf(instrument, kind);
    EnvelopeClock clock = ClockOf(channel, kind);
    const std::uint8_t flag = kind == EnvelopeKind::Volume ? UPDATE_VOLUME : UPDATE_PANNING;
    std::int32_t i = clock.point;
    if (i >= 0 && i < shape.count) {
        if (clock.tick == shape.points[i].x) {
            if ((shape.type & 4) != 0 && i == shape.loopEnd) {
                i = shape.loopStart;
                clock.tick = shape.points[i].x;
            }
            clock.point = i;
            if (i == shape.count - 1) {
                clock.value = PointValue(shape, i);
                clock.done = 1;
                channel.updateFlags |= flag;
                return;
            }
            if ((shape.type & 2) != 0 && i == shape.sustain && channel.keyOff == 0) {
                clock.value = PointValue(shape, i);  // holds here until key off
                channel.updateFlags |= flag;
                return;
            }
            clock.step = SegmentStep(shape, i);
            clock.fixed = PointValue(shape, i) * 65536;
            clock.point = i + 1;
        } else {
            clock.fixed = WrappedSum(clock.fixed, clock.step);
        }
    }
    clock.value = ValueOf(clock.fixed);
    clock.tick = std::min(clock.tick + 1, CLOCK_LIMIT);
    channel.updateFlags |= flag;
}

void SetVolumeEnvelopePosition(Channel& channel, const Instrument& instrument, std::int32_t position) {
    const EnvelopeShape shape = ShapeOf(instrument, EnvelopeKind::Volume);
    if (shape.count <= 0) {
        return;
    }
    std::int32_t j = 0;
    while (j < shape.count && position > shape.points[j].x) {
        ++j;
    }
    channel.volumeEnvelopePoint = j;
    if (j >= shape.count - 1) {
        channel.volumeEnvelopeValue = PointValue(shape, shape.count - 1);
        channel.volumeEnvelopeDone = 1;
        return;
    }
    channel.volumeEnvelopeDone = 0;
    channel.volumeEnvelopeTick = position;
    channel.volumeEnvelopeStep = SegmentStep(shape, j);
    channel.volumeEnvelopePoint = j + 1;
    channel.volumeEnvelopeFixed =
        WrappedSum(PointValue(shape, j) * 65536,
                   static_cast<std::int64_t>(position - shape.points[j].x) * channel.volumeEnvelopeStep);
    channel.volumeEnvelopeValue = ValueOf(channel.volumeEnvelopeFixed);
}
