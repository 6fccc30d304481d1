// The main menu's items and what they switch to.
#include "screens/menus/MainMenu.h"

#include "screens/game/OnePlayerGame.h"
#include "screens/game/TwoPlayerGame.h"
#include "screens/menus/AboutScreen.h"
#include "screens/menus/HighScoreScreen.h"
#include "screens/menus/MenuActions.h"
#include "screens/menus/OptionsMenu.h"

namespace {

inline constexpr std::int32_t EXIT_ITEM = 5;
inline constexpr int TABLE_LEFT = 210;  // the high-score table's names column
inline constexpr int TABLE_TOP = 40;

void exitProgram(HWND window, std::unique_ptr<Screen>&) {
    // The shutdown sequence at once; it deletes this menu.
    SendMessageA(window, WM_DESTROY, 0, 0);
}

}  // namespace

MainMenu::MainMenu() : MenuScreen(MENU_ROWS) {
    layout = MAIN_MENU_LAYOUT;
    appendItems(*this,
                {
                    [] { return actionItem("1 Player Game", "To play a game", startGame<OnePlayerGame>()); },
                    [] { return actionItem("2 Players Game", "To play a game", startGame<TwoPlayerGame>()); },
                    [] { return actionItem("Options", "To change options", switchTo<OptionsMenu>()); },
                    [] {
                        return actionItem("High Scores", "Watch the best players",
                                          switchTo<HighScoreScreen>(TABLE_LEFT, TABLE_TOP));
                    },
                    [] {
                        return actionItem(
                            "About", "To know more about us",
                            switchTo<AboutScreen>(MAIN_MENU_LAYOUT.listX, MAIN_MENU_LAYOUT.listTop));
                    },
                    [] { return actionItem("Exit", "Never select this one", exitProgram); },
                });
    if (itemCount >= EXIT_ITEM) {
        cancelItem = EXIT_ITEM;
    }
}

int returnToMainMenu(HWND window, std::unique_ptr<Screen>& currentScreen) {
    return switchScreen<MainMenu>(window, currentScreen) ? 0 : -1;
}
