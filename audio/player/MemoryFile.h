// The default module file operations: the whole file is read into memory when it is opened.
#pragma once

#include <cstdint>
#include <vector>

struct MemoryFile {
    std::int32_t size = 0;           // file length in bytes
    std::int32_t position = 0;       // read position, 0..size
    std::vector<std::uint8_t> data;  // the whole file
};

// Installs the memory-file operations as the module file operations.
void InstallMemoryFileOps();

// The memory-file operations themselves. Open never fails: a file that cannot be read (or is larger
// than a signed 32-bit size) gives an empty MemoryFile.
[[nodiscard]] void* MemoryFileOpen(const char* fileName);
void MemoryFileClose(void* handle);
void MemoryFileRead(void* destination, std::uint32_t count, void* handle);
void MemoryFileSeek(void* handle, std::int32_t offset, int origin);
[[nodiscard]] std::int32_t MemoryFileTell(void* handle);
