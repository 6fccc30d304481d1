// veskar-inicheck: whether the game reads the VESKAR.INI in the current folder as valid, through the
// game's own Settings, with the fields a player would notice.
//   veskar-inicheck               prints "valid" or "invalid" and the record; status 0 when valid
//   veskar-inicheck --name NAME   reads the file (or the defaults) and writes it back with player 1
//                                 named NAME, as the game does at shutdown
#include <cstdio>
#include <cstring>

#include "settings/Settings.h"

namespace {

void printRecord(const SettingsRecord& record) {
    char name[NAME_FIELD_SIZE];
    for (std::size_t player = 0; player < 2; ++player) {
        copyName(record.playerNames[player], name, sizeof name);
        std::printf("player %zu: %s\n", player + 1, name);
    }
    copyName(record.highScoreNames[0], name, sizeof name);
    std::printf("best: %s %u\n", name, static_cast<unsigned>(record.highScores[0]));
    std::printf("sound: %u music: %u\n", record.soundOn, record.musicOn);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--name") == 0) {
        settings.read();
        storeName(settings.record.playerNames[0], argv[2]);
        settings.write();
        return 0;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: veskar-inicheck [--name NAME]\n");
        return 2;
    }
    settings.read();
    std::printf("%s\n", settings.loaded ? "valid" : "invalid");
    if (settings.loaded) {
        printRecord(settings.record);
    }
    return settings.loaded ? 0 : 1;
}
