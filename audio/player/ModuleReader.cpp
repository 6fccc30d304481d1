// Bounded reads through the installed module file operations.
#include "audio/player/ModuleReader.h"

#include <algorithm>
#include <limits>

#include "audio/player/ModuleFileOps.h"

ModuleReader::ModuleReader(const char* fileName) {
    const ModuleFileOps& ops = InstalledModuleFileOps();
    if (!ModuleFileOpsInstalled()) {
        return;
    }
    handle = ops.open(fileName);
    if (handle == nullptr) {
        return;
    }
    ops.seek(handle, 0, SEEK_FROM_END);
    fileSize = std::max<std::int64_t>(0, ops.tell(handle));
    ops.seek(handle, 0, SEEK_FROM_START);
}

ModuleReader::~ModuleReader() {
    if (handle != nullptr) {
        InstalledModuleFileOps().close(handle);
    }
}

void ModuleReader::read(void* destination, std::uint32_t count) {
    if (handle == nullptr || count == 0) {
        return;
    }
    InstalledModuleFileOps().read(destination, count, handle);
}

void ModuleReader::seek(std::int64_t offset, int origin) {
    if (handle == nullptr) {
        return;
    }
    std::int64_t target = offset;
    if (origin == SEEK_FROM_CURRENT) {
        target += tell();
    } else if (origin == SEEK_FROM_END) {
        target += fileSize;
    }
    // Absolute, within the file: no origin or wrap-around of the 32-bit offset can escape it.
    target = std::clamp<std::int64_t>(
        target, 0, std::min<std::int64_t>(fileSize, std::numeric_limits<std::int32_t>::max()));
    InstalledModuleFileOps().seek(handle, static_cast<std::int32_t>(target), SEEK_FROM_START);
}

std::int64_t ModuleReader::tell() const {
    if (handle == nullptr) {
        return 0;
    }
    return InstalledModuleFileOps().tell(handle);
}

std::int64_t ModuleReader::remaining() const {
    return std::max<std::int64_t>(0, fileSize - tell());
}

std::uint8_t ModuleReader::readU8() {
    std::uint8_t value = 0;
    read(&value, 1);
    return value;
}

std::uint16_t ModuleReader::readU16() {
    std::uint8_t bytes[2] = {0, 0};
    read(bytes, 2);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ModuleReader::readU32() {
    std::uint8_t bytes[4] = {0, 0, 0, 0};
    read(bytes, 4);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}
