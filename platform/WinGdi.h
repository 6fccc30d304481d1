// Device contexts, bitmaps, brushes and bit-block transfers: the drawing half of the desktop API.
// Pixels are 32 bits (0x00RRGGBB); every call runs on the message-loop thread.
#pragma once

#include "platform/WinTypes.h"

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;

inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// A memory device context holding a 1 by 1 stock bitmap; null for an unknown source context
// (a null source is allowed and means the screen).
HDC CreateCompatibleDC(HDC dc);
// A 32-bit bitmap of width by height pixels (content undefined: black, or the test backend's choice); null
// for sizes outside 1..16384 or an unknown context.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Selects a bitmap or brush into a memory context; returns the object of that kind it replaces,
// or null when the object is unknown, a bitmap is already selected elsewhere, or dc is a window's.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Deletes a bitmap or brush; FALSE for unknown or stock objects and for a bitmap still selected.
BOOL DeleteObject(HGDIOBJ object);
// Deletes a memory context (its selected bitmap survives, deselected); FALSE if not one.
BOOL DeleteDC(HDC dc);
// Writes a BITMAP description of a bitmap (32 bits per pixel, no bits pointer) and returns its size;
// 0 when the object is not a bitmap or size is too small. A null buffer asks for the size.
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
// Copies a width by height block from src at (srcX, srcY) to dst at (x, y). Only SRCCOPY exists.
// The block is clipped to both bitmaps: pixels outside either are neither read nor written.
// FALSE for unknown contexts, another raster operation or a negative size.
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// A brush of one colour; never null.
HBRUSH CreateSolidBrush(COLORREF color);
// Fills the rectangle (right and bottom exclusive, clipped to the bitmap) with the brush; a brush
// value of a system colour index + 1 uses that system colour. 0 for an unknown context or brush.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// The layer's fixed system colours (window white, menu text black...); 0 for unknown indices.
DWORD GetSysColor(int index);
// Decodes bitmap resource `name` (an uncompressed 1-, 4-, 8-, 24- or 32-bit DIB) into a 32-bit bitmap;
// null when missing or malformed.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
