// Flipping the music and sound switches.
#include "screens/menus/ToggleItem.h"

#include "settings/Settings.h"

ToggleItem::ToggleItem(const char* labelText, const char* description, std::uint8_t& switchByte)
    : MenuItem(labelText, description), on(switchByte != 0 ? 1 : 0), bound(switchByte) {
    copyMenuText(label, labelText);
    rebuildTitle();
}

void ToggleItem::rebuildTitle() {
    joinMenuText(title, {label.data(), ": ", on != 0 ? "Yes" : "No"});
}

void ToggleItem::flip(HWND window, std::unique_ptr<Screen>& currentScreen) {
    on = on != 0 ? 0 : 1;
    rebuildTitle();
    if (currentScreen) {
        currentScreen->invalidate(window, 1);
    }
    bound = on;
}

void ToggleItem::activate(HWND window, std::unique_ptr<Screen>& currentScreen) {
    flip(window, currentScreen);
}

bool ToggleItem::onLeft(HWND window, std::unique_ptr<Screen>& currentScreen) {
    flip(window, currentScreen);
    return true;
}

bool ToggleItem::onRight(HWND window, std::unique_ptr<Screen>& currentScreen) {
    flip(window, currentScreen);
    return true;
}

MusicToggleItem::MusicToggleItem()
    : ToggleItem("Music", "Enable/Disable music  Exit to update", settings.record.musicOn) {}

SoundToggleItem::SoundToggleItem() : ToggleItem("Sound", "Enable/Disable sound", settings.record.soundOn) {}
