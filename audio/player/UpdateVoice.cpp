// Turns a channel's state into its mixer voice's parameters: note trigger with hand-over of the old note
// to the partner voice, volume, panning, frequency and restart.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "audio/player/Channel.h"
#include "audio/player/Voice.h"

namespace {

// Frequencies below this are mixed at this rate (Hz).
constexpr std::int64_t MINIMUM_FREQUENCY = 100;
// Highest frequency passed to the mixer (Hz): far above anything audible, and it keeps the step of a
// damaged module's extreme notes small enough for the mixer's loop arithmetic.
constexpr std::int64_t MAXIMUM_FREQUENCY = 1 << 24;

// The voice that takes over from voice (i <-> i + 32 among the mixed voices).
Voice& PartnerOf(const Voice& voice) {
    const std::int32_t partner = (voice.index + PARTNER_VOICE_OFFSET) % MIXED_VOICE_COUNT;
    return Voices()[static_cast<size_t>(std::abs(partner))];
}

// The frequency of a linear-frequency exponent (in period units), computed once per exponent seen:
// the power is the costly part, and vibratos and arpeggios come back to the same few exponents.
// A small table by the exponent's low bits, each entry holding the exponent it was computed for.
std::int64_t LinearFrequency(std::int64_t exponentSteps) {
    struct Entry {
        std::int64_t exponentSteps = INT64_MIN;
        std::int64_t frequency = 0;
    };
    static std::array<Entry, 1024> entries;
    Entry& entry = entries[static_cast<size_t>(static_cast<std::uint64_t>(exponentSteps) % entries.size())];
    if (entry.exponentSteps != exponentSteps) {
        const float exponent = static_cast<float>(exponentSteps) * 0.0013020834f;
        entry.frequency = static_cast<std::int64_t>(std::min(8363.0 * std::pow(2.0, exponent), 1e12));
        entry.exponentSteps = exponentSteps;
    }
    return entry.frequency;
}

// Panning 0 is left and 255 right, as the format has it: the first (left) sample of a frame takes
// the share 255 - panning, the second (right) the share panning.
void SetGainTargets(Voice& voice) {
    voice.firstGainTarget = (255 - voice.panning) * voice.volume / 255;
    voice.secondGainTarget = voice.panning * voice.volume / 255;
}

// Starts sample on the channel's voice; a voice still sounding is handed to its partner first, where
// it fades out through the mixer's ramp while the new note fades in.
void Trigger(Channel& channel, const Sample& sample) {
    Voice* voice = channel.voice;
    if (voice->sample != nullptr) {
        Voice& partner = PartnerOf(*voice);
        const std::int32_t partnerIndex = partner.index;
        partner = *voice;
        partner.index = partnerIndex;
        voice->firstGainTarget = 0;
        voice->secondGainTarget = 0;
        voice = &partner;
        channel.voice = voice;
    }
    // A sample without data (the empty sample) leaves the voice idle.
    voice->sample = sample.length != 0 && !sample.data.empty() ? &sample : nullptr;
    if (voice->startOffset >= sample.loopStart + sample.loopLength) {
        voice->startOffset = 0;
    }
    voice->position = voice->startOffset;
    voice->fraction = 0;
    voice->direction = DIRECTION_FORWARD;
    voice->startOffset = 0;
    voice->firstGain = 0;
    voice->secondGain = 0;
    voice->rampFramesLeft = 0;
}

void SetVolume(const Channel& channel, const Module& module, Voice& voice) {
    // 255 / 2^35 scales volume 64, envelope 64, fade-out 65536 and global volume 64 to 127.
    const double product = static_cast<double>(channel.volume + channel.volumeDelta) *
                           channel.volumeEnvelopeValue * channel.fadeout * module.globalVolume;
    voice.volume = static_cast<std::int32_t>(product * static_cast<double>(7.4214767664670944e-9f));
    SetGainTargets(voice);
}

void SetPanning(const Channel& channel, Voice& voice) {
    const std::int32_t room = (128 - std::abs(channel.panning - 128)) / 32;
    voice.panning = std::clamp(room * (channel.panningEnvelopeValue - 32) + channel.panning, 0, 255);
    SetGainTargets(voice);
}

void SetFrequency(const Channel& channel, const Module& module, Voice& voice) {
    const std::int64_t period = static_cast<std::int64_t>(channel.period) + channel.periodDelta;
    std::int64_t frequency = 0;
    if ((module.flags & FLAG_LINEAR_FREQUENCIES) != 0) {
        // The power is the costly part; a voice's period mostly stays put from tick to tick.
        const std::int64_t exponentSteps =
            4608 - static_cast<std::int64_t>(channel.period) + channel.periodDelta;
        if (voice.linearExponentSteps != exponentSteps) {
            voice.linearFrequency = LinearFrequency(exponentSteps);
            voice.linearExponentSteps = exponentSteps;
        }
        frequency = voice.linearFrequency;
    } else {
        frequency = 14317056 / period;
    }
    frequency = std::clamp(frequency, MINIMUM_FREQUENCY, MAXIMUM_FREQUENCY);
    const std::int64_t rate = std::max(module.outputRate, 1);
    voice.stepInteger = static_cast<std::uint32_t>(frequency / rate);
    voice.stepFraction = static_cast<std::uint32_t>(((frequency % rate) << 32) / rate);
}

}  // namespace

void UpdateVoice(Channel& channel, const Sample& sample, const Module& module) {
    if (static_cast<std::int64_t>(channel.period) + channel.periodDelta == 0) {
        channel.updateFlags &= ~UPDATE_FREQUENCY;  // a period of 0 has no frequency
    }
    if ((channel.updateFlags & UPDATE_TRIGGER) != 0) {
        Trigger(channel, sample);
    }
    Voice& voice = *channel.voice;
    if ((channel.updateFlags & UPDATE_VOLUME) != 0) {
        SetVolume(channel, module, voice);
    }
    if ((channel.updateFlags & UPDATE_PANNING) != 0) {
        SetPanning(channel, voice);
    }
    if ((channel.updateFlags & UPDATE_FREQUENCY) != 0) {
        SetFrequency(channel, module, voice);
    }
    if ((channel.updateFlags & UPDATE_RESTART) != 0) {
        voice.position = 0;
        voice.fraction = 0;
        voice.startOffset = 0;
    }
}
