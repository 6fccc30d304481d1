// A game's players, random pool, pause, key routing and frame tick, independent of any window.
#include "game/GameSession.h"

#include <ctime>
#include <new>

#include "game/SharedRandom.h"

GameSession::GameSession(std::uint32_t seed) {
    fillRandomPool(seed);
}

void GameSession::fillRandomPool(std::uint32_t seed) {
    if (seed == 0) {
        seed = static_cast<std::uint32_t>(std::time(nullptr));
    }
    seedRandom(seed);
    for (std::int32_t& value : randomPool) {
        value = static_cast<std::int32_t>(nextRandom());
    }
}

void GameSession::playSound(GameSound sound) {
    ++soundCounts[static_cast<std::size_t>(sound)];
}

void GameSession::addPlayer(std::unique_ptr<Player> player) {
    if (playerCount < MAX_PLAYERS && player) {
        players[playerCount] = std::move(player);
        ++playerCount;
    }
}

bool GameSession::joinPlayers(GameKind kind, std::span<const PlayerSeat> seats) {
    const bool onePlayer = kind == GameKind::OnePlayer;
    const std::size_t count = onePlayer ? 1 : 2;
    for (std::size_t i = 0; i < count; ++i) {
        std::unique_ptr<Player> player(
            new (std::nothrow) Player(*this, WELL_WIDTH, WELL_HEIGHT, onePlayer, onePlayer ? 2 : 3));
        if (!player) {
            return false;
        }
        const PlayerSeat seat = i < seats.size() ? seats[i] : PlayerSeat{};
        player->setName(seat.name);
        player->keys = seat.keys;
        player->layout = seat.layout;
        addPlayer(std::move(player));
    }
    return true;
}

void GameSession::routeKeyDown(std::int32_t virtualKey) {
    if (virtualKey == static_cast<std::int32_t>(VK_PAUSE)) {
        paused = !paused;
        return;
    }
    if (paused && virtualKey != static_cast<std::int32_t>(VK_ESCAPE)) {
        return;
    }
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        Player& player = *players[i];
        if (player.active) {
            if (const auto action = player.actionForKey(virtualKey)) {
                player.keyPressed(*action);
            }
        }
    }
}

void GameSession::routeKeyUp(std::int32_t virtualKey) {
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        Player& player = *players[i];
        if (player.active) {
            if (const auto action = player.actionForKey(virtualKey)) {
                player.keyReleased(*action);
            }
        }
    }
}

bool GameSession::tickPlayers() {
    if (paused) {
        return false;
    }
    bool redraw = false;
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        // Every player ticks, even after an earlier one asked for a repaint.
        redraw = players[i]->tick() || redraw;
    }
    handOverRows();
    return redraw;
}

void GameSession::handOverRows() {
    for (std::uint32_t i = 0; i < playerCount; ++i) {
        Player& sender = *players[i];
        if (sender.rowsToSend == 0) {
            continue;
        }
        for (std::uint32_t j = 0; j < playerCount; ++j) {
            if (j != i) {
                players[j]->rowsPending += sender.rowsToSend;
            }
        }
        sender.rowsToSend = 0;  // with no other player the rows are simply dropped
    }
}
