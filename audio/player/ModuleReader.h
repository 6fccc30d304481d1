// The loader's view of an open module file: the installed operations behind bounded little-endian reads.
// Reads past the end deliver zeros, so a short file can never leave a field half-filled with garbage.
#pragma once

#include <cstdint>

class ModuleReader {
  public:
    // Opens fileName with the installed operations; isOpen() is false when open gave no handle.
    explicit ModuleReader(const char* fileName);
    ~ModuleReader();
    ModuleReader(const ModuleReader&) = delete;
    ModuleReader& operator=(const ModuleReader&) = delete;

    [[nodiscard]] bool isOpen() const { return handle != nullptr; }
    // Copies up to count bytes; the bytes the file does not have are left as they were.
    void read(void* destination, std::uint32_t count);
    void seek(std::int64_t offset, int origin);  // offsets outside the file are clamped to it
    [[nodiscard]] std::int64_t tell() const;
    [[nodiscard]] std::int64_t size() const { return fileSize; }
    [[nodiscard]] std::int64_t remaining() const;  // bytes from the position to the end

    [[nodiscard]] std::uint8_t readU8();
    [[nodiscard]] std::uint16_t readU16();
    [[nodiscard]] std::uint32_t readU32();

  private:
    void* handle = nullptr;
    std::int64_t fileSize = 0;
};
