// The wave output device and threads: the part of the desktop API through which the music player
// plays one looping PCM ring and runs its playback thread; and the one-shot sound that the sound
// effects play over it.
#pragma once

#include <cstddef>

#include "platform/WinTypes.h"

// Wave format of the output: plain PCM.
inline constexpr WORD WAVE_FORMAT_PCM = 1;
// The default output device.
inline constexpr UINT WAVE_MAPPER = static_cast<UINT>(-1);
// waveOutOpen flags: no notification.
inline constexpr DWORD CALLBACK_NULL = 0;

// Results.
inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

// Wave header flags.
inline constexpr DWORD WHDR_DONE = 0x01;
inline constexpr DWORD WHDR_PREPARED = 0x02;
inline constexpr DWORD WHDR_BEGINLOOP = 0x04;
inline constexpr DWORD WHDR_ENDLOOP = 0x08;
inline constexpr DWORD WHDR_INQUEUE = 0x10;

// MMTIME formats.
inline constexpr UINT TIME_MS = 0x01;
inline constexpr UINT TIME_SAMPLES = 0x02;
inline constexpr UINT TIME_BYTES = 0x04;

// Thread priorities.
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;

struct WAVEFORMATEX {
    WORD wFormatTag;       // WAVE_FORMAT_PCM
    WORD nChannels;        // 2
    DWORD nSamplesPerSec;  // frames per second
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;     // bytes per frame
    WORD wBitsPerSample;  // 16
    WORD cbSize;          // extra format bytes: 0
};
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;

struct WAVEHDR {
    LPSTR lpData;          // the caller's PCM buffer
    DWORD dwBufferLength;  // bytes
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;  // WHDR_*
    DWORD dwLoops;  // times a BEGINLOOP..ENDLOOP buffer plays
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};
using LPWAVEHDR = WAVEHDR*;

struct MMTIME {
    UINT wType;  // TIME_* requested; the device may answer in another format
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;  // TIME_BYTES: bytes played
    } u;
};
using LPMMTIME = MMTIME*;

using LPHWAVEOUT = HWAVEOUT*;

// Opens output device deviceId (WAVE_MAPPER: the default) for format (16-bit stereo PCM only). Called
// on the window's thread. On success stores the handle in *waveOut; on failure returns an error and
// leaves *waveOut null: MMSYSERR_NODRIVER without a sound device, MMSYSERR_ALLOCATED while another
// wave output is open, WAVERR_BADFORMAT for another format.
MMRESULT waveOutOpen(LPHWAVEOUT waveOut, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
// Marks header as prepared (WHDR_PREPARED). Fails for a null handle or header.
MMRESULT waveOutPrepareHeader(HWAVEOUT waveOut, LPWAVEHDR header, UINT headerSize);
// Queues a prepared buffer. A header with WHDR_BEGINLOOP | WHDR_ENDLOOP plays its buffer dwLoops
// times, back to back; with dwLoops 0xFFFFFFFF that is for as long as the device stays open. The
// caller may rewrite bytes of the buffer while it plays; they are heard when the device reaches them.
MMRESULT waveOutWrite(HWAVEOUT waveOut, LPWAVEHDR header, UINT headerSize);
// Pauses the device: once this returns the device reads none of the queued buffers (it plays silence)
// and its position stays, until waveOutRestart. The caller may then rewrite any byte of a queued
// buffer, the one being played included. Fails for a null handle.
MMRESULT waveOutPause(HWAVEOUT waveOut);
// Resumes a paused device where it stopped. Fails for a null handle.
MMRESULT waveOutRestart(HWAVEOUT waveOut);
// Stores in time->u.cb the bytes the device has consumed since it was opened or reset (TIME_BYTES;
// other requests are answered in bytes too). Safe from any thread while the device is open.
MMRESULT waveOutGetPosition(HWAVEOUT waveOut, LPMMTIME time, UINT timeSize);
// Clears WHDR_PREPARED; WAVERR_STILLPLAYING while the buffer is still queued (reset the device first).
MMRESULT waveOutUnprepareHeader(HWAVEOUT waveOut, LPWAVEHDR header, UINT headerSize);
// Stops playback, forgets queued buffers and sets the position back to 0.
MMRESULT waveOutReset(HWAVEOUT waveOut);
// Closes the device; the handle is invalid afterwards.
MMRESULT waveOutClose(HWAVEOUT waveOut);

// sndPlaySoundA flags.
inline constexpr UINT SND_ASYNC = 0x0001;      // return at once; the sound plays on its own
inline constexpr UINT SND_NODEFAULT = 0x0002;  // no default sound when this one cannot play
inline constexpr UINT SND_MEMORY = 0x0004;     // the argument is a RIFF/WAVE image in memory
inline constexpr UINT SND_NOSTOP = 0x0010;     // fail instead of cutting off a sound still playing

// Plays a complete RIFF/WAVE image in memory once (PCM, 8- or 16-bit, mono or stereo, 1000 to
// 192000 frames per second), mixed over the wave output device's buffers; called on the window's
// thread. Flags must include SND_ASYNC and SND_MEMORY. The image is read only within the length its
// RIFF header declares, and copied: the caller may free it once the call returns. A new sound cuts
// off the one still playing (unless SND_NOSTOP, which then fails). A null sound stops the current
// one. Returns FALSE, and plays nothing, for a malformed or truncated image, other flags, or when no
// sound device can be opened.
BOOL sndPlaySoundA(LPCSTR sound, UINT flags);

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LPDWORD = DWORD*;

// Starts a thread running start(parameter); stackSize 0 is the default and flags must be 0. Returns a
// handle to close with CloseHandle (which does not stop the thread), or null on failure.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, std::size_t stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD threadId);
// Best effort: raises the thread's scheduling priority where the process may; TRUE even when the
// system kept the old priority.
BOOL SetThreadPriority(HANDLE thread, int priority);
// Suspends the calling thread for at least milliseconds.
void Sleep(DWORD milliseconds);

inline constexpr MMRESULT TIMERR_NOERROR = 0;
inline constexpr MMRESULT TIMERR_NOCANDO = 97;
// Asks for timers and waits of the given resolution in milliseconds (1 or more) until the matching
// timeEndPeriod. This layer's timers are exact to the millisecond already, so both only check the
// argument: TIMERR_NOCANDO for 0.
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);
// Releases a handle from CreateThread. A thread still running goes on and is detached.
BOOL CloseHandle(HANDLE handle);
