// The process's current directory, kept by the operating system.
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/WinBase.h"

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
    std::error_code error;
    const std::string path = std::filesystem::current_path(error).string();
    if (error || path.empty()) {
        return 0;
    }
    if (buffer == nullptr || path.size() >= bufferLength) {
        return static_cast<DWORD>(path.size() + 1);
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
    if (path == nullptr || *path == '\0') {
        return FALSE;
    }
    std::error_code error;
    std::filesystem::current_path(path, error);
    return error ? FALSE : TRUE;
}
