// veskar-apiprobe: runs the desktop calls the game relies on through a fixed series of situations and
// writes what its window and dialog procedures saw, in order, to apiprobe.txt. Built against the
// system on Windows and against Veskar's layer elsewhere, the two transcripts must agree.
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"

namespace {

inline constexpr UINT PROBE_MESSAGE = WM_USER + 1;
inline constexpr UINT_PTR TICK_TIMER = 7;
inline constexpr UINT_PTR DIALOG_TIMER = 9;
inline constexpr int NAME_DIALOG = 132;
inline constexpr int EDIT_ID = 1006;
inline constexpr int WAVE_MATCH = 124;
inline constexpr int MENU_BITMAP = 102;
inline constexpr DWORD PAUSE_SLACK_BYTES = 44100 * 4 / 50;  // 20 ms of 16-bit stereo at 44100 Hz

std::FILE* transcript = nullptr;
bool paintByDefault = false;  // WM_PAINT goes to DefWindowProcA instead of BeginPaint/EndPaint
HWND openDialog = nullptr;
int dialogTicks = 0;

void note(const char* format, long value = 0, long more = 0) {
    std::fprintf(transcript, format, value, more);
    std::fputc('\n', transcript);
}

LRESULT CALLBACK probeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            note("WM_CREATE");
            return 0;
        case WM_PAINT:
            note("WM_PAINT");
            if (!paintByDefault) {
                PAINTSTRUCT paint{};
                BeginPaint(window, &paint);
                EndPaint(window, &paint);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == DIALOG_TIMER && openDialog != nullptr) {
                if (++dialogTicks == 1) {
                    const auto selection =
                        static_cast<DWORD>(SendMessageA(GetDlgItem(openDialog, EDIT_ID), EM_GETSEL, 0, 0));
                    note("edit field selection on opening: %ld..%ld", selection & 0xFFFF, selection >> 16);
                    InvalidateRect(window, nullptr, TRUE);
                } else if (dialogTicks == 5) {
                    EndDialog(openDialog, 42);
                    note("EndDialog returned");
                }
                return 0;
            }
            note("WM_TIMER %ld", static_cast<long>(wParam));
            return 0;
        case PROBE_MESSAGE:
            note("posted message %ld", static_cast<long>(wParam));
            return 0;
        case WM_CLOSE:
            note("WM_CLOSE");
            break;
        case WM_DESTROY:
            note("WM_DESTROY");
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            note("WM_INITDIALOG with %ld", static_cast<long>(lParam));
            openDialog = dialog;
            HWND edit = GetDlgItem(dialog, EDIT_ID);
            SendMessageA(edit, EM_LIMITTEXT, 4, 0);
            SetDlgItemTextA(dialog, EDIT_ID, "abcdefgh");
            char text[16] = {};
            const UINT length = GetDlgItemTextA(dialog, EDIT_ID, text, sizeof text);
            note("text set past the limit keeps %ld characters", static_cast<long>(length));
            const UINT cut = GetDlgItemTextA(dialog, EDIT_ID, text, 3);
            note("text read into 3 bytes: %ld characters", static_cast<long>(cut));
            SetDlgItemTextA(dialog, EDIT_ID, "ab");
            return TRUE;
        }
        case WM_COMMAND:
            note("WM_COMMAND %ld from %ld", static_cast<long>(HIWORD(wParam)),
                 static_cast<long>(LOWORD(wParam)));
            return TRUE;
        default:
            return FALSE;
    }
}

// Dispatches every message that is ready, as a loop does while nothing waits; notes WM_QUIT.
void drain() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            note("WM_QUIT %ld", static_cast<long>(message.wParam));
            continue;
        }
        DispatchMessageA(&message);
    }
}

void section(const char* title) {
    note("");
    std::fprintf(transcript, "== %s\n", title);
}

void probeMessages(HWND window) {
    section("paints and posted messages");
    InvalidateRect(window, nullptr, TRUE);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, PROBE_MESSAGE, 1, 0);
    drain();
    paintByDefault = true;
    InvalidateRect(window, nullptr, TRUE);
    drain();
    paintByDefault = false;

    section("timer");
    note("timeBeginPeriod(1): %ld", static_cast<long>(timeBeginPeriod(1)));
    SetTimer(window, TICK_TIMER, 10, nullptr);
    Sleep(150);
    drain();
    InvalidateRect(window, nullptr, TRUE);
    PostMessageA(window, PROBE_MESSAGE, 2, 0);
    Sleep(50);
    drain();
    Sleep(50);
    KillTimer(window, TICK_TIMER);
    drain();
    note("timeEndPeriod(1): %ld", static_cast<long>(timeEndPeriod(1)));

    section("quit");
    SetTimer(window, TICK_TIMER, 10, nullptr);
    InvalidateRect(window, nullptr, TRUE);
    PostMessageA(window, PROBE_MESSAGE, 3, 0);
    PostQuitMessage(5);
    PostMessageA(window, PROBE_MESSAGE, 4, 0);
    Sleep(50);
    drain();
    KillTimer(window, TICK_TIMER);
}

void probeResources(HINSTANCE instance) {
    section("resources");
    char text[4] = {'x', 'x', 'x', 'x'};
    note("LoadStringA 1 into 4 bytes: %ld characters", LoadStringA(instance, 1, text, sizeof text));
    std::fprintf(transcript, "the bytes: %d %d %d %d\n", text[0], text[1], text[2], text[3]);
    text[0] = 'x';
    note("LoadStringA of a missing string: %ld, first byte %ld", LoadStringA(instance, 3, text, sizeof text),
         static_cast<unsigned char>(text[0]));
    HRSRC wave = FindResourceA(instance, MAKEINTRESOURCEA(WAVE_MATCH), "WAVE");
    note("WAVE 124: %ld bytes", wave == nullptr ? -1L : static_cast<long>(SizeofResource(instance, wave)));
    HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(MENU_BITMAP));
    note("bitmap 102 loads: %ld", bitmap != nullptr);
    DeleteObject(bitmap);
    note("missing bitmap loads: %ld", LoadBitmapA(instance, MAKEINTRESOURCEA(103)) != nullptr);
}

void probeDialog(HINSTANCE instance, HWND window) {
    section("dialog");
    SetTimer(window, DIALOG_TIMER, 10, nullptr);
    const INT_PTR result =
        DialogBoxParamA(instance, MAKEINTRESOURCEA(NAME_DIALOG), window, dialogProcedure, 1234);
    KillTimer(window, DIALOG_TIMER);
    openDialog = nullptr;
    note("DialogBoxParamA returned %ld after %ld ticks of the owner's timer", static_cast<long>(result),
         dialogTicks);
    drain();
}

DWORD playedBytes(HWAVEOUT device) {
    MMTIME time{};
    time.wType = TIME_BYTES;
    waveOutGetPosition(device, &time, sizeof time);
    return time.u.cb;
}

// A looping buffer of 0.1 s on the default device, as the music plays it. Without a device (no sound
// card) only that is noted.
void probeWaveOutput() {
    section("wave output");
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 44100 * 4;
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        note("no wave device");
        return;
    }
    static short ring[4410 * 2];
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(ring);
    header.dwBufferLength = sizeof ring;
    header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header.dwLoops = 0xFFFFFFFF;
    note("position before writing: %ld", static_cast<long>(playedBytes(device)));
    note("prepare: %ld", static_cast<long>(waveOutPrepareHeader(device, &header, sizeof header)));
    note("write: %ld", static_cast<long>(waveOutWrite(device, &header, sizeof header)));
    Sleep(400);
    note("position after 0.4 s passes the buffer's end: %ld", playedBytes(device) > sizeof ring);
    waveOutPause(device);
    const DWORD paused = playedBytes(device);
    Sleep(100);
    // A device may still play out what it had taken ahead, up to a period of its own.
    note("paused position holds within 20 ms: %ld", playedBytes(device) - paused < PAUSE_SLACK_BYTES);
    waveOutRestart(device);
    Sleep(100);
    note("restarted position moves: %ld", playedBytes(device) > paused);
    note("reset: %ld", static_cast<long>(waveOutReset(device)));
    note("position after reset: %ld, buffer done: %ld", static_cast<long>(playedBytes(device)),
         (header.dwFlags & WHDR_DONE) != 0);
    note("unprepare: %ld", static_cast<long>(waveOutUnprepareHeader(device, &header, sizeof header)));
    note("close: %ld", static_cast<long>(waveOutClose(device)));
}

// Without a pad, every slot answers that none is connected, and a slot beyond the four is refused.
void probePads() {
    section("pads");
    for (DWORD slot = 0; slot <= XUSER_MAX_COUNT; ++slot) {
        XINPUT_STATE padState{};
        note("XInputGetState slot %ld: %ld", static_cast<long>(slot),
             static_cast<long>(XInputGetState(slot, &padState)));
    }
    XINPUT_CAPABILITIES capabilities{};
    note("XInputGetCapabilities slot 0: %ld",
         static_cast<long>(XInputGetCapabilities(0, XINPUT_FLAG_GAMEPAD, &capabilities)));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    transcript = std::fopen("apiprobe.txt", "wb");
    if (transcript == nullptr) {
        return 1;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = probeProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = "VESKAR_PROBE";
    RegisterClassExA(&windowClass);

    section("creation");
    HWND window = CreateWindowExA(0, "VESKAR_PROBE", "VESKAR PROBE", 0x00080001, CW_USEDEFAULT, CW_USEDEFAULT,
                                  640, 480, nullptr, nullptr, instance, nullptr);
    note("CreateWindowExA returned");
    RECT client{};
    GetClientRect(window, &client);
    note("client area %ld by %ld", client.right, client.bottom);
    ShowWindow(window, showCommand);
    note("ShowWindow returned");
    UpdateWindow(window);
    note("UpdateWindow returned");
    drain();

    probeMessages(window);
    probeResources(instance);
    probeDialog(instance, window);
    probeWaveOutput();
    probePads();

    section("close");
    SendMessageA(window, WM_CLOSE, 0, 0);
    note("window still exists: %ld", IsWindow(window) != FALSE);
    std::fclose(transcript);
    return 0;
}
