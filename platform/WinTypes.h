// Basic types, handles and helper macros of the desktop API, as the game code names them.
// Sizes follow the 64-bit Windows data model (LONG and DWORD are 32 bits).
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using INT = int;
using UINT = unsigned int;
using BOOL = int;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;
using ATOM = WORD;
using MMRESULT = UINT;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Handles are opaque pointers to the layer's own objects; each kind is a distinct type.
#define VESKAR_DECLARE_HANDLE(name) \
    struct name##__;                \
    using name = name##__*
VESKAR_DECLARE_HANDLE(HWND);
VESKAR_DECLARE_HANDLE(HINSTANCE);
VESKAR_DECLARE_HANDLE(HDC);
VESKAR_DECLARE_HANDLE(HBITMAP);
VESKAR_DECLARE_HANDLE(HBRUSH);
VESKAR_DECLARE_HANDLE(HICON);
VESKAR_DECLARE_HANDLE(HCURSOR);
VESKAR_DECLARE_HANDLE(HMENU);
VESKAR_DECLARE_HANDLE(HRSRC);
VESKAR_DECLARE_HANDLE(HGLOBAL);
VESKAR_DECLARE_HANDLE(HWAVEOUT);
#undef VESKAR_DECLARE_HANDLE
using HGDIOBJ = void*;
using HANDLE = void*;
using HMODULE = HINSTANCE;

#define WINAPI
#define CALLBACK

// Integer resource identifiers travel in the low word of a string pointer.
inline LPSTR MAKEINTRESOURCEA(WORD id) {
    return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(id));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
    return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0;
}

inline constexpr WORD LOWORD(DWORD_PTR value) {
    return static_cast<WORD>(value & 0xFFFF);
}
inline constexpr WORD HIWORD(DWORD_PTR value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
inline constexpr BYTE LOBYTE(DWORD_PTR value) {
    return static_cast<BYTE>(value & 0xFF);
}
inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
inline constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c);
}
inline constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>(c >> 8);
}
inline constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>(c >> 16);
}

struct RECT {
    LONG left, top, right, bottom;
};
using LPRECT = RECT*;
struct POINT {
    LONG x, y;
};
