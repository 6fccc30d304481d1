// The extended effects Exy: fine portamento, waveforms, finetune, fine volume slides and set panning
// here; pattern loop, delay, retrigger, cut and note delay through their own families.
#include "audio/player/Effects.h"

namespace {

void FinePortaUp(EffectContext& context, std::uint8_t y) {
    AddToPeriod(context.channel, -Remember(context.channel.finePortaUpMemory, y) * 4);
}

void FinePortaDown(EffectContext& context, std::uint8_t y) {
    AddToPeriod(context.channel, Remember(context.channel.finePortaDownMemory, y) * 4);
}

void SetFinetune(EffectContext& context, std::uint8_t y) {
    // The shared empty sample stands in for every missing sample and stays as it is.
    if (&context.sample != &EmptySample()) {
        context.sample.finetune = static_cast<std::int8_t>(y);
    }
}

void FineVolumeUp(EffectContext& context, std::uint8_t y) {
    Channel& channel = context.channel;
    channel.volume = std::min(channel.volume + Remember(channel.fineVolumeMemory, y), 64);
    channel.updateFlags |= UPDATE_VOLUME;
}

void FineVolumeDown(EffectContext& context, std::uint8_t y) {
    Channel& channel = context.channel;
    channel.volume = std::max(channel.volume - Remember(channel.fineVolumeMemory, y), 0);
    channel.updateFlags |= UPDATE_VOLUME;
}

}  // namespace

void ExtendedRow(EffectContext& context) {
    Channel& channel = context.channel;
    const std::uint8_t y = LowNibble(context.cell.parameter);
    switch (HighNibble(context.cell.parameter)) {
        case 0x1:
            FinePortaUp(context, y);
            break;
        case 0x2:
            FinePortaDown(context, y);
            break;
        case 0x4:
            channel.waveControl = (channel.waveControl & 0xF0) | y;
            break;
        case 0x5:
            SetFinetune(context, y);
            break;
        case 0x6:
            PatternLoopRow(context);
            break;
        case 0x7:
            channel.waveControl = static_cast<std::uint8_t>((channel.waveControl & 0x0F) | (y << 4));
            break;
        case 0x8:
            channel.panning = y * 16;
            channel.updateFlags |= UPDATE_PANNING;
            break;
        case 0xA:
            FineVolumeUp(context, y);
            break;
        case 0xB:
            FineVolumeDown(context, y);
            break;
        case 0xD:
            NoteDelayRow(context);
            break;
        case 0xE:
            PatternDelayRow(context);
            break;
        default:
            break;
    }
}

void ExtendedTick(EffectContext& context) {
    switch (HighNibble(context.cell.parameter)) {
        case 0x9:
            RetriggerTick(context);
            break;
        case 0xC:
            NoteCutTick(context);
            break;
        case 0xD:
            NoteDelayTick(context);
            break;
        default:
            break;
    }
}
