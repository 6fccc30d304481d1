// The audio output state of the process: the wave device, the ring of blocks that the device loops
// over, the playback thread, and the operations that start and stop the music. Only this part of the
// music player sees the platform; it renders through the device-free block loop of Playback.h.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/player/Module.h"
#include "platform/Platform.h"

struct OutputState {
    HWAVEOUT device = nullptr;
    std::int32_t outputRate = DEFAULT_OUTPUT_RATE;  // frames per second
    std::int32_t blockFrames = 0;                   // about 20 ms, a multiple of 4 (884 at 44100 Hz)
    std::int32_t bufferFrames = 0;                  // ring length: 100 blocks
    std::vector<std::int16_t> pcmRing;  // bufferFrames 16-bit stereo frames, the device's looping buffer
    WAVEHDR ringHeader{};
    std::vector<float> mixStorage;  // holds the float mix area
    float* mixBuffer = nullptr;     // 16-byte aligned address in mixStorage, blockFrames stereo frames
    std::atomic<std::int32_t> writeBlock{0};  // next block to mix, 0..blocks-1; read by tests while playing
    Module* currentModule = nullptr;
    HANDLE playbackThread = nullptr;
    std::atomic<bool> stopRequested{false};  // set by the stopping thread
    std::atomic<bool> mixingBlock{false};    // true while the playback thread is inside MixBlock
    std::atomic<bool> threadExited{true};    // true when no playback thread runs
};

// The one output state of the process. Touched by the window's thread only while no playback thread
// runs; the playback thread owns the module, voices and channels while it does.
[[nodiscard]] OutputState& Output();

// Frames per second of the open output (DEFAULT_OUTPUT_RATE for the game).
[[nodiscard]] std::int32_t OutputRate();

// Blocks in the ring (100).
[[nodiscard]] std::int32_t RingBlocks();

// Opens the default wave device for 16-bit stereo PCM at rate. False (and nothing else changed) when
// the module file operations are not all installed or the device cannot be opened. Stops a running
// playback and closes an open device first. On success sets the block sizes and resets the mixer.
[[nodiscard]] bool OpenOutput(std::int32_t rate);

// Stops a running playback, resets and closes the device and releases the ring. Errors are ignored.
void CloseOutput();

// Plays module from its start: stops any playback, resets the module's playback state, fills the whole
// ring, starts the device looping over it and starts the playback thread. False for no module or when
// no device is open.
[[nodiscard]] bool StartPlayback(Module* module);

// Stops the playback thread (after the block it is mixing), releases the mix buffer and silences every
// voice, so that none refers to the module's samples any more. The ring keeps sounding until
// CloseOutput resets the device. False for no module.
bool StopPlayback(Module* module);

// The module being played, or nullptr.
[[nodiscard]] Module* PlayingModule();

// Waits while the playback thread is inside a block.
void WaitForMixedBlock();

// Renders ring block writeBlock of currentModule (ticks the replayer as its tick lengths run out, mixes
// and converts to PCM) and moves writeBlock on.
void MixBlock();

// Frees module; false for none. When module is the one playing, waits for the block being mixed and
// stops playback first, so that no voice is left referring to its samples.
bool FreeModule(std::unique_ptr<Module> module);
