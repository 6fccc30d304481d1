// The real program started where the player's data folder cannot be made: it runs with the default
// settings and the installed music, ends normally, and leaves nothing anywhere.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Platform.h"
#include "platform/main/DataFolder.h"
#include "platform/testing/TestAudio.h"
#include "platform/testing/TestBackend.h"
#include "shell/Music.h"
#include "shell/Settings.h"
#include "tests/platform/main/LaunchFolders.h"

using veskar::platform::TestBackend;

TEST(NoDataFolder, GameRunsWithDefaultsAndTheMusicAndLeavesNothing) {
    LaunchFolders folders;
    ASSERT_FALSE(folders.root.empty());
    std::filesystem::copy_file(VESKAR_DAT_PATH, folders.package() / "VESKAR.DAT",
                               std::filesystem::copy_options::overwrite_existing);
    // A first run leaves settings in the launch folder, which a later run there would read.
    TestBackend::reset().requestClose(100);
    ASSERT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    ASSERT_TRUE(std::filesystem::exists(folders.launch() / "VESKAR.INI"));
    folders.write(folders.root / "file", "in the way");
    const auto before = folders.snapshot();

    const veskar::platform::StartPlace place =
        veskar::platform::enterStartFolder(folders.package(), folders.root / "file" / "veskar");
    ASSERT_EQ(place.folder, veskar::platform::StartFolder::Scratch);
    veskar::platform::testing::SetAudioDeviceAvailable(true);
    TestBackend& backend = TestBackend::reset();
    bool musicLoaded = false;
    backend.at(40, [&] { musicLoaded = musicModule != nullptr; });
    backend.tap(50, VK_RETURN);  // a one-player game, left again, then the window closed
    backend.tap(300, VK_ESCAPE);
    backend.requestClose(500);
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    veskar::platform::leaveStartFolder(place);
    EXPECT_FALSE(settings.loaded) << "the launch folder's settings are not the player's";
    EXPECT_TRUE(musicLoaded) << "the installed music plays";
    EXPECT_EQ(folders.snapshot(), before);
    EXPECT_FALSE(std::filesystem::exists(place.path));
}
