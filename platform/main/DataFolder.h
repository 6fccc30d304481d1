// Where the game runs outside Windows. The game opens VESKAR.DAT and VESKAR.INI by bare name in its
// current folder; the process entry picks that folder before the game starts:
// - a folder that holds VESKAR.DAT (the build folder, or any folder a player keeps the files in),
//   and a game that is not installed, stay as they are;
// - the installed game otherwise runs in the player's data folder, $XDG_DATA_HOME/veskar (made if
//   missing), where a symbolic link VESKAR.DAT points at the installed music, and VESKAR.INI lives;
// - when that folder cannot be made or entered, the game runs in a private scratch folder that
//   holds a link to the installed music, so it still plays; the settings start from the defaults
//   and go when the game ends, with the folder.
#pragma once

#include <filesystem>
#include <string>

namespace veskar::platform {

// The music's file name, opened by the game in its current folder.
inline constexpr char DATA_FILE_NAME[] = "VESKAR.DAT";

enum class StartFolder {
    Current,     // left as it was: it holds VESKAR.DAT, or the game is not installed
    PlayerData,  // the player's data folder
    // No data folder. Scratch: a private folder in the system's temporary folder, removed by
    // leaveStartFolder. PackageData: the package's data folder, where not even a scratch folder
    // could be made.
    Scratch,
    PackageData,
};

struct StartPlace {
    StartFolder folder = StartFolder::Current;
    std::filesystem::path path;  // the folder entered; empty for Current
    std::string problem;         // why there is no data folder, for the player; empty otherwise
};

// The player's data folder for the game: XDG_DATA_HOME's value when it is an absolute path (the
// base directory rules ignore relative ones), else HOME/.local/share; then "veskar". Empty when
// neither gives an absolute path.
[[nodiscard]] std::filesystem::path playerDataFolder(const std::string& xdgDataHome, const std::string& home);

// Applies the rule above from the current folder and changes the current folder accordingly.
// `packageFolder` is where the installed VESKAR.DAT would be (empty: unknown); `playerFolder` is
// playerDataFolder's result. Never fails: every outcome is a folder the game can run in. A data
// folder that cannot be made leaves none of its parents behind either.
[[nodiscard]] StartPlace enterStartFolder(const std::filesystem::path& packageFolder,
                                          const std::filesystem::path& playerFolder);

// After the game: removes a scratch folder with all the game put there; other places stay.
void leaveStartFolder(const StartPlace& place);

}  // namespace veskar::platform
