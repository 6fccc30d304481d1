// The process's current directory through GetCurrentDirectoryA and SetCurrentDirectoryA.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Platform.h"
#include "tests/support/ScratchFolder.h"

TEST(Directories, ReportsTheCurrentDirectoryOrTheSizeItNeeds) {
    const ScratchFolder folder;
    const std::string path = std::filesystem::current_path().string();
    const auto needed = static_cast<DWORD>(path.size() + 1);
    std::string buffer(needed, '#');
    EXPECT_EQ(GetCurrentDirectoryA(needed - 1, buffer.data()), needed);
    EXPECT_EQ(buffer, std::string(needed, '#')) << "too small: untouched";
    EXPECT_EQ(GetCurrentDirectoryA(needed, buffer.data()), needed - 1);
    EXPECT_EQ(buffer.c_str(), path);
}

TEST(Directories, ChangesToExistingDirectoriesOnly) {
    const ScratchFolder folder;
    std::filesystem::create_directory("inner");
    std::ofstream("plain") << "not a directory";
    const std::pair<const char*, bool> cases[] = {{"inner", true},  {"..", true}, {"missing", false},
                                                  {"plain", false}, {"", false},  {nullptr, false}};
    for (const auto& [path, changes] : cases) {
        const auto before = std::filesystem::current_path();
        EXPECT_EQ(SetCurrentDirectoryA(path), changes ? TRUE : FALSE);
        EXPECT_EQ(std::filesystem::current_path() != before, changes);
    }
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), folder.path));
}
