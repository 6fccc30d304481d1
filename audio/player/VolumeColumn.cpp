// The volume column of a cell: set volume, volume slides, vibrato, set panning, panning slides and tone
// portamento. It acts before the effect column on every tick.
#include "audio/player/Effects.h"

namespace {

// Bound of the unlimited panning slides, far outside 0..255, so endless slides cannot overflow.
constexpr std::int32_t PANNING_LIMIT = 1 << 16;

void SlideVolumeDown(Channel& channel, std::uint8_t amount) {
    channel.volume = std::max(channel.volume - amount, 0);
    channel.updateFlags |= UPDATE_VOLUME;
}

void SlideVolumeUp(Channel& channel, std::uint8_t amount) {
    channel.volume = std::min(channel.volume + amount, 64);
    channel.updateFlags |= UPDATE_VOLUME;
}

// Panning slides of the volume column are not limited; UpdateVoice clamps what the voice gets.
void SlidePanning(Channel& channel, std::int32_t amount) {
    channel.panning = std::clamp(channel.panning + amount, -PANNING_LIMIT, PANNING_LIMIT);
    channel.updateFlags |= UPDATE_PANNING;
}

}  // namespace

void VolumeColumnRow(Channel& channel, std::uint8_t volume) {
    const std::uint8_t y = LowNibble(volume);
    if (volume >= 0x10 && volume <= 0x50) {
        channel.volume = volume - 0x10;
        channel.updateFlags |= UPDATE_VOLUME;
        return;
    }
    switch (HighNibble(volume)) {
        case 0x6:
        case 0x8:
            SlideVolumeDown(channel, y);
            break;
        case 0x7:
        case 0x9:
            SlideVolumeUp(channel, y);
            break;
        case 0xA:
            channel.vibratoSpeed = y;
            break;
        case 0xB:
            channel.vibratoDepth = y;
            break;
        case 0xC:
            channel.panning = y * 16;
            channel.updateFlags |= UPDATE_PANNING;
            break;
        case 0xD:
            SlidePanning(channel, -y);
            break;
        case 0xE:
            SlidePanning(channel, y);
            break;
        case 0xF:
            if (y != 0) {
                channel.tonePortaSpeed = y * 16;
            }
            channel.updateFlags &= ~UPDATE_TRIGGER;
            channel.portaTarget = channel.targetPeriod;
            break;
        default:
            break;
    }
}

void VolumeColumnTick(Channel& channel, std::uint8_t volume) {
    const std::uint8_t y = LowNibble(volume);
    switch (HighNibble(volume)) {
        case 0x6:
            SlideVolumeDown(channel, y);
            break;
        case 0x7:
            SlideVolumeUp(channel, y);
            break;
        case 0xB:
            channel.vibratoDepth = y;
            Vibrato(channel);
            AdvanceVibrato(channel);
            break;
        case 0xD:
            SlidePanning(channel, -y);
            break;
        case 0xE:
            SlidePanning(channel, y);
            break;
        case 0xF:
            TonePortamento(channel);
            break;
        default:
            break;
    }
}
