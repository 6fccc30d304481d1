// Drawing and keys of the first screen.
#include "frontend/WelcomeScreen.h"

#include "shell/GlobalResources.h"
#include "shell/ShellState.h"

namespace {

// Positions on the menu background's list rows and description box, in pixels.
inline constexpr int TEXT_X = 205;
inline constexpr int FIRST_ROW_Y = 75;
inline constexpr int ROW_PITCH = 40;
inline constexpr int DESCRIPTION_X = 157;
inline constexpr int DESCRIPTION_Y = 300;
inline constexpr int DESCRIPTION_PITCH = 30;

}  // namespace

int WelcomeScreen::onKeyDown(HWND window, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>&) {
    if (virtualKey == VK_ESCAPE) {
        SendMessageA(window, WM_DESTROY, 0, 0);  // deletes this screen: nothing of it is touched after
    }
    return 0;
}

int WelcomeScreen::draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) {
    BitBlt(offscreen, 0, 0, menuBackground.width, menuBackground.height, menuBackground.memoryDC, 0, 0,
           SRCCOPY);
    highlightFont.drawText(offscreen,
                           "> "
                           "VESKAR",
                           TEXT_X, FIRST_ROW_Y);
    normalFont.drawText(offscreen, "  Normal font", TEXT_X, FIRST_ROW_Y + ROW_PITCH);
    highlightFont.drawText(offscreen, "  Highlight font", TEXT_X, FIRST_ROW_Y + 2 * ROW_PITCH);
    normalFont.drawText(offscreen, "Press Escape to leave", DESCRIPTION_X, DESCRIPTION_Y);
    normalFont.drawText(offscreen, "Score", DESCRIPTION_X, DESCRIPTION_Y + DESCRIPTION_PITCH);
    highlightFont.drawNumber(offscreen, 1234567, DESCRIPTION_X + 6 * 14, DESCRIPTION_Y + DESCRIPTION_PITCH);
    return 0;
}
