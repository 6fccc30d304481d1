// Storage of the channel records and the reset a channel gets when an instrument starts a note.
#include "audio/player/Channel.h"

#include "audio/player/Voice.h"

std::array<Channel, MAX_CHANNELS>& Channels() {
    static std::array<Channel, MAX_CHANNELS> channels;
    return channels;
}

void ResetChannels() {
    std::array<Voice, VOICE_COUNT>& voices = Voices();
    int index = 0;
    for (Channel& channel : Channels()) {
        channel = Channel{};
        channel.voice = &voices[index];
        ++index;
    }
}

void ResetForInstrument(Channel& channel, const Sample& sample) {
    channel.volume = sample.volume;
    channel.panning = sample.panning;
    channel.volumeEnvelopeValue = 64;
    channel.volumeEnvelopePoint = 0;
    channel.volumeEnvelopeTick = 0;
    channel.volumeEnvelopeStep = 0;
    channel.panningEnvelopeValue = 32;
    channel.panningEnvelopePoint = 0;
    channel.panningEnvelopeTick = 0;
    channel.panningEnvelopeStep = 0;
    channel.keyOff = 0;
    channel.fadeout = 65536;
    channel.volumeEnvelopeDone = 0;
    channel.panningEnvelopeDone = 0;
    channel.autoVibratoSweep = 0;
    channel.autoVibratoPosition = 0;
    // A waveform nibble of 4 or more keeps its position across notes.
    if ((channel.waveControl & 0x0F) < 4) {
        channel.vibratoPosition = 0;
    }
    if ((channel.waveControl >> 4) < 4) {
        channel.tremoloPosition = 0;
    }
    channel.tremorCounter = 0;
    channel.updateFlags |= UPDATE_VOLUME | UPDATE_PANNING;
}
