// Renaming a player: player 1's name admits printable characters only, player 2's any character.
#include "frontend/NameItem.h"

#include <new>

#include "frontend/StringInputDialog.h"
#include "shell/KeyGate.h"
#include "shell/Settings.h"

namespace {
inline constexpr int NAME_CAPACITY = 9;  // 8 characters and the terminator
}  // namespace

NameItem::NameItem(const char* title, int playerNumber)
    : MenuItem(title, "Change player name"), player(playerNumber) {}

void NameItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    NameField& target = settings.record.playerNames[player == 1 ? 0 : 1];
    const char* caption = player == 1 ? "Player 1 Name" : "Player 2 Name";
    // Both players' names hold only what the bitmap fonts draw.
    std::unique_ptr<StringInputDialog> dialog(
        new (std::nothrow) PrintableInputDialog(window, "Enter name:", caption, target, NAME_CAPACITY));
    if (dialog) {
        dialog->run();
        keyGate.forgetPresses();  // Enter held to close the box must not open it again
    }
    dialog.reset();
    if (currentScreen) {
        currentScreen->invalidate(window, 1);
    }
}
