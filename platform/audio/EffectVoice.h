// One sound effect on its way to the device: its decoded frames read out at the device's rate by
// linear interpolation, mono spread to both sides, and a short fade when it is cut off.
#pragma once

#include <cstdint>

#include "platform/audio/WaveImage.h"

namespace veskar::platform {

// A cut-off effect fades out over this many device frames (about 3 ms) instead of stopping dead,
// which would click.
inline constexpr std::uint32_t CUT_FADE_FRAMES = 128;

struct EffectVoice {
    WaveSound sound;
    std::uint64_t position = 0;  // source frames, 32.32 fixed point
    std::uint32_t fadeLeft = 0;  // 0 while it plays on; otherwise device frames left of its fade
    bool active = false;         // false once played to its end or faded out
};

// Starts the fade that cuts an active voice off.
void cutOff(EffectVoice& voice);

// Adds the voice's next frameCount stereo frames at deviceRate to out (2 x frameCount values) and
// moves it on; it turns inactive at its end or its fade's. Nothing is added while it is inactive.
void renderEffect(EffectVoice& voice, std::uint32_t deviceRate, std::int32_t* out, int frameCount);

}  // namespace veskar::platform
