// Which key messages reach the current screen.
#include "shell/KeyGate.h"

#include "shell/ModalBox.h"

KeyGate keyGate;
bool modalBoxOpen = false;

bool KeyGate::admits(std::uint64_t screen, UINT message, WPARAM virtualKey, LPARAM keyData) {
    if (screen != lastScreen) {
        lastScreen = screen;
        pressed.reset();
    }
    const std::size_t key = virtualKey & 0xFF;
    if (message == WM_KEYUP) {
        const bool admitted = pressed.test(key);
        pressed.reset(key);
        return admitted;
    }
    const bool wasDown = (keyData & (LPARAM{1} << 30)) != 0;  // set on an auto-repeat
    if (!wasDown) {
        pressed.set(key);
    }
    return pressed.test(key);
}
