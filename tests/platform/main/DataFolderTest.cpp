// The folder the game runs in: the launch folder when it holds the music or nothing is installed,
// the player's data folder (made when missing, with a link to the installed music) otherwise, and a
// scratch folder with that link, removed after the game, when the data folder cannot be made.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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
        place = enterStartFolder(package, player);
        return place.folder;
    }

    LaunchFolders folders;
    const fs::path player = folders.root / "data" / "deep" / "veskar";
    veskar::platform::StartPlace place;
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
    folders.write(player / ".VESKAR.DAT.link", "left by a start cut short");
    ASSERT_EQ(start(folders.package(), player), StartFolder::PlayerData);
    EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music") << "the stale temporary name is the game's own";
    EXPECT_FALSE(fs::exists(fs::symlink_status(".VESKAR.DAT.link")));
    fs::remove(player / "VESKAR.DAT");
    folders.write(player / "VESKAR.DAT", "own music");
    ASSERT_EQ(start(folders.package(), player), StartFolder::PlayerData);
    EXPECT_EQ(folders.read("VESKAR.DAT"), "own music");
}

TEST_F(DataFolder, FolderThatCannotBeMadeGivesAScratchFolderWithTheMusic) {
    folders.write(folders.root / "file", "in the way");
    const auto before = folders.snapshot();
    const fs::path impossible[] = {
        folders.root / "file" / "below",
        folders.root / "file",
        // Two folders are made before the third fails: they go again.
        folders.root / "made" / "also" / std::string(300, 'x'),
    };
    for (const fs::path& folder : impossible) {
        ASSERT_EQ(start(folders.package(), folder), StartFolder::Scratch) << folder;
        EXPECT_FALSE(place.problem.empty());
        EXPECT_EQ(fs::current_path(), place.path);
        EXPECT_EQ(place.path.parent_path(), fs::temp_directory_path()) << "not where the game was started";
        EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music") << folder;
        folders.write("VESKAR.INI", "settings of this run");
        veskar::platform::leaveStartFolder(place);
        EXPECT_FALSE(fs::exists(place.path)) << "the scratch folder goes with the game";
        EXPECT_EQ(folders.snapshot(), before) << folder;
    }
}

TEST_F(DataFolder, WithoutAnyFolderOfItsOwnTheGameRunsInTheInstallation) {
    folders.write(folders.root / "file", "in the way");
    const char* previous = std::getenv("TMPDIR");
    const std::string kept = previous != nullptr ? previous : "";
    setenv("TMPDIR", (folders.root / "no temporary folder").c_str(), 1);
    const StartFolder folder = start(folders.package(), folders.root / "file" / "veskar");
    if (previous != nullptr) {
        setenv("TMPDIR", kept.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    EXPECT_EQ(folder, StartFolder::PackageData);
    EXPECT_EQ(folders.read("VESKAR.DAT"), "installed music");
}
