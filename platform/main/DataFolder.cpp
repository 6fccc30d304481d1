// The folder the game runs in outside Windows: the current one, the player's data folder with a link
// to the installed music, or, without a data folder, a scratch folder with that link.
#include "platform/main/DataFolder.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

namespace veskar::platform {

namespace fs = std::filesystem;

namespace {

// The name a fresh link gets before it replaces VESKAR.DAT in one step.
inline constexpr char FRESH_LINK_NAME[] = ".VESKAR.DAT.link";

bool isDataFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);  // through links, as the game's open goes
}

// Makes the folder and its missing parents, private to the player (mode 0700, as the base
// directory rules ask). A file in the way shows as the next step failing; the folders made before
// it are removed again.
bool makeFolder(const fs::path& folder, std::string& problem) {
    std::vector<fs::path> made;
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            made.push_back(partial);
        } else if (errno != EEXIST) {
            problem = "cannot make " + partial.string() + ": " + std::strerror(errno);
            for (auto folderMade = made.rbegin(); folderMade != made.rend(); ++folderMade) {
                ::rmdir(folderMade->c_str());
            }
            return false;
        }
    }
    return true;
}

bool enter(const fs::path& folder, std::string& problem) {
    if (::chdir(folder.c_str()) != 0) {
        problem = "cannot enter " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Points VESKAR.DAT in the current folder at the installed music. A link that points elsewhere (an
// earlier installation, perhaps removed) is replaced in one step; a real file is the player's own
// music and stays. Without a link the game is silent, as it is without music anywhere.
void linkData(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(DATA_FILE_NAME, error);
    if (fs::exists(status) && !fs::is_symlink(status)) {
        return;
    }
    if (fs::is_symlink(status) && fs::read_symlink(DATA_FILE_NAME, error) == target && !error) {
        return;
    }
    const fs::file_status fresh = fs::symlink_status(FRESH_LINK_NAME, error);
    if (fs::exists(fresh) && !fs::is_directory(fresh)) {
        fs::remove(FRESH_LINK_NAME, error);  // left by a start that ended half-way: the name is the game's
    }
    fs::create_symlink(target, FRESH_LINK_NAME, error);
    if (error) {
        return;
    }
    fs::rename(FRESH_LINK_NAME, DATA_FILE_NAME, error);
    if (error) {
        fs::remove(FRESH_LINK_NAME, error);
    }
}

// Without a data folder the game still needs a folder of its own to run in, with the music: a
// private one in the system's temporary folder, which goes when the game ends, so that no settings
// land where the game was started from. Where none can be made, the package folder serves.
StartPlace enterNoDataFolder(const fs::path& installedData, const std::string& problem) {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "veskar-XXXXXX").string();
    if (!error && ::mkdtemp(pattern.data()) != nullptr) {
        std::string ignored;
        if (enter(pattern, ignored)) {
            linkData(installedData);
            return {StartFolder::Scratch, pattern, problem};
        }
        ::rmdir(pattern.c_str());
    }
    std::string ignored;
    if (enter(installedData.parent_path(), ignored)) {
        return {StartFolder::PackageData, installedData.parent_path(), problem};
    }
    return {StartFolder::Current, {}, problem};
}

}  // namespace

fs::path playerDataFolder(const std::string& xdgDataHome, const std::string& home) {
    if (fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "veskar";
    }
    if (fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "veskar";
    }
    return {};
}

StartPlace enterStartFolder(const fs::path& packageFolder, const fs::path& playerFolder) {
    if (isDataFile(DATA_FILE_NAME) || packageFolder.empty() || !isDataFile(packageFolder / DATA_FILE_NAME)) {
        return {};
    }
    std::error_code error;
    fs::path installedData = fs::canonical(packageFolder / DATA_FILE_NAME, error);
    if (error) {
        installedData = fs::absolute(packageFolder / DATA_FILE_NAME, error);
    }
    std::string problem = "no home folder";
    if (!playerFolder.empty() && makeFolder(playerFolder, problem) && enter(playerFolder, problem)) {
        linkData(installedData);
        return {StartFolder::PlayerData, playerFolder, {}};
    }
    return enterNoDataFolder(installedData, problem);
}

void leaveStartFolder(const StartPlace& place) {
    if (place.folder != StartFolder::Scratch || place.path.empty()) {
        return;
    }
    std::error_code error;
    fs::current_path("/", error);
    fs::remove_all(place.path, error);  // links inside are removed, never followed
}

}  // namespace veskar::platform
