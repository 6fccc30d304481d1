// The wave output device: queued PCM buffers (a looping one plays until reset) read out by the
// platform's audio output as its music source, and the count of bytes consumed that
// waveOutGetPosition reports.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <mutex>

#include "platform/Platform.h"
#include "platform/audio/EffectMixer.h"

struct HWAVEOUT__ {
    std::mutex mutex;                     // guards queue and offsetInHeader against the device's thread
    std::deque<WAVEHDR*> queue;           // buffers to play, in order
    DWORD offsetInHeader = 0;             // bytes of the front buffer already played
    DWORD loopsLeft = 0;                  // further passes of a looping front buffer
    std::atomic<DWORD> consumedBytes{0};  // since open or reset; wraps at 32 bits
    bool paused = false;                  // guarded by mutex: the device plays silence, the position stays
};

namespace {

inline constexpr UINT BYTES_PER_FRAME = 4;

// Copies up to wanted bytes of the front buffer to out; returns the bytes copied. Finished buffers
// are marked done and leave the queue.
DWORD takeFromQueue(HWAVEOUT__& wave, std::uint8_t* out, DWORD wanted) {
    DWORD copied = 0;
    while (copied < wanted && !wave.queue.empty()) {
        WAVEHDR* header = wave.queue.front();
        const DWORD left = header->dwBufferLength - std::min(wave.offsetInHeader, header->dwBufferLength);
        const DWORD count = std::min(left, wanted - copied);
        std::memcpy(out + copied, header->lpData + wave.offsetInHeader, count);
        copied += count;
        wave.offsetInHeader += count;
        if (wave.offsetInHeader < header->dwBufferLength) {
            continue;
        }
        wave.offsetInHeader = 0;
        const bool looping =
            (header->dwFlags & (WHDR_BEGINLOOP | WHDR_ENDLOOP)) == (WHDR_BEGINLOOP | WHDR_ENDLOOP);
        if (looping && header->dwBufferLength > 0 && (wave.loopsLeft == 0xFFFFFFFF || wave.loopsLeft-- > 1)) {
            continue;
        }
        header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
        wave.queue.pop_front();
        if (!wave.queue.empty()) {
            wave.loopsLeft = wave.queue.front()->dwLoops;
        }
    }
    return copied;
}

void pullFrames(HWAVEOUT__& wave, std::int16_t* frames, int frameCount) {
    const DWORD wanted = static_cast<DWORD>(frameCount) * BYTES_PER_FRAME;
    auto* out = reinterpret_cast<std::uint8_t*>(frames);
    DWORD copied = 0;
    {
        std::lock_guard<std::mutex> lock(wave.mutex);
        if (!wave.paused) {
            copied = takeFromQueue(wave, out, wanted);
        }
        // Played bytes are counted once they have been handed to the device.
        wave.consumedBytes.fetch_add(copied);
    }
    std::memset(out + copied, 0, wanted - copied);
}

bool IsStereo16(const WAVEFORMATEX* format) {
    return format != nullptr && format->wFormatTag == WAVE_FORMAT_PCM && format->nChannels == 2 &&
           format->wBitsPerSample == 16 && format->nSamplesPerSec > 0 && format->nSamplesPerSec <= 384000;
}

}  // namespace

MMRESULT waveOutOpen(LPHWAVEOUT waveOut, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR,
                     DWORD flags) {
    if (waveOut == nullptr) {
        return MMSYSERR_INVALPARAM;
    }
    *waveOut = nullptr;
    if (deviceId != WAVE_MAPPER && deviceId != 0) {
        return MMSYSERR_BADDEVICEID;
    }
    if (flags != CALLBACK_NULL) {
        return MMSYSERR_INVALPARAM;
    }
    if (!IsStereo16(format)) {
        return WAVERR_BADFORMAT;
    }
    auto wave = std::make_unique<HWAVEOUT__>();
    HWAVEOUT__* raw = wave.get();
    using Attach = veskar::platform::EffectMixer::Attach;
    const Attach attached = veskar::platform::effectMixer().attachMusic(
        format->nSamplesPerSec,
        [raw](std::int16_t* frames, int frameCount) { pullFrames(*raw, frames, frameCount); });
    if (attached == Attach::Busy) {
        return MMSYSERR_ALLOCATED;
    }
    if (attached == Attach::NoDevice) {
        return MMSYSERR_NODRIVER;
    }
    *waveOut = wave.release();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT waveOut, LPWAVEHDR header, UINT) {
    if (waveOut == nullptr || header == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    header->dwFlags = (header->dwFlags | WHDR_PREPARED) & ~WHDR_DONE;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT waveOut, LPWAVEHDR header, UINT) {
    if (waveOut == nullptr || header == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    if ((header->dwFlags & WHDR_PREPARED) == 0) {
        return WAVERR_UNPREPARED;
    }
    if ((header->dwFlags & WHDR_INQUEUE) != 0) {
        return MMSYSERR_INVALPARAM;
    }
    header->dwFlags = (header->dwFlags | WHDR_INQUEUE) & ~WHDR_DONE;
    if (waveOut->queue.empty()) {
        waveOut->offsetInHeader = 0;
        waveOut->loopsLeft = header->dwLoops;
    }
    waveOut->queue.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT waveOut) {
    if (waveOut == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    waveOut->paused = true;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT waveOut) {
    if (waveOut == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    waveOut->paused = false;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetPosition(HWAVEOUT waveOut, LPMMTIME time, UINT) {
    if (waveOut == nullptr || time == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    time->wType = TIME_BYTES;
    time->u.cb = waveOut->consumedBytes.load();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT waveOut, LPWAVEHDR header, UINT) {
    if (waveOut == nullptr || header == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    if ((header->dwFlags & WHDR_INQUEUE) != 0) {
        return WAVERR_STILLPLAYING;
    }
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT waveOut) {
    if (waveOut == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    std::lock_guard<std::mutex> lock(waveOut->mutex);
    for (WAVEHDR* header : waveOut->queue) {
        header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    }
    waveOut->queue.clear();
    waveOut->offsetInHeader = 0;
    waveOut->consumedBytes.store(0);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT waveOut) {
    if (waveOut == nullptr) {
        return MMSYSERR_INVALHANDLE;
    }
    (void)waveOutReset(waveOut);
    veskar::platform::effectMixer().detachMusic();
    delete waveOut;
    return MMSYSERR_NOERROR;
}
