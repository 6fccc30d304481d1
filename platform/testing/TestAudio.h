// Control of the test backend's audio device: tests decide whether a device exists, advance its play
// position by hand (virtual time) and read back what it played.
#pragma once

#include <cstdint>
#include <vector>

namespace veskar::platform::testing {

// Whether opening the device succeeds (true by default), like a machine with or without sound.
void SetAudioDeviceAvailable(bool available);
// True while a wave device is open on the test backend.
[[nodiscard]] bool AudioDeviceOpen();
// The rate the open device was asked for (0 when closed).
[[nodiscard]] int AudioDeviceRate();
// Plays frameCount frames: pulls them from the wave output (moving its position on) and, when record
// is true, appends them to the recording. Call from one test thread; while a playback thread refills
// the ring, advance by less than the ring minus one block at a time.
void AdvanceAudio(int frameCount, bool record = true);
// Interleaved 16-bit stereo frames played with record = true since the last clear.
[[nodiscard]] const std::vector<std::int16_t>& RecordedAudio();
void ClearRecordedAudio();

}  // namespace veskar::platform::testing
