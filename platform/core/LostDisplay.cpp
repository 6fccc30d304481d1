// The end of a program whose display went away.
#include "platform/core/LostDisplay.h"

#include <cstdio>
#include <cstdlib>

#include "platform/WinUser.h"
#include "platform/core/PlatformState.h"

namespace veskar::platform {

void endAfterLostDisplay() {
    static bool ending = false;
    if (!ending) {
        ending = true;
        std::fputs("veskar: the connection to the display was lost\n", stderr);
        auto& platform = state();
        if (platform.displayOpen && !platform.windows.empty()) {
            SendMessageA(platform.windows.front().get(), WM_ENDSESSION, TRUE, 0);
        }
    }
    std::fflush(nullptr);
    // Exit handlers and static destructors would close the window on the dead connection.
    std::_Exit(1);
}

}  // namespace veskar::platform
