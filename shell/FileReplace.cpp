// Write-then-rename: the old file is only ever replaced by a complete new one, never truncated.
#include "shell/FileReplace.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Asks the system to put the file's data on the disk, so that the rename never names a file whose
// contents are still only in memory when the power goes.
bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Writes the temporary file; removes it again when any step fails.
bool writeTemporary(const std::string& path, const void* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;  // nothing was created
    }
    const bool written =
        std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0 && syncToDisk(file);
    const bool closed = std::fclose(file) == 0;
    if (written && closed) {
        return true;
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return false;
}

}  // namespace

bool replaceFile(const char* name, const void* data, std::size_t size) {
    const std::string temporary = std::string(name) + ".tmp";
    if (!writeTemporary(temporary, data, size)) {
        return false;
    }
    // Replaces an existing target in one step on every system (on Windows through MoveFileEx with
    // MOVEFILE_REPLACE_EXISTING).
    std::error_code error;
    std::filesystem::rename(temporary, name, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}
