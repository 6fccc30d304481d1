// The settings file among hostile or odd neighbours: links planted at any name a save might use, a
// full disk and a read-only folder, permissions, and folders, FIFOs and links standing where the
// file should be. The player's file is never lost or replaced by something it could not read, a
// failure is named, and nothing outside the game's own file is touched.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "shell/Settings.h"
#include "tests/shell/ScratchFolder.h"
#include "tests/shell/SettingsFiles.h"

namespace fs = std::filesystem;

namespace {

// Every entry of the folder with what it is: a link's target, a file's bytes' size and mode.
std::set<std::string> listing() {
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        struct stat status {};
        ::lstat(name.c_str(), &status);
        if (S_ISLNK(status.st_mode)) {
            entries.insert(name + " -> " + fs::read_symlink(name).string());
        } else if (S_ISREG(status.st_mode)) {
            entries.insert(name + " file of " + std::to_string(status.st_size) + " mode " +
                           std::to_string(status.st_mode & 0777));
        } else {
            entries.insert(name + " other");
        }
    }
    return entries;
}

bool isRoot() {
    return ::geteuid() == 0;
}

class SettingsFileSafety : public ::testing::Test {
  protected:
    // Reads as the game does at start-up, then changes a switch and a key, as the menus would.
    static Settings readAndChange() {
        Settings subject;
        subject.read();
        subject.record.soundOn = 0;
        player1Keys[0] = 'Q';
        return subject;
    }
    // A valid file of an earlier run, as the bytes it has on disk.
    static Bytes earlierRun() {
        Settings earlier;
        earlier.read();
        storeName(earlier.record.playerNames[0], "EARLIER");
        earlier.write();
        return readBytes("VESKAR.INI");
    }
    void TearDown() override { ::chmod(folder.path.c_str(), 0700); }
    ScratchFolder folder;
};

}  // namespace

TEST_F(SettingsFileSafety, ASaveNeverFollowsALinkPlantedAtAnyName) {
    writeBytes("victim", {'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'});
    const char* const planted[] = {"VESKAR.INI.tmp", "VESKAR.INI.new",  "VESKAR.INI~",
                                   "VESKAR.INI.bak", ".VESKAR.INI.swp", "VESKAR.INI.0"};
    for (const char* name : planted) {
        fs::create_symlink("victim", name);
    }
    fs::create_symlink("no/such/folder/file", "VESKAR.INI.part");
    std::set<std::string> expected = listing();
    Settings subject = readAndChange();
    subject.saveChanges();
    subject.write();
    expected.insert("VESKAR.INI file of 524 mode 384");
    EXPECT_EQ(listing(), expected) << "the links still point where they did; nothing else was made";
    EXPECT_EQ(readBytes("victim"), (Bytes{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    EXPECT_TRUE(digestVerifies(readBytes("VESKAR.INI")));
}

TEST_F(SettingsFileSafety, AFailedSaveKeepsTheOldFileSaysWhyAndLeavesNothing) {
    struct Case {
        const char* what;
        const char* reason;  // as the player reads it
        std::function<bool()> arrange;
        std::function<void()> undo;
    };
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const Case cases[] = {
        {"the disk is full", "File too large",
         [&] {
             std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
             rlimit small = limit;
             small.rlim_cur = 100;
             return ::setrlimit(RLIMIT_FSIZE, &small) == 0;
         },
         [&] {
             ::setrlimit(RLIMIT_FSIZE, &limit);
             std::signal(SIGXFSZ, SIG_DFL);
         }},
        {"the folder is read-only", "Permission denied",
         [&] { return !isRoot() && ::chmod(folder.path.c_str(), 0500) == 0; },
         [&] { ::chmod(folder.path.c_str(), 0700); }},
    };
    for (const Case& test : cases) {
        fs::remove("VESKAR.INI");
        const Bytes old = earlierRun();
        const std::set<std::string> before = listing();
        Settings subject = readAndChange();
        if (!test.arrange()) {
            test.undo();
            std::cerr << "not on this machine: " << test.what << '\n';
            continue;
        }
        ::testing::internal::CaptureStderr();
        subject.saveChanges();
        subject.saveChanges();  // nothing changed since: not tried again
        const std::string said = ::testing::internal::GetCapturedStderr();
        test.undo();
        EXPECT_EQ(readBytes("VESKAR.INI"), old) << test.what;
        EXPECT_EQ(listing(), before) << test.what << ": the failed save left nothing behind";
        EXPECT_EQ(said, "veskar: cannot save the settings to " + (folder.path / "VESKAR.INI").string() +
                            ": " + test.reason + "\n")
            << test.what;
    }
}

TEST_F(SettingsFileSafety, TheNewFileKeepsThePermissionsOfTheOld) {
    const mode_t umaskBefore = ::umask(0);
    for (const auto& [before, after] :
         {std::pair<int, int>{-1, 0600}, {0600, 0600}, {0640, 0640}, {0604, 0604}}) {
        fs::remove("VESKAR.INI");
        if (before >= 0) {
            earlierRun();
            ::chmod("VESKAR.INI", static_cast<mode_t>(before));
        }
        readAndChange().write();
        struct stat status {};
        ASSERT_EQ(::stat("VESKAR.INI", &status), 0);
        EXPECT_EQ(status.st_mode & 0777, static_cast<mode_t>(after)) << "was " << before;
    }
    ::umask(umaskBefore);
}

TEST_F(SettingsFileSafety, WhatCannotBeReadIsNeverReplacedNorWaitedOn) {
    struct Case {
        const char* what;
        std::function<bool()> arrange;  // false: not possible on this machine
    };
    const Case cases[] = {
        {"a folder", [] { return fs::create_directory("VESKAR.INI"); }},
        {"a FIFO", [] { return ::mkfifo("VESKAR.INI", 0600) == 0; }},
        {"a link to a valid file",
         [] {
             earlierRun();
             fs::rename("VESKAR.INI", "elsewhere.ini");
             fs::create_symlink("elsewhere.ini", "VESKAR.INI");
             return true;
         }},
        {"another user's file", [] { return !isRoot() && (earlierRun(), ::chmod("VESKAR.INI", 0) == 0); }},
    };
    for (const Case& test : cases) {
        for (const auto& entry : fs::directory_iterator(".")) {
            fs::remove_all(entry.path());
        }
        if (!test.arrange()) {
            std::cerr << "not on this machine: " << test.what << '\n';
            continue;
        }
        const std::set<std::string> before = listing();
        ::testing::internal::CaptureStderr();
        Settings subject = readAndChange();
        subject.saveChanges();
        subject.write();
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(subject.fileState, SettingsFileState::Unreadable) << test.what;
        EXPECT_FALSE(subject.loaded) << test.what;
        EXPECT_EQ(listing(), before) << test.what << ": left as it was";
        EXPECT_TRUE(said.starts_with("veskar: cannot read the settings in ")) << test.what << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << test.what << ": said once";
    }
}

TEST_F(SettingsFileSafety, ChangesAreSavedOnceEach) {
    Settings subject;
    subject.read();
    EXPECT_EQ(subject.fileState, SettingsFileState::Missing);
    subject.saveChanges();
    EXPECT_FALSE(fs::exists("VESKAR.INI")) << "nothing changed yet";
    subject.record.soundOn = 0;
    subject.saveChanges();
    struct stat first {};
    ASSERT_EQ(::stat("VESKAR.INI", &first), 0);
    EXPECT_EQ(readBytes("VESKAR.INI")[372], 0);
    subject.saveChanges();
    struct stat again {};
    ASSERT_EQ(::stat("VESKAR.INI", &again), 0);
    EXPECT_EQ(again.st_ino, first.st_ino) << "not saved again without a change";
    player1Keys[3] = 'M';
    subject.saveChanges();
    EXPECT_EQ(readBytes("VESKAR.INI")[152 + 3], 'M') << "a key assigned in the working arrays";
    EXPECT_TRUE(digestVerifies(readBytes("VESKAR.INI")));
}
