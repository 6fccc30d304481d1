// Renaming a player: player 1's name admits printable characters only, player 2's any character.
#include "frontend/NameItem.h"

#include <new>

#include "frontend/StringInputDialog.h"
#include "shell/Settings.h"

namespace {
inline constexpr int NAME_CAPACITY = 9;  // 8 characters and the terminator
}  // namespace

NameItem::NameItem(const char* title, int playerNumber)
    : MenuItem(title, "Change player name"), player(playerNumber) {}

void NameItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    NameField& target = settings.record.playerNames[player == 1 ? 0 : 1];
    const char* caption = player == 1 ? "Player 1 Name" : "Player 2 Name";
    std::unique_ptr<StringInputDialog> dialog;
    if (player == 1) {
        dialog.reset(new (std::nothrow)
                         PrintableInputDialog(window, "Enter name:", caption, target, NAME_CAPACITY));
    } else {
        dialog.reset(new (std::nothrow)
                         StringInputDialog(window, "Enter name:", caption, target, NAME_CAPACITY));
    }
    if (dialog) {
        dialog->run();
    }
    dialog.reset();
    if (currentScreen) {
        currentScreen->invalidate(window, 1);
    }
}
