// The folder the game runs in: the launch folder when it holds the music or nothing is installed,
// the player's data folder (made when missing, with a link to the installed music) otherwise, and a
// folder where nothing can be written when the data folder cannot be made.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/main/DataFolder.h"
#include "tests/platform/main/LaunchFolders.h"

namespace fs = std::filesystem;
using veskar::platform::enterStartFolder;
using veskar::platform::StartFolder;

namespace {

class DataFolder : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(folders.root.empty()); }

    // Starts as from the launch folder.
    StartFolder start(const fs::path& package, const fs::path& player) {
        EXPECT_EQ(chdir(folders.launch().c_str()), 0);
        return enterStartFolder(package, player).folder;
    }

    static bool canCreateHere() {
        std::FILE* file = std::fopen("VESKAR.INI", "wb");
        if (file != nullptr) {
            std::fclose(file);
            std::remove("VESKAR.INI");
        }
        return file != nullptr;
    }

    LaunchFolders folders;
    const fs::path player = folders.root / "data" / "deep" / "veskar";
};

}  // namespace

TEST(PlayerDataFolder, FollowsXdgDataHomeOrTheHomeFolder) {
    const char* const cases[][3] = {
        {"/srv/data", "/home/ada", "/srv/data/veskar"},
        {"", "/home/ada", "/home/ada/.local/share/veskar"},
        {"relative/data", "/home/ada", "/home/ada/.local/share/veskar"},  // relative: ignored
        {"", "relative/home", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(veskar::platform::playerDataFolder(c[0], c[1]), fs::path(c[2])) << c[0] << " " << c[1];
    }
}

TEST_F(DataFolder, StaysWhereTheMusicIsOrWhenNothingIsInstalled) {
    EXPECT_EQ(start(folders.root / "elsewhere", player), StartFolder::Current) << "not installed";
    folders.write(folders.launch() / "VESKAR.DAT", "own music");
    EXPECT_EQ(start(folders.package(), player), StartFolder::Current) << "the build folder";
    EXPECT_EQ(fs::current_path(), folders.launch());
    EXPECT_FALSE(fs::exists(folders.root / "data"));
}

TEST_F(DataFolder, InstalledGameMakesThePrivateDataFolderAndLinksTheMusic) {
    ASSERT_EQ(start(folders.package(), player), StartFolder::PlayerData);
    EXPECT_EQ(fs::current_path(), player);
    for (const fs::path& made : {folders.root / "data", player}) {
        struct stat status {};
        ASSERT_EQ(stat(made.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(fs::read_symlink("VESKAR.DAT"), folders.package() / "VESKAR.DAT");
    EXPECT_TRUE(fs::is_empty(folders.launch()));
}

TEST_F(DataFolder, PlayersOwnMusicStaysAndStaleLinksAreRefreshed) {
    fs::create_directories(player);
    folders.write(folders.launch() / "other.dat", "other music");
    for (const fs::path& stale : {folders.root / "removed" / "VESKAR.DAT", folders.launch() / "other.dat"}) {
        fs::remove(player / "VESKAR.DAT");
        fs::create_symlink(stale, player / "VESKAR.DAT");
        ASSERT_EQ(start(folders.package(), player), StartFolder::PlayerData);
        EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music") << stale;
        EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1)
            << "nothing beside it";
    }
    fs::remove(player / "VESKAR.DAT");
    folders.write(player / "VESKAR.DAT", "own music");
    ASSERT_EQ(start(folders.package(), player), StartFolder::PlayerData);
    EXPECT_EQ(folders.read("VESKAR.DAT"), "own music");
}

TEST_F(DataFolder, FolderThatCannotBeMadeLeavesNowhereToWrite) {
    folders.write(folders.root / "file", "in the way");
    const auto before = folders.snapshot();
    for (const fs::path& impossible : {folders.root / "file" / "below", folders.root / "file"}) {
        EXPECT_EQ(start(folders.package(), impossible), StartFolder::Removed) << impossible;
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
    EXPECT_EQ(start(folders.package(), folders.root / "file" / "veskar"), StartFolder::PackageData);
    EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music");
    EXPECT_FALSE(canCreateHere());
    EXPECT_EQ(folders.snapshot(), before);
}
