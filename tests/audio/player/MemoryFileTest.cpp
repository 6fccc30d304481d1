// The memory-file operations and the installable operations table.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "audio/player/MemoryFile.h"
#include "audio/player/ModuleFileOps.h"

namespace {

// Writes bytes to a fresh file in the temporary directory and returns its path.
std::string TemporaryFile(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

}  // namespace

TEST(MemoryFile, ReadsTheWholeFileAndAdvances) {
    const std::string path = TemporaryFile("veskar_memory_file_read.bin", "abcdefgh");
    void* handle = MemoryFileOpen(path.c_str());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(static_cast<MemoryFile*>(handle)->size, 8);
    char buffer[8] = {};
    MemoryFileRead(buffer, 3, handle);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_EQ(MemoryFileTell(handle), 3);
    MemoryFileRead(buffer, 8, handle);  // only five are left
    EXPECT_EQ(std::string(buffer, 5), "defgh");
    EXPECT_EQ(MemoryFileTell(handle), 8);
    buffer[0] = 'x';
    MemoryFileRead(buffer, 1, handle);  // at the end: nothing is copied
    EXPECT_EQ(buffer[0], 'x');
    MemoryFileClose(handle);
    std::filesystem::remove(path);
}

TEST(MemoryFile, SeeksFromEachOriginAndStaysInsideTheFile) {
    const std::string path = TemporaryFile("veskar_memory_file_seek.bin", "0123456789");
    void* handle = MemoryFileOpen(path.c_str());
    MemoryFileSeek(handle, 4, SEEK_FROM_START);
    EXPECT_EQ(MemoryFileTell(handle), 4);
    MemoryFileSeek(handle, 3, SEEK_FROM_CURRENT);
    EXPECT_EQ(MemoryFileTell(handle), 7);
    MemoryFileSeek(handle, -2, SEEK_FROM_END);
    EXPECT_EQ(MemoryFileTell(handle), 8);
    MemoryFileSeek(handle, 5, 7);  // unknown origin: unchanged
    EXPECT_EQ(MemoryFileTell(handle), 8);
    MemoryFileSeek(handle, 100, SEEK_FROM_START);
    EXPECT_EQ(MemoryFileTell(handle), 10);
    MemoryFileSeek(handle, -50, SEEK_FROM_CURRENT);  // never before the start
    EXPECT_EQ(MemoryFileTell(handle), 0);
    char buffer[2] = {};
    MemoryFileRead(buffer, 2, handle);
    EXPECT_EQ(std::string(buffer, 2), "01");
    MemoryFileClose(handle);
    std::filesystem::remove(path);
}

TEST(MemoryFile, MissingFileOpensEmpty) {
    void* handle = MemoryFileOpen("/nonexistent/veskar/VESKAR.DAT");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(static_cast<MemoryFile*>(handle)->size, 0);
    char buffer[4] = {'k', 'k', 'k', 'k'};
    MemoryFileRead(buffer, 4, handle);
    EXPECT_EQ(buffer[0], 'k');
    EXPECT_EQ(MemoryFileTell(handle), 0);
    MemoryFileClose(handle);
}

TEST(MemoryFile, OnlyRegularFilesUpTo16MiBAreReadAndNothingWaits) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veskar_memory_file_odd";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "a folder");
    ASSERT_EQ(::mkfifo((folder / "a FIFO").c_str(), 0600), 0);
    const std::string limit = TemporaryFile("veskar_memory_file_limit.bin", "");
    const std::string above = TemporaryFile("veskar_memory_file_above.bin", "");
    std::filesystem::resize_file(limit, MAX_MODULE_FILE_SIZE);  // sparse: nothing is written
    std::filesystem::resize_file(above, MAX_MODULE_FILE_SIZE + 1);
    struct Case {
        std::string path;
        MemoryFileStatus status;
        std::int64_t size;
    };
    const Case cases[] = {
        {(folder / "missing").string(), MemoryFileStatus::Missing, 0},
        {(folder / "a folder").string(), MemoryFileStatus::NotRegular, 0},
        {(folder / "a FIFO").string(), MemoryFileStatus::NotRegular, 0},  // would block a plain open
        {"/dev/zero", MemoryFileStatus::NotRegular, 0},                   // would never end
        {above, MemoryFileStatus::TooLarge, 0},
        {limit, MemoryFileStatus::Read, MAX_MODULE_FILE_SIZE},
    };
    for (const Case& test : cases) {
        void* handle = MemoryFileOpen(test.path.c_str());
        EXPECT_EQ(LastMemoryFileStatus(), test.status) << test.path;
        EXPECT_EQ(static_cast<MemoryFile*>(handle)->size, test.size) << test.path;
        MemoryFileClose(handle);
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove(limit);
    std::filesystem::remove(above);
}

TEST(ModuleFileOps, InstallsAllFiveOrNone) {
    InstallMemoryFileOps();
    EXPECT_TRUE(ModuleFileOpsInstalled());
    EXPECT_EQ(InstalledModuleFileOps().open, &MemoryFileOpen);
    InstallModuleFileOps(MemoryFileOpen, MemoryFileClose, nullptr, MemoryFileSeek, MemoryFileTell);
    EXPECT_FALSE(ModuleFileOpsInstalled());
    EXPECT_EQ(InstalledModuleFileOps().open, nullptr);
    EXPECT_EQ(InstalledModuleFileOps().tell, nullptr);
}
