// Control of the test backend's audio device: tests decide whether a device exists, advance its play
// position by hand (virtual time) and read back what it played: the mix, and the music and the
// effects apart, frame for frame in step with each other.
#pragma once

#include <cstdint>
#include <vector>

namespace veskar::platform::testing {

// Whether opening the device succeeds (true by default), like a machine with or without sound.
void setAudioDeviceAvailable(bool available);
// True while the audio output has the device open (a wave output, or effects with no music).
[[nodiscard]] bool audioDeviceOpen();
// The rate the open device was asked for (0 when closed).
[[nodiscard]] int audioDeviceRate();
// Plays frameCount frames: pulls them from the audio output (moving the wave output's position on)
// and, when record is true, appends them to the recordings. Call from one test thread; while a
// playback thread refills the ring, advance by less than the ring minus one block at a time.
void advanceAudio(int frameCount, bool record = true);
// Interleaved 16-bit stereo frames played with record = true since the last clear: the mix as the
// listener hears it, and its two parts before mixing.
[[nodiscard]] const std::vector<std::int16_t>& recordedAudio();
[[nodiscard]] const std::vector<std::int16_t>& recordedMusic();
[[nodiscard]] const std::vector<std::int16_t>& recordedEffects();
void clearRecordedAudio();

}  // namespace veskar::platform::testing
