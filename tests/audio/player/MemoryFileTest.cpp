// The memory-file operations and the installable operations table.
#include <gtest/gtest.h>

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

TEST(ModuleFileOps, InstallsAllFiveOrNone) {
    InstallMemoryFileOps();
    EXPECT_TRUE(ModuleFileOpsInstalled());
    EXPECT_EQ(InstalledModuleFileOps().open, &MemoryFileOpen);
    InstallModuleFileOps(MemoryFileOpen, MemoryFileClose, nullptr, MemoryFileSeek, MemoryFileTell);
    EXPECT_FALSE(ModuleFileOpsInstalled());
    EXPECT_EQ(InstalledModuleFileOps().open, nullptr);
    EXPECT_EQ(InstalledModuleFileOps().tell, nullptr);
}
