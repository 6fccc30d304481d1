// Resampling of an effect to the device rate, 32.32 fixed-point position, 16-bit fraction for the
// interpolation. Past the last frame the sound interpolates towards silence.
#include "platform/audio/EffectVoice.h"

#include <cstddef>

namespace veskar::platform {

void cutOff(EffectVoice& voice) {
    if (voice.active && voice.fadeLeft == 0) {
        voice.fadeLeft = CUT_FADE_FRAMES;
    }
}

void renderEffect(EffectVoice& voice, std::uint32_t deviceRate, std::int32_t* out, int frameCount) {
    const WaveSound& sound = voice.sound;
    if (!voice.active || deviceRate == 0 || sound.channels == 0) {
        return;
    }
    const std::uint64_t step = (static_cast<std::uint64_t>(sound.rate) << 32) / deviceRate;
    const std::size_t frames = sound.samples.size() / sound.channels;
    for (int i = 0; i < frameCount; ++i) {
        const std::size_t index = static_cast<std::size_t>(voice.position >> 32);
        if (index >= frames) {
            voice.active = false;
            return;
        }
        const std::int64_t fraction = static_cast<std::int64_t>((voice.position >> 16) & 0xFFFF);
        for (std::size_t side = 0; side < 2; ++side) {
            const std::size_t channel = sound.channels == 1 ? 0 : side;
            const std::int64_t from = sound.samples[index * sound.channels + channel];
            const std::int64_t to =
                index + 1 < frames ? sound.samples[(index + 1) * sound.channels + channel] : 0;
            std::int64_t value = from + (((to - from) * fraction) >> 16);
            if (voice.fadeLeft > 0) {
                value = value * voice.fadeLeft / CUT_FADE_FRAMES;
            }
            out[2 * i + side] += static_cast<std::int32_t>(value);
        }
        voice.position += step;
        if (voice.fadeLeft > 0 && --voice.fadeLeft == 0) {
            voice.active = false;
            return;
        }
    }
}

}  // namespace veskar::platform
