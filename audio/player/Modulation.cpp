// Per-tick pitch and volume modulation of a channel: tone portamento, vibrato, tremolo, tremor and the
// instrument's auto-vibrato.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/player/Channel.h"

namespace {

// |sin| of a waveform position (-32..31 covers half a period each way) scaled to 0..255.
std::int32_t SineMagnitude(std::int32_t position) {
    return static_cast<std::int32_t>(std::fabs(std::sin(position * 2 * 0.049087375)) * 256);
}

// Adds speed to a waveform position (8-bit arithmetic) and folds it back into -32..31.
std::int8_t AdvancePosition(std::int8_t position, std::uint8_t speed) {
    std::int32_t next = static_cast<std::int8_t>(static_cast<std::uint8_t>(position + speed));
    if (next > 31) {
        next -= 64;
    }
    return static_cast<std::int8_t>(next);
}

}  // namespace

void TonePortamento(Channel& channel) {
    const std::int32_t speed = channel.tonePortaSpeed * 4;
    if (channel.period < channel.portaTarget) {
        channel.period = std::min(channel.period + speed, channel.portaTarget);
    } else if (channel.period > channel.portaTarget) {
        channel.period = std::max(channel.period - speed, channel.portaTarget);
    }
    channel.updateFlags |= UPDATE_FREQUENCY;
}

void Vibrato(Channel& channel) {
    const std::int32_t position = channel.vibratoPosition;
    std::int32_t value = 255;  // square
    switch (channel.waveControl & 3) {
        case 0:
            value = SineMagnitude(position);
            break;
        case 1:
            value = position >= 0 ? (position * 8) & 255 : 255 - ((position * 8) & 255);
            break;
        default:
            break;
    }
    const std::int32_t delta = ((value * channel.vibratoDepth) >> 5) & ~3;
    channel.periodDelta = position >= 0 ? -delta : delta;
    channel.updateFlags |= UPDATE_FREQUENCY;
}

void AdvanceVibrato(Channel& channel) {
    channel.vibratoPosition = AdvancePosition(channel.vibratoPosition, channel.vibratoSpeed);
}

void Tremolo(Channel& channel) {
    const std::int32_t position = channel.tremoloPosition;
    std::int32_t value = 255;  // square
    switch ((channel.waveControl >> 4) & 3) {
        case 0:
        case 3:
            value = SineMagnitude(position);
            break;
        case 1:
            value = position >= 0 ? (position & 31) * 8 : 255 - (position & 31) * 8;
            break;
        default:
            break;
    }
    const std::int32_t delta = (value * channel.tremoloDepth) >> 6;
    if (position >= 0) {
        channel.volumeDelta = channel.volume + delta > 64 ? 64 - channel.volume : delta;
    } else {
        channel.volumeDelta = channel.volume - delta < 0 ? -channel.volume : -delta;
    }
    channel.tremoloPosition = AdvancePosition(channel.tremoloPosition, channel.tremoloSpeed);
    channel.updateFlags |= UPDATE_VOLUME;
}

void AutoVibrato(Channel& channel, const Instrument& instrument) {
    const std::int32_t position = channel.autoVibratoPosition;
    std::int32_t wave = 0;  // types above 3 are undefined and give no vibrato
    switch (instrument.vibratoType) {
        case 0:
            wave = static_cast<std::int32_t>(std::sin(static_cast<float>(position) * 0.024543688f) * 64);
            break;
        case 1:
            wave = position < 128 ? 64 : -64;
            break;
        case 2:
            wave = (128 - ((position + 128) % 256)) >> 1;
            break;
        case 3:
            wave = (128 - ((384 - position) % 256)) >> 1;
            break;
        default:
            break;
    }
    std::int32_t depth = instrument.vibratoDepth * wave;
    if (instrument.vibratoSweep != 0) {
        depth = (channel.autoVibratoSweep * depth) / instrument.vibratoSweep;
    }
    channel.periodDelta += depth >> 6;
    channel.autoVibratoSweep = std::min<std::int32_t>(channel.autoVibratoSweep + 1, instrument.vibratoSweep);
    channel.autoVibratoPosition += instrument.vibratoRate;
    if (channel.autoVibratoPosition > 255) {
        channel.autoVibratoPosition -= 256;
    }
    channel.updateFlags |= UPDATE_FREQUENCY;
}

void Tremor(Channel& channel) {
    if (channel.tremorCounter >= channel.tremorOn) {
        channel.volumeDelta = -channel.volume;  // the silent phase
    }
    ++channel.tremorCounter;
    if (channel.tremorCounter == channel.tremorOn + channel.tremorOff) {
        channel.tremorCounter = 0;
    }
    channel.updateFlags |= UPDATE_VOLUME;
}
