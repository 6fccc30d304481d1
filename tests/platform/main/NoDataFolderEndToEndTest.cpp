// The real program started where the player's data folder cannot be made: it runs with the default
// settings, ends normally, and writes nothing anywhere.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/main/DataFolder.h"
#include "platform/testing/TestBackend.h"
#include "shell/Settings.h"
#include "tests/platform/main/LaunchFolders.h"

using veskar::platform::TestBackend;

TEST(NoDataFolder, GameRunsWithDefaultsAndWritesNothing) {
    LaunchFolders folders;
    ASSERT_FALSE(folders.root.empty());
    // A first run leaves settings in the launch folder, which a later run there would read.
    TestBackend::reset().requestClose(100);
    ASSERT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    ASSERT_TRUE(std::filesystem::exists(folders.launch() / "VESKAR.INI"));
    folders.write(folders.root / "file", "in the way");
    const auto before = folders.snapshot();

    ASSERT_EQ(veskar::platform::enterStartFolder(folders.package(), folders.root / "file" / "veskar").folder,
              veskar::platform::StartFolder::Removed);
    TestBackend& backend = TestBackend::reset();
    backend.tap(50, VK_RETURN);  // a one-player game, left again, then the window closed
    backend.tap(300, VK_ESCAPE);
    backend.requestClose(500);
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL), 0);
    EXPECT_FALSE(settings.loaded) << "the launch folder's settings are not the player's";
    EXPECT_EQ(folders.snapshot(), before);
}
