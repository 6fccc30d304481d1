// The committed artwork is exactly what the generator makes: running it again changes no byte.
#include "tests/resources/BmpFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

std::filesystem::path freshFolder() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::filesystem::temp_directory_path() / ("veskar-artgen-" + std::to_string(stamp));
}

TEST(Generator, MakesExactlyTheCommittedFiles) {
    const std::filesystem::path out = freshFolder();
    const std::string command = std::string("\"") + ARTGEN_PATH + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::filesystem::path relative = std::filesystem::relative(entry.path(), out);
        const std::vector<std::uint8_t> made = readBytes(entry.path());
        const std::vector<std::uint8_t> committed = readBytes(resourcesDir() / relative);
        EXPECT_FALSE(made.empty()) << relative;
        EXPECT_TRUE(made == committed)
            << relative << " differs from the committed file; run artgen resources";
        ++compared;
    }
    EXPECT_EQ(compared, 25);  // 17 bitmaps, the icon and its 7 sizes for the icon theme
    std::filesystem::remove_all(out);
}

}  // namespace
