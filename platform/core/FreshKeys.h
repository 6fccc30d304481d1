// Keys that were already down when a modal box opened: the box takes them only once they have been
// released and pressed again, so that the key that opened it, held a moment too long, does not
// answer it at once through its auto-repeat.
#pragma once

#include <bitset>

#include "platform/WinUser.h"

namespace veskar::platform {

class FreshKeys {
  public:
    // Whether a key message acts on the box: a new press does, and so do its repeats and its
    // release; the repeats and the release of a key held since before the box do not. Other
    // messages always act.
    [[nodiscard]] bool acts(const MSG& message) {
        const std::size_t key = message.wParam & 0xFF;
        const bool wasDown = (message.lParam & (LPARAM{1} << 30)) != 0;
        switch (message.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (!wasDown) {
                    pressed.set(key);
                }
                return pressed.test(key);
            case WM_KEYUP:
            case WM_SYSKEYUP: {
                const bool acted = pressed.test(key);
                pressed.reset(key);
                return acted;
            }
            default:
                return true;
        }
    }

  private:
    std::bitset<256> pressed;  // keys pressed since the box opened, by virtual-key code
};

}  // namespace veskar::platform
