// The installable file operations through which the module loader reads, and the reader that the
// loader holds while a file is open.
#pragma once

#include <cstdint>

// Origins of a seek.
inline constexpr int SEEK_FROM_START = 0;
inline constexpr int SEEK_FROM_CURRENT = 1;
inline constexpr int SEEK_FROM_END = 2;

// Opens the named file; returns an opaque handle, or nullptr on failure.
using ModuleFileOpen = void* (*)(const char* fileName);
// Closes a handle returned by open.
using ModuleFileClose = void (*)(void* handle);
// Copies up to count bytes to destination and advances the position; copies nothing at the end.
using ModuleFileRead = void (*)(void* destination, std::uint32_t count, void* handle);
// Moves the position by offset from origin (SEEK_FROM_*); other origins leave it.
using ModuleFileSeek = void (*)(void* handle, std::int32_t offset, int origin);
// Returns the current position in bytes.
using ModuleFileTell = std::int32_t (*)(void* handle);

struct ModuleFileOps {
    ModuleFileOpen open = nullptr;
    ModuleFileClose close = nullptr;
    ModuleFileRead read = nullptr;
    ModuleFileSeek seek = nullptr;
    ModuleFileTell tell = nullptr;
};

// Stores all five operations when all are given; clears all five when any is null.
void InstallModuleFileOps(ModuleFileOpen open, ModuleFileClose close, ModuleFileRead read,
                          ModuleFileSeek seek, ModuleFileTell tell);

// The installed operations (all null until installed).
[[nodiscard]] const ModuleFileOps& InstalledModuleFileOps();

// True when all five operations are installed.
[[nodiscard]] bool ModuleFileOpsInstalled();
