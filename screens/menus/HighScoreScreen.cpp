// Drawing the high-score table.
#include "screens/menus/HighScoreScreen.h"

#include "settings/Settings.h"
#include "shell/GlobalResources.h"

namespace {
inline constexpr int ROW_PITCH = 20;      // pixels between entries
inline constexpr int SCORE_COLUMN = 180;  // scores this far right of the names
}  // namespace

int HighScoreScreen::draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) {
    menuBackground.drawWhole(offscreen);
    for (std::size_t entry = 0; entry < HIGH_SCORE_COUNT; ++entry) {
        const int y = top + ROW_PITCH * static_cast<int>(entry);
        char name[NAME_FIELD_SIZE];
        copyName(settings.record.highScoreNames[entry], name, sizeof name);
        normalFont.drawText(offscreen, name, left, y);
        highlightFont.drawNumber(offscreen, settings.record.highScores[entry], left + SCORE_COLUMN, y);
    }
    return 0;
}
