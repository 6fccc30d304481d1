// Opening and closing the shared device, and the pull that mixes music and effects with saturation.
// The device is closed only outside the mixing lock, because closing waits for a running pull.
#include "platform/audio/EffectMixer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace veskar::platform {
namespace {

inline constexpr int CHUNK_FRAMES = 256;

std::int16_t Saturate(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, -32768, 32767));
}

}  // namespace

EffectMixer& effectMixer() {
    static EffectMixer mixer;
    return mixer;
}

EffectMixer::~EffectMixer() {
    std::lock_guard<std::mutex> lock(control);
    closeDevice();
}

EffectMixer::Attach EffectMixer::attachMusic(std::uint32_t rate, Source source) {
    std::lock_guard<std::mutex> lock(control);
    if (musicAttached) {
        return Attach::Busy;
    }
    if (device && deviceRate != rate) {
        closeDevice();
    }
    if (!device && !openDevice(rate)) {
        return Attach::NoDevice;
    }
    {
        std::lock_guard<std::mutex> mixLock(mixing);
        music = std::move(source);
    }
    musicAttached = true;
    return Attach::Attached;
}

void EffectMixer::detachMusic() {
    std::lock_guard<std::mutex> lock(control);
    Source detached;
    {
        std::lock_guard<std::mutex> mixLock(mixing);
        std::swap(detached, music);
    }
    musicAttached = false;
    if (!effectSounding()) {
        closeDevice();
    }
}

bool EffectMixer::playEffect(WaveSound sound, bool unlessSounding) {
    std::lock_guard<std::mutex> lock(control);
    if (unlessSounding && effectSounding()) {
        return false;
    }
    if (!device && !openDevice(EFFECT_DEVICE_RATE)) {
        return false;
    }
    EffectVoice started{std::move(sound), 0, 0, true};
    EffectVoice retired;  // freed here, outside the mixing lock
    {
        std::lock_guard<std::mutex> mixLock(mixing);
        if (current.active) {
            retired = std::exchange(fading, std::move(current));
            cutOff(fading);
        } else {
            retired = std::move(current);
        }
        current = std::move(started);
    }
    return true;
}

void EffectMixer::stopEffect() {
    std::lock_guard<std::mutex> lock(control);
    {
        std::lock_guard<std::mutex> mixLock(mixing);
        cutOff(current);
    }
    if (!musicAttached) {
        closeDevice();
    }
}

bool EffectMixer::openDevice(std::uint32_t rate) {
    std::unique_ptr<AudioDevice> opened = CreateAudioDevice();
    const bool ok =
        opened->open(static_cast<int>(rate),
                     [this](std::int16_t* mix, int frameCount, std::int16_t* musicPart,
                            std::int16_t* effectPart) { pull(mix, frameCount, musicPart, effectPart); });
    if (!ok) {
        return false;
    }
    {
        std::lock_guard<std::mutex> mixLock(mixing);
        deviceRate = rate;
    }
    device = std::move(opened);
    return true;
}

void EffectMixer::closeDevice() {
    if (!device) {
        return;
    }
    device->close();
    device.reset();
    EffectVoice retiredCurrent;
    EffectVoice retiredFading;
    std::lock_guard<std::mutex> mixLock(mixing);
    deviceRate = 0;
    std::swap(retiredCurrent, current);
    std::swap(retiredFading, fading);
}

bool EffectMixer::effectSounding() {
    std::lock_guard<std::mutex> mixLock(mixing);
    return current.active;
}

void EffectMixer::pull(std::int16_t* mix, int frameCount, std::int16_t* musicPart, std::int16_t* effectPart) {
    std::lock_guard<std::mutex> mixLock(mixing);
    for (int done = 0; done < frameCount;) {
        const int count = std::min(CHUNK_FRAMES, frameCount - done);
        const std::size_t values = static_cast<std::size_t>(count) * 2;
        std::int16_t* out = mix + static_cast<std::size_t>(done) * 2;
        if (music) {
            music(out, count);
        } else {
            std::memset(out, 0, values * sizeof(std::int16_t));
        }
        if (musicPart != nullptr) {
            std::memcpy(musicPart + static_cast<std::size_t>(done) * 2, out, values * sizeof(std::int16_t));
        }
        std::array<std::int32_t, CHUNK_FRAMES * 2> effects{};
        renderEffect(fading, deviceRate, effects.data(), count);
        renderEffect(current, deviceRate, effects.data(), count);
        for (std::size_t i = 0; i < values; ++i) {
            out[i] = Saturate(out[i] + effects[i]);
            if (effectPart != nullptr) {
                effectPart[static_cast<std::size_t>(done) * 2 + i] = Saturate(effects[i]);
            }
        }
        done += count;
    }
}

}  // namespace veskar::platform
