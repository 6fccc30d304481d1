// Memory-file operations: open reads the whole file, the other operations work on the copy.
#include "audio/player/MemoryFile.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "audio/player/ModuleFileOps.h"

namespace {

// Reads the whole file into file->data; leaves it empty on any failure.
void ReadWholeFile(std::FILE* stream, MemoryFile& file) {
    if (std::fseek(stream, 0, SEEK_END) != 0)
        return;
    const long length = std::ftell(stream);
    if (length <= 0 || length > std::numeric_limits<std::int32_t>::max())
        return;
    if (std::fseek(stream, 0, SEEK_SET) != 0)
        return;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
    if (std::fread(data.data(), 1, data.size(), stream) != data.size())
        return;
    file.data = std::move(data);
    file.size = static_cast<std::int32_t>(length);
}

}  // namespace

void* MemoryFileOpen(const char* fileName) {
    auto* file = new MemoryFile{};
    if (fileName == nullptr)
        return file;
    std::FILE* stream = std::fopen(fileName, "rb");
    if (stream == nullptr)
        return file;
    ReadWholeFile(stream, *file);
    std::fclose(stream);
    return file;
}

void MemoryFileClose(void* handle) {
    delete static_cast<MemoryFile*>(handle);
}

void MemoryFileRead(void* destination, std::uint32_t count, void* handle) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file == nullptr || destination == nullptr || file->position >= file->size)
        return;
    const std::uint32_t available = static_cast<std::uint32_t>(file->size - file->position);
    if (count > available)
        count = available;
    std::memcpy(destination, file->data.data() + file->position, count);
    file->position += static_cast<std::int32_t>(count);
}

void MemoryFileSeek(void* handle, std::int32_t offset, int origin) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (file == nullptr)
        return;
    // Computed in 64 bits and kept within 0..size, so no offset can move the position outside the data.
    std::int64_t position = file->position;
    if (origin == SEEK_FROM_START)
        position = offset;
    else if (origin == SEEK_FROM_CURRENT)
        position += offset;
    else if (origin == SEEK_FROM_END)
        position = static_cast<std::int64_t>(file->size) + offset;
    else
        return;
    if (position > file->size)
        position = file->size;
    if (position < 0)
        position = 0;
    file->position = static_cast<std::int32_t>(position);
}

std::int32_t MemoryFileTell(void* handle) {
    const auto* file = static_cast<const MemoryFile*>(handle);
    return file == nullptr ? 0 : file->position;
}

void InstallMemoryFileOps() {
    InstallModuleFileOps(MemoryFileOpen, MemoryFileClose, MemoryFileRead, MemoryFileSeek, MemoryFileTell);
}
