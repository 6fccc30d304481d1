// The settings file through the real program on the test backend: read at start-up, written once at
// shutdown, crafted names harmless, and what a run changed found again by the next.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/PlatformState.h"
#include "platform/testing/TestAudio.h"
#include "platform/testing/TestBackend.h"
#include "screens/game/OnePlayerGame.h"
#include "settings/Settings.h"
#include "shell/ShellState.h"
#include "tests/settings/SettingsFiles.h"
#include "tests/support/ScratchFolder.h"

using veskar::platform::TestBackend;
namespace test_audio = veskar::platform::testing;

namespace {

inline constexpr std::size_t MUSIC_ON = 373;
inline constexpr std::size_t NAME_FIELDS = 18;  // eight players' names, then ten high-score names

std::size_t nameOffset(std::size_t field) {
    return field < 8 ? 40 + 14 * field : 192 + 14 * (field - 8);
}

int runGame() {
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
}

OnePlayerGame* onePlayerGame() {
    return dynamic_cast<OnePlayerGame*>(currentScreen.get());
}

// A valid file holding the defaults, sealed by the test's own digest.
Bytes defaultsFile() {
    const Settings defaults;
    Bytes file(RECORD_SIZE);
    std::memcpy(file.data(), &defaults.record, RECORD_SIZE);
    sealDigest(file);
    return file;
}

class SettingsEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        backend = &TestBackend::reset();
        test_audio::setAudioDeviceAvailable(true);
        settings.loadDefaults();  // whatever an earlier run in this process left
    }
    ScratchFolder folder;
    TestBackend* backend = nullptr;
};

}  // namespace

TEST_F(SettingsEndToEnd, NamesKeysSwitchesAndScoresSurviveARestart) {
    backend->at(50, [] {  // as the options and key menus would change them
        storeName(settings.record.playerNames[0], "ISOLDE");
        player1Keys[Action::Rotate] = 'Z';
        settings.record.soundOn = 0;
    });
    backend->tap(100, VK_RETURN);  // a one-player game
    backend->at(150, [] { onePlayerGame()->players[0]->score = 5000; });
    backend->tap(300, VK_ESCAPE);  // left: the score is entered
    backend->requestClose(500);
    ASSERT_EQ(runGame(), 0);
    EXPECT_TRUE(digestVerifies(readBytes("VESKAR.INI")));

    settings.loadDefaults();
    player1Keys = {};
    backend = &TestBackend::reset();
    backend->requestClose(100);
    ASSERT_EQ(runGame(), 0);
    EXPECT_TRUE(settings.loaded);
    EXPECT_STREQ(settings.record.playerNames[0].data(), "ISOLDE");
    EXPECT_EQ(player1Keys[Action::Rotate], 'Z');
    EXPECT_EQ(settings.record.soundOn, 0);
    EXPECT_EQ(settings.record.highScores[1], 5000u);
    EXPECT_STREQ(settings.record.highScoreNames[1].data(), "ISOLDE");
}

TEST_F(SettingsEndToEnd, MusicStartsOnlyWhenTheFileSwitchesItOn) {
    for (const std::uint8_t musicOn : {0, 1}) {
        Bytes file = defaultsFile();
        file[MUSIC_ON] = musicOn;
        sealDigest(file);
        writeBytes("VESKAR.INI", file);
        backend = &TestBackend::reset();
        bool deviceOpen = !musicOn;
        backend->at(50, [&] { deviceOpen = test_audio::audioDeviceOpen(); });
        backend->requestClose(100);
        ASSERT_EQ(runGame(), 0);
        EXPECT_EQ(deviceOpen, musicOn == 1);
        EXPECT_EQ(readBytes("VESKAR.INI")[MUSIC_ON], musicOn) << "kept for the next run";
    }
}

TEST_F(SettingsEndToEnd, CraftedNamesWithoutTerminatorsAreHarmless) {
    Bytes crafted = defaultsFile();
    for (std::size_t field = 0; field < NAME_FIELDS; ++field) {
        std::memcpy(&crafted[nameOffset(field)], "ABCDEFGHIJKLMN", 14);
    }
    sealDigest(crafted);
    writeBytes("VESKAR.INI", crafted);
    backend->tap(100, VK_RETURN);
    std::string playing;
    backend->at(150, [&] {
        playing = onePlayerGame()->players[0]->name.data();
        onePlayerGame()->players[0]->score = 9000;
    });
    backend->tap(300, VK_ESCAPE);
    backend->requestClose(500);
    ASSERT_EQ(runGame(), 0);
    EXPECT_EQ(playing, "ABCDEFGHIJKLM");
    const Bytes written = readBytes("VESKAR.INI");
    EXPECT_TRUE(digestVerifies(written));
    EXPECT_STREQ(reinterpret_cast<const char*>(&written[192]), "ABCDEFGHIJKLM") << "the new best score";
    for (std::size_t field = 0; field < NAME_FIELDS; ++field) {
        EXPECT_EQ(written[nameOffset(field) + 13], 0) << "name field " << field;
    }
}

TEST_F(SettingsEndToEnd, WrittenOnceWhenTheWindowIsDestroyedAfterAFailedStartUp) {
    backend->setTimerCapacity(0);
    backend->tap(100, VK_RETURN);  // closes the error box
    backend->at(5000, [] {});
    ASSERT_EQ(runGame(), 0);
    ASSERT_TRUE(digestVerifies(readBytes("VESKAR.INI")));
    ASSERT_FALSE(veskar::platform::state().windows.empty());
    settings.record.soundOn = 0;
    DestroyWindow(veskar::platform::state().windows.front().get());  // as after a failed creation
    EXPECT_EQ(readBytes("VESKAR.INI"), defaultsFile()) << "not written again";
}
