// Pitch effects: arpeggio, portamento up and down, tone portamento, vibrato, their combinations with the
// volume slide, and the extra-fine portamento.
#include "audio/player/Effects.h"

namespace {

// Period offset of semitones above the channel's note, in the module's frequency mode.
std::int32_t SemitoneDelta(const EffectContext& context, std::uint8_t semitones) {
    if ((context.module.flags & FLAG_LINEAR_FREQUENCIES) != 0) {
        return semitones * 64;
    }
    const std::uint8_t note = context.channel.realNote;
    const std::int8_t finetune = context.sample.finetune;
    return AmigaPeriod(static_cast<std::uint8_t>(note + semitones), finetune) - AmigaPeriod(note, finetune);
}

// The slide starts from the current period instead of restarting the note.
void BeginTonePortamento(Channel& channel) {
    channel.portaTarget = channel.targetPeriod;
    channel.updateFlags &= ~(UPDATE_TRIGGER | UPDATE_FREQUENCY);
}

}  // namespace

void ArpeggioTick(EffectContext& context) {
    const std::uint8_t parameter = context.cell.parameter;
    if (parameter == 0) {
        return;
    }
    switch (context.module.tick % 3) {
        case 1:
            context.channel.periodDelta = SemitoneDelta(context, HighNibble(parameter));
            break;
        case 2:
            context.channel.periodDelta = SemitoneDelta(context, LowNibble(parameter));
            break;
        default:
            break;
    }
    context.channel.updateFlags |= UPDATE_FREQUENCY;
}

void PortaUpRow(EffectContext& context) {
    Remember(context.channel.portaUpMemory, context.cell.parameter);
}

void PortaUpTick(EffectContext& context) {
    Channel& channel = context.channel;
    channel.period = std::max(channel.period - channel.portaUpMemory * 4, 56);
    channel.updateFlags |= UPDATE_FREQUENCY;
}

void PortaDownRow(EffectContext& context) {
    Remember(context.channel.portaDownMemory, context.cell.parameter);
}

void PortaDownTick(EffectContext& context) {
    AddToPeriod(context.channel, context.channel.portaDownMemory * 4);
    context.channel.updateFlags |= UPDATE_FREQUENCY;
}

void TonePortaRow(EffectContext& context) {
    Remember(context.channel.tonePortaSpeed, context.cell.parameter);
    BeginTonePortamento(context.channel);
}

void TonePortaTick(EffectContext& context) {
    TonePortamento(context.channel);
}

void VibratoRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t parameter = context.cell.parameter;
    if (HighNibble(parameter) != 0) {
        channel.vibratoSpeed = HighNibble(parameter);
    }
    if (LowNibble(parameter) != 0) {
        channel.vibratoDepth = LowNibble(parameter);
    }
    Vibrato(channel);
}

void VibratoTick(EffectContext& context) {
    Vibrato(context.channel);
    AdvanceVibrato(context.channel);
}

void TonePortaVolumeSlideRow(EffectContext& context) {
    Remember(context.channel.volumeSlideMemory, context.cell.parameter);
    BeginTonePortamento(context.channel);
}

void TonePortaVolumeSlideTick(EffectContext& context) {
    TonePortamento(context.channel);
    VolumeSlide(context.channel);
}

void VibratoVolumeSlideRow(EffectContext& context) {
    Remember(context.channel.volumeSlideMemory, context.cell.parameter);
    Vibrato(context.channel);
}

void VibratoVolumeSlideTick(EffectContext& context) {
    Vibrato(context.channel);
    AdvanceVibrato(context.channel);
    VolumeSlide(context.channel);
}

void ExtraFinePortaRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t amount = LowNibble(context.cell.parameter);
    switch (HighNibble(context.cell.parameter)) {
        case 1:
            AddToPeriod(channel, -Remember(channel.extraFineUpMemory, amount));
            break;
        case 2:
            AddToPeriod(channel, Remember(channel.extraFineDownMemory, amount));
            break;
        default:
            break;
    }
}
