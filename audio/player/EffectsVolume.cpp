// Volume and panning effects: tremolo, volume slides, set volume, global volume and its slide, tremor,
// the volume envelope position, set panning and the panning slide.
#include "audio/player/Effects.h"

void VolumeSlide(Channel& channel) {
    const std::uint8_t parameter = channel.volumeSlideMemory;
    if (HighNibble(parameter) != 0) {
        channel.volume = std::min(channel.volume + HighNibble(parameter), 64);
    } else if (LowNibble(parameter) != 0) {
        channel.volume = std::max(channel.volume - LowNibble(parameter), 0);
    }
    channel.updateFlags |= UPDATE_VOLUME;
}

void TremoloRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t parameter = context.cell.parameter;
    if (HighNibble(parameter) != 0) {
        channel.tremoloSpeed = HighNibble(parameter);
    }
    if (LowNibble(parameter) != 0) {
        channel.tremoloDepth = LowNibble(parameter);
    }
}

void TremoloTick(EffectContext& context) {
    Tremolo(context.channel);
}

void VolumeSlideRow(EffectContext& context) {
    Remember(context.channel.volumeSlideMemory, context.cell.parameter);
}

void VolumeSlideTick(EffectContext& context) {
    VolumeSlide(context.channel);
}

void SetVolumeRow(EffectContext& context) {
    context.channel.volume = context.cell.parameter;  // not limited to 64
    context.channel.updateFlags |= UPDATE_VOLUME;
}

void GlobalVolumeRow(EffectContext& context) {
    context.module.globalVolume = std::min<std::int32_t>(context.cell.parameter, 64);
    context.channel.updateFlags |= UPDATE_VOLUME;
}

void GlobalVolumeSlideRow(EffectContext& context) {
    Remember(context.module.globalVolumeSlideMemory, context.cell.parameter);
}

// Channels pick the new global volume up the next time their volume is recomputed.
void GlobalVolumeSlideTick(EffectContext& context) {
    Module& module = context.module;
    const std::uint8_t parameter = module.globalVolumeSlideMemory;
    if (HighNibble(parameter) != 0) {
        module.globalVolume = std::min(module.globalVolume + HighNibble(parameter), 64);
    } else if (LowNibble(parameter) != 0) {
        module.globalVolume = std::max(module.globalVolume - LowNibble(parameter), 0);
    }
}

void TremorRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t parameter = context.cell.parameter;
    if (parameter != 0) {
        channel.tremorOn = HighNibble(parameter) + 1;
        channel.tremorOff = LowNibble(parameter) + 1;
    }
    Tremor(channel);
}

void TremorTick(EffectContext& context) {
    Tremor(context.channel);
}

void EnvelopePositionRow(EffectContext& context) {
    if ((context.instrument.volumeType & 1) != 0) {
        SetVolumeEnvelopePosition(context.channel, context.instrument, context.cell.parameter);
    }
}

void SetPanningRow(EffectContext& context) {
    context.channel.panning = context.cell.parameter;
    context.channel.updateFlags |= UPDATE_PANNING;
}

void PanningSlideRow(EffectContext& context) {
    Remember(context.channel.panningSlideMemory, context.cell.parameter);
    context.channel.updateFlags |= UPDATE_PANNING;
}

void PanningSlideTick(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t parameter = channel.panningSlideMemory;
    if (HighNibble(parameter) != 0) {
        channel.panning = std::min(channel.panning + HighNibble(parameter), 255);
    } else if (LowNibble(parameter) != 0) {
        channel.panning = std::max(channel.panning - LowNibble(parameter), 0);
    }
    channel.updateFlags |= UPDATE_PANNING;
}
