// Leaving a page.
#include "screens/menus/PageScreen.h"

#include "screens/menus/MainMenu.h"

int PageScreen::onKeyDown(HWND window, WPARAM, LPARAM, std::unique_ptr<Screen>& currentScreen) {
    return returnToMainMenu(window, currentScreen);  // this screen is gone now
}
