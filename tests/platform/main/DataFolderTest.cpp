// The folder the game runs in: the launch folder when it holds the music or nothing is installed,
// the player's data folder (made when missing, with a link to the installed music) otherwise, and a
// folder where nothing can be written when the data folder cannot be made.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "platform/main/DataFolder.h"
#include "tests/platform/main/LaunchFolders.h"

namespace fs = std::filesystem;
using veskar::platform::enterStartFolder;
using veskar::platform::playerDataFolder;
using veskar::platform::StartFolder;

namespace {

class DataFolder : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folders.ready()); }

    // Whether a new file can be made in the current folder; removes it again.
    static bool canCreateHere() {
        std::FILE* file = std::fopen("VESKAR.INI", "wb");
        if (file == nullptr) {
            return false;
        }
        std::fclose(file);
        std::remove("VESKAR.INI");
        return true;
    }

    LaunchFolders folders;
    const fs::path playerFolder = folders.root / "data" / "deep" / "veskar";
};

}  // namespace

TEST(PlayerDataFolder, FollowsXdgDataHomeOrTheHomeFolder) {
    struct Case {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/srv/data", "/home/ada", "/srv/data/veskar"},
        {"", "/home/ada", "/home/ada/.local/share/veskar"},
        {"relative/data", "/home/ada", "/home/ada/.local/share/veskar"},  // relative paths are ignored
        {"", "", ""},
        {"", "relative/home", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(playerDataFolder(c.xdgDataHome, c.home), fs::path(c.expected))
            << c.xdgDataHome << " " << c.home;
    }
}

TEST_F(DataFolder, StaysWhereTheMusicIsOrWhenNothingIsInstalled) {
    struct Case {
        const char* what;
        bool musicHere;
        bool installed;
    };
    const Case cases[] = {
        {"the build folder beside an installation", true, true},
        {"the build folder alone", true, false},
        {"a folder without music, nothing installed", false, false},
    };
    for (const Case& c : cases) {
        fs::remove(folders.launch() / "VESKAR.DAT");
        if (c.musicHere) {
            folders.write(folders.launch() / "VESKAR.DAT", "own music");
        }
        const auto place = enterStartFolder(c.installed ? folders.package() : fs::path(), playerFolder);
        EXPECT_EQ(place.folder, StartFolder::Current) << c.what;
        EXPECT_EQ(fs::current_path(), folders.launch()) << c.what;
        EXPECT_FALSE(fs::exists(folders.root / "data")) << c.what;
    }
    const auto place =
        enterStartFolder(folders.root / "elsewhere", playerFolder);  // no music installed there
    EXPECT_EQ(place.folder, StartFolder::Current);
}

TEST_F(DataFolder, InstalledGameMakesThePrivateDataFolderAndLinksTheMusic) {
    const auto place = enterStartFolder(folders.package(), playerFolder);
    ASSERT_EQ(place.folder, StartFolder::PlayerData);
    EXPECT_TRUE(place.problem.empty());
    EXPECT_EQ(fs::current_path(), playerFolder);
    for (const fs::path& made : {folders.root / "data", playerFolder}) {
        struct stat status {};
        ASSERT_EQ(stat(made.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    EXPECT_TRUE(fs::is_symlink("VESKAR.DAT"));
    EXPECT_EQ(fs::read_symlink("VESKAR.DAT"), folders.package() / "VESKAR.DAT");
    EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music");
    EXPECT_TRUE(fs::is_empty(folders.launch()));

    // The next start finds everything in place and changes nothing.
    ASSERT_EQ(chdir(folders.launch().c_str()), 0);
    const auto before = folders.snapshot();
    EXPECT_EQ(enterStartFolder(folders.package(), playerFolder).folder, StartFolder::PlayerData);
    EXPECT_EQ(folders.snapshot(), before);
}

TEST_F(DataFolder, PlayersOwnMusicStaysAndStaleLinksAreRefreshed) {
    struct Case {
        const char* what;
        bool link;
        fs::path target;  // a link's target, or the text of a real file
        bool replaced;
    };
    const Case cases[] = {
        {"a real file", false, "own music", false},
        {"a link into a removed installation", true, folders.root / "old" / "VESKAR.DAT", true},
        {"a link to another file", true, folders.launch() / "other.dat", true},
    };
    folders.write(folders.launch() / "other.dat", "other music");
    fs::create_directories(playerFolder);
    for (const Case& c : cases) {
        fs::remove(playerFolder / "VESKAR.DAT");
        if (c.link) {
            fs::create_symlink(c.target, playerFolder / "VESKAR.DAT");
        } else {
            folders.write(playerFolder / "VESKAR.DAT", c.target.string());
        }
        ASSERT_EQ(chdir(folders.launch().c_str()), 0);
        ASSERT_EQ(enterStartFolder(folders.package(), playerFolder).folder, StartFolder::PlayerData)
            << c.what;
        EXPECT_EQ(fs::is_symlink("VESKAR.DAT"), c.link) << c.what;
        EXPECT_EQ(folders.read("VESKAR.DAT"), c.replaced ? "installed music" : c.target.string()) << c.what;
        EXPECT_EQ(std::distance(fs::directory_iterator(playerFolder), fs::directory_iterator()), 1)
            << "nothing left beside it";
    }
}

TEST_F(DataFolder, FolderThatCannotBeMadeLeavesNowhereToWrite) {
    folders.write(folders.root / "file", "in the way");
    const auto before = folders.snapshot();
    for (const fs::path& impossible : {folders.root / "file" / "below" / "veskar", folders.root / "file"}) {
        ASSERT_EQ(chdir(folders.launch().c_str()), 0);
        const auto place = enterStartFolder(folders.package(), impossible);
        EXPECT_EQ(place.folder, StartFolder::Removed) << impossible;
        EXPECT_NE(place.problem.find(folders.root.string() + "/file"), std::string::npos) << place.problem;
        EXPECT_FALSE(canCreateHere()) << impossible;
        EXPECT_EQ(folders.snapshot(), before) << impossible;
    }
}

TEST_F(DataFolder, WithoutDataFolderAReadOnlyInstallationKeepsItsMusic) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder, so no installation is read-only to it";
    }
    folders.write(folders.root / "file", "in the way");
    fs::permissions(folders.package(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto before = folders.snapshot();
    const auto place = enterStartFolder(folders.package(), folders.root / "file" / "below" / "veskar");
    EXPECT_EQ(place.folder, StartFolder::PackageData);
    EXPECT_EQ(fs::current_path(), folders.package());
    EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music");
    EXPECT_FALSE(canCreateHere());
    EXPECT_EQ(folders.snapshot(), before);
}
