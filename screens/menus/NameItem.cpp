// Renaming a player: player 1's name admits printable characters only, player 2's any character.
#include "screens/menus/NameItem.h"

#include <new>

#include "screens/menus/StringInputDialog.h"
#include "settings/Settings.h"
#include "shell/ModalBox.h"

namespace {
inline constexpr int NAME_CAPACITY = 9;  // 8 characters and the terminator
}  // namespace

NameItem::NameItem(const char* title, PlayerNumber playerNumber)
    : MenuItem(title, "Change player name"), player(playerNumber) {}

void NameItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    const bool first = player == PlayerNumber::One;
    NameField& target = settings.record.playerNames[first ? 0 : 1];
    const char* caption = first ? "Player 1 Name" : "Player 2 Name";
    // Both players' names hold only what the bitmap fonts draw.
    std::unique_ptr<StringInputDialog> dialog(
        new (std::nothrow) PrintableInputDialog(window, "Enter name:", caption, target, NAME_CAPACITY));
    if (dialog) {
        const ModalBoxScope box;  // Enter held to close the box must not open it again
        dialog->run();
    }
    dialog.reset();
    if (currentScreen) {
        currentScreen->invalidate(window, 1);
    }
}
