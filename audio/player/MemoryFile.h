// The default module file operations: the whole file is read into memory when it is opened.
#pragma once

#include <cstdint>
#include <vector>

// A module file larger than this is refused before anything is read: the game's own music is about
// 132 KB, and the largest songs of the format stay well below it.
inline constexpr std::int64_t MAX_MODULE_FILE_SIZE = 16 * 1024 * 1024;

// What the last open found at the file's name.
enum class MemoryFileStatus {
    Read,        // the whole file is in memory
    Missing,     // no such file
    NotRegular,  // a folder, FIFO or device: not opened for reading, so nothing blocks on it
    TooLarge,    // above MAX_MODULE_FILE_SIZE
    Unreadable,  // the system refused to open or read it
};

struct MemoryFile {
    std::int32_t size = 0;           // file length in bytes
    std::int32_t position = 0;       // read position, 0..size
    std::vector<std::uint8_t> data;  // the whole file
};

// Installs the memory-file operations as the module file operations.
void InstallMemoryFileOps();

// The memory-file operations themselves. Open never fails: a file that cannot be read, is not a
// regular file or is larger than MAX_MODULE_FILE_SIZE gives an empty MemoryFile.
[[nodiscard]] void* MemoryFileOpen(const char* fileName);
void MemoryFileClose(void* handle);
void MemoryFileRead(void* destination, std::uint32_t count, void* handle);
void MemoryFileSeek(void* handle, std::int32_t offset, int origin);
[[nodiscard]] std::int32_t MemoryFileTell(void* handle);

// What the last MemoryFileOpen on this thread found, so that a caller whose module did not load can
// say why.
[[nodiscard]] MemoryFileStatus LastMemoryFileStatus();
