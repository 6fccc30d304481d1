// The platform's one audio output: it owns the backend's sound device and mixes into it the wave
// output's looping ring (the music) and the current one-shot sound (the effects), so that effects
// sound over the music and also without it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/EffectVoice.h"
#include "platform/audio/WaveImage.h"

namespace veskar::platform {

// The device rate when an effect opens the device with no music attached.
inline constexpr std::uint32_t EFFECT_DEVICE_RATE = 44100;

class EffectMixer {
  public:
    // Fills frameCount interleaved 16-bit stereo frames; called on the device's thread.
    using Source = std::function<void(std::int16_t* frames, int frameCount)>;
    enum class Attach { Attached, Busy, NoDevice };

    EffectMixer() = default;
    ~EffectMixer();
    EffectMixer(const EffectMixer&) = delete;
    EffectMixer& operator=(const EffectMixer&) = delete;

    // Makes `music` the ring source, opening the device at `rate` first (reopening it if an effect
    // alone had it at another rate). Busy while another source is attached; NoDevice when no
    // device opens.
    [[nodiscard]] Attach attachMusic(std::uint32_t rate, Source music);
    // Detaches the ring source: it is not called once this returns. The device closes unless an
    // effect is still sounding (it then stays open until the program ends or the next detach).
    void detachMusic();
    // Starts `sound` from its beginning, opening the device at EFFECT_DEVICE_RATE if none is open.
    // An effect still sounding is cut off, or, when `unlessSounding`, the call fails instead.
    // False when no device opens.
    [[nodiscard]] bool playEffect(WaveSound sound, bool unlessSounding);
    // Cuts off the current effect; with no music attached the device closes.
    void stopEffect();

  private:
    void pull(std::int16_t* mix, int frameCount, std::int16_t* musicPart, std::int16_t* effectPart);
    [[nodiscard]] bool openDevice(std::uint32_t rate);
    void closeDevice();
    [[nodiscard]] bool effectSounding();

    std::mutex control;  // serialises open, close and attach; never taken on the device's thread
    std::unique_ptr<AudioDevice> device;
    bool musicAttached = false;
    // Taken by the device's thread for each pull; guards everything below.
    std::mutex mixing;
    std::uint32_t deviceRate = 0;  // 0 while closed
    Source music;
    EffectVoice current;
    EffectVoice fading;  // the previous effect during the fade that cuts it off
};

// The process's audio output, made on first use and closed when the program ends.
[[nodiscard]] EffectMixer& effectMixer();

}  // namespace veskar::platform
