// The high-score table's entry rule.
#include "screens/menus/HighScores.h"

#include "settings/Settings.h"

void insertHighScore(const char* name, std::uint32_t score) {
    SettingsRecord& record = settings.record;
    std::size_t place = 0;
    while (place < HIGH_SCORE_COUNT && record.highScores[place] >= score) {
        ++place;
    }
    if (place == HIGH_SCORE_COUNT) {
        return;
    }
    for (std::size_t j = HIGH_SCORE_COUNT - 1; j > place; --j) {
        record.highScores[j] = record.highScores[j - 1];
        record.highScoreNames[j] = record.highScoreNames[j - 1];
    }
    record.highScores[place] = score;
    storeName(record.highScoreNames[place], name);
}
