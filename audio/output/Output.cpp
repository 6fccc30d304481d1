// The device half of the output: opening and closing the wave device, starting and stopping playback,
// and the playback thread that refills the ring behind the device's play position.
#include "audio/output/Output.h"

#include <algorithm>

#include "audio/output/OutputBlocks.h"
#include "audio/player/Mixer.h"
#include "audio/player/Module.h"
#include "audio/player/ModuleFileOps.h"
#include "audio/player/Playback.h"

namespace {

inline constexpr DWORD LOOP_FOREVER = 0xFFFFFFFF;
inline constexpr DWORD THREAD_POLL_MS = 5;
inline constexpr DWORD STOP_POLL_MS = 50;
inline constexpr std::int32_t BYTES_PER_FRAME = 4;             // 16-bit stereo
inline constexpr std::int32_t FADE_MS = 10;                    // fade-out when the device closes
inline constexpr std::int32_t DEVICE_LOOKAHEAD_FRAMES = 2048;  // what a device may take ahead of playing
inline constexpr int FADE_WAIT_POLLS = 20;                     // at most 100 ms for the fade to be played

DWORD PlaybackThread(LPVOID) {
    OutputState& state = Output();
    state.threadExited.store(false);
    while (!state.stopRequested.load()) {
        MMTIME time{};
        time.wType = TIME_BYTES;
        (void)waveOutGetPosition(state.device, &time, sizeof(time));
        const std::uint32_t playFrame = time.u.cb / BYTES_PER_FRAME;
        const std::int32_t playBlock =
            static_cast<std::int32_t>(playFrame % static_cast<std::uint32_t>(state.bufferFrames)) /
            state.blockFrames;
        while (state.writeBlock != playBlock && !state.stopRequested.load()) {
            state.mixingBlock.store(true);
            MixBlock();
            state.mixingBlock.store(false);
        }
        Sleep(THREAD_POLL_MS);
    }
    state.threadExited.store(true);
    return 0;
}

void PrepareRing(OutputState& state) {
    if (!state.pcmRing.empty()) {
        // The device may still loop over the previous ring: stop it before the ring is replaced, and
        // start its position from 0 again so that it matches block 0.
        (void)waveOutReset(state.device);
    }
    AllocateRing();
    state.ringHeader = WAVEHDR{};
    state.ringHeader.lpData = reinterpret_cast<LPSTR>(state.pcmRing.data());
    state.ringHeader.dwBufferLength = static_cast<DWORD>(state.bufferFrames * BYTES_PER_FRAME);
    state.ringHeader.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    state.ringHeader.dwLoops = LOOP_FOREVER;
    (void)waveOutPrepareHeader(state.device, &state.ringHeader, sizeof(WAVEHDR));
}

DWORD PlayedBytes(HWAVEOUT device) {
    MMTIME time{};
    time.wType = TIME_BYTES;
    (void)waveOutGetPosition(device, &time, sizeof(time));
    return time.u.cb;
}

// Ends the ring's sound without a click: the next FADE_MS of it fade to silence, the rest is
// silenced, and the device is given (a bounded) time to play the fade before it is reset. The device
// is paused while the ring is rewritten, so that its reader never sees a half-written frame; the
// pause lasts as long as the rewrite, well under a millisecond.
void FadeOutRing(OutputState& state) {
    if (state.pcmRing.empty() || state.bufferFrames <= 0) {
        return;
    }
    (void)waveOutPause(state.device);
    const DWORD startBytes = PlayedBytes(state.device);
    const std::uint32_t start =
        (startBytes / BYTES_PER_FRAME) % static_cast<std::uint32_t>(state.bufferFrames);
    const std::int32_t fadeFrames =
        std::min(std::max(1, state.outputRate * FADE_MS / 1000), state.bufferFrames);
    for (std::int32_t offset = 0; offset < fadeFrames; ++offset) {
        const std::size_t frame = (start + static_cast<std::uint32_t>(offset)) % state.bufferFrames;
        const std::int32_t weight = fadeFrames - offset;  // fadeFrames..1
        for (std::size_t channel = 0; channel < 2; ++channel) {
            std::int16_t& value = state.pcmRing[frame * 2 + channel];
            value = static_cast<std::int16_t>(value * weight / fadeFrames);
        }
    }
    // Everything after the fade, up to where it began, is silence.
    const std::uint32_t silenceStart = (start + static_cast<std::uint32_t>(fadeFrames)) % state.bufferFrames;
    const std::size_t silentFrames = static_cast<std::size_t>(state.bufferFrames - fadeFrames);
    const std::size_t firstPart = std::min<std::size_t>(silentFrames, state.bufferFrames - silenceStart);
    std::fill_n(state.pcmRing.begin() + silenceStart * 2, firstPart * 2, std::int16_t{0});
    std::fill_n(state.pcmRing.begin(), (silentFrames - firstPart) * 2, std::int16_t{0});
    (void)waveOutRestart(state.device);
    const DWORD fadeBytes = static_cast<DWORD>(fadeFrames + DEVICE_LOOKAHEAD_FRAMES) * BYTES_PER_FRAME;
    for (int poll = 0; poll < FADE_WAIT_POLLS && PlayedBytes(state.device) - startBytes < fadeBytes; ++poll) {
        Sleep(THREAD_POLL_MS);
    }
}

}  // namespace

bool OpenOutput(std::int32_t rate) {
    OutputState& state = Output();
    if (!ModuleFileOpsInstalled() || BlockFramesAt(rate) == 0) {
        return false;
    }
    if (state.currentModule != nullptr) {
        (void)StopPlayback(state.currentModule);
    }
    if (state.device != nullptr) {
        CloseOutput();
    }
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.nAvgBytesPerSec = static_cast<DWORD>(rate * BYTES_PER_FRAME);
    format.nBlockAlign = BYTES_PER_FRAME;
    format.wBitsPerSample = 16;
    format.cbSize = 0;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        return false;
    }
    state.device = device;
    SetOutputRate(rate);
    ResetMixer(rate);
    return true;
}

void CloseOutput() {
    OutputState& state = Output();
    // The thread polls the device: it must be gone before the device is.
    if (state.currentModule != nullptr) {
        (void)StopPlayback(state.currentModule);
    }
    if (state.device == nullptr) {
        return;
    }
    FadeOutRing(state);
    (void)waveOutReset(state.device);
    (void)waveOutClose(state.device);
    state.device = nullptr;
    state.pcmRing.clear();
    state.pcmRing.shrink_to_fit();
}

bool StartPlayback(Module* module) {
    OutputState& state = Output();
    if (module == nullptr || state.device == nullptr) {
        return false;
    }
    (void)StopPlayback(module);
    if (!PreparePlayback(*module, state.outputRate)) {
        return false;
    }
    state.currentModule = module;
    PrepareRing(state);
    AllocateMixBuffer();
    state.writeBlock = 0;
    do {
        MixBlock();
    } while (state.writeBlock != 0);
    (void)waveOutWrite(state.device, &state.ringHeader, sizeof(WAVEHDR));
    state.stopRequested.store(false);
    // Marked running before the thread starts, so that a stop right after this sees a thread to wait for.
    state.threadExited.store(false);
    state.playbackThread = CreateThread(nullptr, 0, PlaybackThread, nullptr, 0, nullptr);
    if (state.playbackThread == nullptr) {
        // Without a thread nothing refills the ring: silence the device rather than loop 2 s forever.
        state.threadExited.store(true);
        (void)StopPlayback(module);
        (void)waveOutReset(state.device);
        return false;
    }
    (void)SetThreadPriority(state.playbackThread, THREAD_PRIORITY_TIME_CRITICAL);
    return true;
}

bool StopPlayback(Module* module) {
    OutputState& state = Output();
    if (module == nullptr) {
        return false;
    }
    state.stopRequested.store(true);
    WaitForMixedBlock();
    if (state.playbackThread != nullptr) {
        while (!state.threadExited.load()) {
            Sleep(STOP_POLL_MS);
        }
        (void)CloseHandle(state.playbackThread);
        state.playbackThread = nullptr;
    }
    FreeMixBuffer();
    SilenceVoices();
    if (!state.pcmRing.empty()) {
        (void)waveOutUnprepareHeader(state.device, &state.ringHeader, sizeof(WAVEHDR));
        state.ringHeader.dwFlags &= ~WHDR_PREPARED;
    }
    state.currentModule = nullptr;
    return true;
}

Module* PlayingModule() {
    return Output().currentModule;
}

void WaitForMixedBlock() {
    while (Output().mixingBlock.load()) {
        Sleep(1);
    }
}

bool FreeModule(std::unique_ptr<Module> module) {
    if (module == nullptr) {
        return false;
    }
    if (PlayingModule() == module.get()) {
        WaitForMixedBlock();
        (void)StopPlayback(module.get());
    }
    return true;
}
