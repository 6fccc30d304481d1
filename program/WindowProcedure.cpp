// Start-up, message forwarding and shutdown of the game window.
#include "program/WindowProcedure.h"

#include <ctime>
#include <new>

#include "game/SharedRandom.h"
#include "screens/menus/MainMenu.h"
#include "settings/Settings.h"
#include "shell/ErrorTable.h"
#include "shell/GlobalResources.h"
#include "shell/KeyGate.h"
#include "shell/ModalBox.h"
#include "shell/Music.h"
#include "shell/PadKeys.h"
#include "shell/ShellState.h"

namespace {

// Set once the shutdown sequence has run for the window created last. When creation fails after
// reportError, the window is destroyed again; the settings must not be written twice.
bool shutDownDone = false;

// The start-up sequence. Returns -1 when window creation must fail.
LRESULT startUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    shutDownDone = false;
    padKeys = PadKeys{};  // no pad seen yet in this run
    HDC windowDC = GetDC(window);
    loadBitmaps(windowDC, hInstance);
    ReleaseDC(window, windowDC);
    loadSounds();
    settings.read();
    musicStart(settings.record.musicOn != 0);  // the switch counts only here, at start-up
    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    currentScreen.reset(new (std::nothrow) MainMenu());
    if (!currentScreen) {
        reportError(window, ERR_OUT_OF_MEMORY);
        return -1;
    }
    frameTimerActive = SetTimer(window, FRAME_TIMER_ID, FRAME_INTERVAL, nullptr);
    if (frameTimerActive == 0) {
        reportError(window, ERR_RESOURCE);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The shutdown sequence, reached by closing the window, by the exit item and by reportError; it runs
// once per start-up.
LRESULT shutDown(HWND window) {
    if (shutDownDone) {
        return 0;
    }
    shutDownDone = true;
    if (frameTimerActive != 0) {
        KillTimer(window, FRAME_TIMER_ID);
        frameTimerActive = 0;
    }
    if (currentScreen) {
        currentScreen->onEnd(window);  // a running game's score, say
        currentScreen.reset();
    }
    musicStop();
    settings.write();
    releaseBitmaps();
    PostQuitMessage(0);
    return 0;
}

// Hands a paint, key or timer message to the current screen; keys held over from an earlier screen
// wait for their release. Whatever a key or tick changed in the settings is saved at once, so that
// no way of ending the program loses it.
LRESULT forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!currentScreen) {
        return message == WM_PAINT ? DefWindowProcA(window, message, wParam, lParam) : 0;
    }
    const bool key = message == WM_KEYDOWN || message == WM_KEYUP;
    if (key && !keyGate.admits(currentScreen->serial, message, wParam, lParam)) {
        return 0;
    }
    if (message == WM_TIMER) {
        // The pads' changes arrive as keys after this tick, as the keyboard's would.
        padKeys.tick(window, currentScreen.get(), modalBoxOpen, FRAME_INTERVAL);
    }
    const LRESULT result = currentScreen->handleMessage(window, message, wParam, lParam, currentScreen);
    if (message != WM_PAINT) {
        settings.saveChanges();
    }
    return result;
}

}  // namespace

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return startUp(window, message, wParam, lParam);
        case WM_PAINT:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_TIMER:
            return forward(window, message, wParam, lParam);
        case WM_ENDSESSION:
            // The process ends once this returns, without WM_DESTROY: shut down now.
            return wParam != FALSE ? shutDown(window) : 0;
        case WM_DESTROY:
            return shutDown(window);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
