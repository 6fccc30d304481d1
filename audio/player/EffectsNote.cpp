// Note effects: sample offset, multi retrigger, retrigger, note cut and note delay.
#include "audio/player/Effects.h"
#include "audio/player/Voice.h"

namespace {

// The low four update bits: frequency, volume, panning and trigger.
constexpr std::uint8_t NOTE_UPDATE_BITS = UPDATE_FREQUENCY | UPDATE_VOLUME | UPDATE_PANNING | UPDATE_TRIGGER;

// Volume after a multi-retrigger with volume change code (0..15); divisions truncate toward zero.
std::int32_t RetrigVolume(std::int32_t volume, std::uint8_t code) {
    switch (code) {
        case 1:
            return volume - 1;
        case 2:
            return volume - 2;
        case 3:
            return volume - 4;
        case 4:
            return volume - 8;
        case 5:
            return volume - 16;
        case 6:
            return volume * 2 / 3;
        case 7:
            return volume >> 1;
        case 9:
            return volume + 1;
        case 10:
            return volume + 2;
        case 11:
            return volume + 4;
        case 12:
            return volume + 8;
        case 13:
            return volume + 16;
        case 14:
            return volume * 3 / 2;
        case 15:
            return volume * 2;
        default:
            return volume;
    }
}

}  // namespace

void SampleOffsetRow(EffectContext& context) {
    Channel& channel = context.channel;
    if (context.cell.parameter != 0) {
        channel.sampleOffsetMemory = context.cell.parameter;
    }
    if (channel.voice == nullptr) {
        return;
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(channel.sampleOffsetMemory) * 256;
    if (offset < context.sample.loopStart + context.sample.loopLength) {
        channel.voice->startOffset = offset;
    } else {
        // Past the end: the note does not start anew; the voice's current sample restarts from 0.
        channel.updateFlags &= ~UPDATE_TRIGGER;
        channel.updateFlags |= UPDATE_RESTART;
    }
}

void MultiRetrigRow(EffectContext& context) {
    const std::uint8_t parameter = context.cell.parameter;
    if (parameter != 0) {
        context.channel.retrigVolume = HighNibble(parameter);
        context.channel.retrigInterval = LowNibble(parameter);
    }
}

void MultiRetrigTick(EffectContext& context) {
    Channel& channel = context.channel;
    if (channel.retrigInterval == 0 || context.module.tick % channel.retrigInterval != 0) {
        return;
    }
    channel.volume = std::clamp(RetrigVolume(channel.volume, channel.retrigVolume), 0, 64);
    channel.updateFlags |= UPDATE_VOLUME | UPDATE_TRIGGER;
}

void RetriggerTick(EffectContext& context) {
    const std::uint8_t interval = LowNibble(context.cell.parameter);
    if (interval != 0 && context.module.tick % interval == 0) {
        context.channel.updateFlags |= UPDATE_TRIGGER | UPDATE_FREQUENCY | UPDATE_VOLUME;
    }
}

void NoteCutTick(EffectContext& context) {
    if (context.module.tick == LowNibble(context.cell.parameter)) {
        context.channel.volume = 0;
        context.channel.updateFlags |= UPDATE_VOLUME;
    }
}

// The row's note, volume and panning wait for the delay tick: the first tick puts the channel back.
void NoteDelayRow(EffectContext& context) {
    Channel& channel = context.channel;
    channel.volume = context.savedVolume;
    channel.period = context.savedPeriod;
    channel.panning = context.savedPanning;
    channel.updateFlags &= ~NOTE_UPDATE_BITS;
}

void NoteDelayTick(EffectContext& context) {
    Channel& channel = context.channel;
    if (context.module.tick != LowNibble(context.cell.parameter)) {
        channel.updateFlags &= ~NOTE_UPDATE_BITS;
        return;
    }
    ResetForInstrument(channel, context.sample);
    channel.period = channel.targetPeriod;
    channel.updateFlags |= UPDATE_FREQUENCY;
    if (context.cell.volume != 0) {
        VolumeColumnRow(channel, context.cell.volume);
    }
    channel.updateFlags |= UPDATE_TRIGGER;
}
