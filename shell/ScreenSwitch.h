// The one way a screen hands over to the next: delete the current screen, leave none current,
// make the next, report "out of memory" if it cannot be made, and have it painted from a cleared
// buffer. The handler that calls it may be part of the deleted screen, so it must return at once
// without touching anything of it.
#pragma once

#include <memory>
#include <new>

#include "shell/ErrorTable.h"
#include "shell/Screen.h"

// False when the next screen could not be allocated; the error has then been reported and no
// screen is current. The arguments are copies: what they were copied from may belong to the
// screen that is deleted first (a menu item's action).
template <typename Next, typename... Arguments>
bool switchScreen(HWND window, std::unique_ptr<Screen>& currentScreen, Arguments... arguments) {
    currentScreen.reset();
    currentScreen.reset(new (std::nothrow) Next(arguments...));
    if (!currentScreen) {
        reportError(window, ERR_OUT_OF_MEMORY);
        return false;
    }
    currentScreen->invalidate(window, 1);
    return true;
}
