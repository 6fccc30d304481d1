// Menu navigation, its sounds and its drawing.
#include "screens/menus/MenuScreen.h"

#include <algorithm>
#include <cstring>

#include "audio/effects/SoundEffect.h"
#include "settings/Settings.h"
#include "shell/GlobalResources.h"

namespace {

inline constexpr int ROW_PITCH = 40;          // pixels between list rows
inline constexpr int DESCRIPTION_PITCH = 30;  // pixels between description lines
inline constexpr char UP_MARK[] = "\x7F";
inline constexpr char DOWN_MARK[] = "\x80";

// The menu sounds follow the sound switch at the moment they play. The settings, not the menu, are
// read here, so this is safe after an item has replaced the menu.
void playMenuSound(SoundEffect& sound) {
    if (settings.record.soundOn != 0) {
        sound.Play();
    }
}

}  // namespace

MenuScreen::MenuScreen(std::uint32_t rows) : visibleRows(rows) {}

MenuScreen::~MenuScreen() {
    for (std::uint32_t i = itemCount; i > 0; --i) {
        items[i - 1].reset();
    }
    currentItem = 0;
}

void MenuScreen::append(std::unique_ptr<MenuItem> item) {
    if (item && itemCount < MAX_MENU_ITEMS) {
        items[itemCount++] = std::move(item);
    }
}

int MenuScreen::onKeyDown(HWND window, WPARAM virtualKey, LPARAM, std::unique_ptr<Screen>& currentScreen) {
    MenuItem* item = currentItem < itemCount ? items[currentItem].get() : nullptr;
    switch (virtualKey) {
        case VK_RETURN:
            if (item != nullptr) {
                activatedItem = static_cast<std::int32_t>(currentItem);
                item->activate(window, currentScreen);  // may delete this menu
                playMenuSound(SoundMenuSelect);
            }
            return 0;
        case VK_ESCAPE:
            onCancel(window, currentScreen);  // may delete this menu
            playMenuSound(SoundMenuSelect);
            return 0;
        case VK_LEFT:
        case VK_RIGHT:
            if (item != nullptr && (virtualKey == VK_LEFT ? item->onLeft(window, currentScreen)
                                                          : item->onRight(window, currentScreen))) {
                playMenuSound(SoundMenuSelect);
            }
            return 0;
        case VK_UP:
        case VK_DOWN: {
            const std::uint32_t before = currentItem;
            virtualKey == VK_UP ? moveUp() : moveDown();
            invalidate(window, 1);
            if (currentItem != before) {
                playMenuSound(SoundMenuMove);
            }
            return 0;
        }
        default:
            return 0;
    }
}

void MenuScreen::moveUp() {
    if (currentItem == 0) {
        return;
    }
    if (itemCount > visibleRows && currentItem == firstVisible) {
        --firstVisible;
    }
    --currentItem;
}

void MenuScreen::moveDown() {
    if (currentItem + 1 >= itemCount) {
        return;
    }
    ++currentItem;
    if (itemCount > visibleRows && currentItem - firstVisible > visibleRows - 1) {
        ++firstVisible;
    }
}

int MenuScreen::onTimer(HWND window, WPARAM, LPARAM, std::unique_ptr<Screen>&) {
    if (activatedItem != -1) {
        activatedItem = -1;
        invalidate(window, 1);
    }
    return 0;
}

void MenuScreen::onCancel(HWND window, std::unique_ptr<Screen>& currentScreen) {
    if (cancelItem >= 0 && static_cast<std::uint32_t>(cancelItem) < itemCount) {
        items[cancelItem]->activate(window, currentScreen);
    }
}

int MenuScreen::draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) {
    menuBackground.drawWhole(offscreen);
    const std::uint32_t shown = std::min(itemCount, visibleRows);
    const int firstRow = layout.listHeight / 2 + layout.listTop - static_cast<int>(shown * ROW_PITCH / 2);
    for (std::uint32_t row = 0; row < shown && firstVisible + row < itemCount; ++row) {
        const std::uint32_t index = firstVisible + row;
        const bool current = index == currentItem;
        const char* title = items[index]->title.data();
        const std::size_t length = strnlen(title, MENU_TEXT_SIZE - 1);
        char line[MENU_TEXT_SIZE + 2];
        std::memcpy(line, current ? "> " : "  ", 2);
        std::memcpy(line + 2, title, length);
        line[2 + length] = '\0';
        (current ? highlightFont : normalFont)
            .drawText(offscreen, line, layout.listX + 15, firstRow + static_cast<int>(row) * ROW_PITCH);
    }
    drawDescription(offscreen);
    drawScrollMarks(offscreen);
    return 0;
}

void MenuScreen::drawDescription(HDC offscreen) const {
    if (currentItem >= itemCount || normalFont.cellWidth <= 0) {
        return;
    }
    const char* text = items[currentItem]->description.data();
    const std::size_t length = strnlen(text, MENU_TEXT_SIZE - 1);
    const auto perLine = static_cast<std::size_t>((layout.descWidth - 14) / normalFont.cellWidth);
    const int lines = (layout.descHeight - 14) / DESCRIPTION_PITCH;
    const int firstY = layout.descHeight / 2 + layout.descTop - lines * 15;
    // Cut every perLine characters, with no regard for words.
    for (int line = 0; line < lines && perLine > 0 && static_cast<std::size_t>(line) * perLine < length;
         ++line) {
        char piece[MENU_TEXT_SIZE];
        const std::size_t start = static_cast<std::size_t>(line) * perLine;
        const std::size_t count = std::min(perLine, length - start);
        std::memcpy(piece, text + start, count);
        piece[count] = '\0';
        normalFont.drawText(offscreen, piece, layout.descX + 7, firstY + line * DESCRIPTION_PITCH);
    }
}

void MenuScreen::drawScrollMarks(HDC offscreen) const {
    if (firstVisible == 0 && itemCount <= visibleRows) {
        return;
    }
    (firstVisible > 0 ? highlightFont : normalFont)
        .drawText(offscreen, UP_MARK, layout.arrowsX, layout.arrowsY);
    (firstVisible + visibleRows < itemCount ? highlightFont : normalFont)
        .drawText(offscreen, DOWN_MARK, layout.arrowsX, layout.arrowsY + 20);
}
