// The process's current directory: the kernel half of the desktop API the game is written against,
// as far as the game needs it. Any thread may call it; the directory is shared by the whole process.
#pragma once

#include "platform/WinTypes.h"

// Copies the current directory's full path, terminated, into buffer. Returns its length without the
// terminator; when bufferLength is too small, the size needed including the terminator, leaving the
// buffer untouched; 0 when the current directory cannot be found.
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
// Makes path (absolute, or relative to the current directory) the current directory. FALSE, with
// the current directory unchanged, for a null or empty path or one that is not a reachable directory.
BOOL SetCurrentDirectoryA(LPCSTR path);
