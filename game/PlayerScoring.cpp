// Points and level rises of a scan, and the level display that follows a cascade with a rise.
#include "game/GameSession.h"
#include "game/Player.h"

void Player::applyMatchScore(std::uint32_t markedJewels, std::uint32_t chain) {
    jewelsTowardLevel += markedJewels;
    const std::uint32_t needed = levelTable[level].jewelsToNext;
    if (jewelsTowardLevel >= needed && levelProgression) {
        jewelsTowardLevel -= needed;  // the excess carries over
        if (level < LEVEL_COUNT - 1) {
            level += 1;
            fallPeriod = levelTable[level].period;
            fallStep = levelTable[level].step;
            levelUpPending = true;
        }
    }
    // Paid with the row of the level just reached.
    score += chain * pointsForMatch(levelTable[level], markedJewels);
}

void Player::startLevelShow() {
    levelShow = true;
    levelUpPending = false;
    levelShowTicks = 0;
    screen.playSound(GameSound::Match);
}

void Player::levelShowTick() {
    levelShowTicks += 1;
    if (levelShowTicks > LEVEL_SHOW_TICKS) {
        levelShow = false;
        levelShowTicks = 0;
        clearWell();  // every new level starts with an empty well
    }
}
