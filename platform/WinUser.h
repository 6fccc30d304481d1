// Windows, messages, timers, resources, message boxes and keyboard codes: the window-manager half
// of the desktop API the game is written against. All calls run on the message-loop thread.
#pragma once

#include "platform/WinTypes.h"

// Messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
// wParam TRUE: the desktop session ends (or, on this layer, the display is gone) and the process
// ends after the window procedure returns; save now.
inline constexpr UINT WM_ENDSESSION = 0x0016;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_SYSCHAR = 0x0106;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_USER = 0x0400;

// Edit controls: pasting, the length limit, the selection, and the notifications they send their dialog
// in WM_COMMAND (the code in the high word of wParam, the control's handle in lParam).
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr WORD EN_CHANGE = 0x0300;
inline constexpr WORD EN_UPDATE = 0x0400;
inline constexpr WORD BN_CLICKED = 0;

inline constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

// Class and window styles, creation and show commands.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD DS_SETFONT = 0x00000040;
inline constexpr DWORD DS_MODALFRAME = 0x00000080;
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

// System metrics of the layer's own window frame, in pixels.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXFIXEDFRAME = 7;
inline constexpr int SM_CYFIXEDFRAME = 8;

// Message boxes.
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Stock icons and cursors.
inline const LPCSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);

// Resource types.
inline const LPCSTR RT_BITMAP = MAKEINTRESOURCEA(2);
inline const LPCSTR RT_ICON = MAKEINTRESOURCEA(3);
inline const LPCSTR RT_DIALOG = MAKEINTRESOURCEA(5);
inline const LPCSTR RT_STRING = MAKEINTRESOURCEA(6);
inline const LPCSTR RT_GROUP_ICON = MAKEINTRESOURCEA(14);

// Virtual-key codes.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_CLEAR = 0x0C;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_PAUSE = 0x13;
inline constexpr UINT VK_CAPITAL = 0x14;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_SNAPSHOT = 0x2C;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_LWIN = 0x5B;
inline constexpr UINT VK_RWIN = 0x5C;
inline constexpr UINT VK_APPS = 0x5D;
inline constexpr UINT VK_NUMPAD0 = 0x60;  // VK_NUMPAD0 + n for digit n
inline constexpr UINT VK_MULTIPLY = 0x6A;
inline constexpr UINT VK_ADD = 0x6B;
inline constexpr UINT VK_SEPARATOR = 0x6C;
inline constexpr UINT VK_SUBTRACT = 0x6D;
inline constexpr UINT VK_DECIMAL = 0x6E;
inline constexpr UINT VK_DIVIDE = 0x6F;
inline constexpr UINT VK_F1 = 0x70;  // VK_F1 + n - 1 for Fn, up to F12
inline constexpr UINT VK_F10 = 0x79;
inline constexpr UINT VK_F12 = 0x7B;
inline constexpr UINT VK_NUMLOCK = 0x90;
inline constexpr UINT VK_SCROLL = 0x91;
inline constexpr UINT VK_OEM_1 = 0xBA;  // ;
inline constexpr UINT VK_OEM_PLUS = 0xBB;
inline constexpr UINT VK_OEM_COMMA = 0xBC;
inline constexpr UINT VK_OEM_MINUS = 0xBD;
inline constexpr UINT VK_OEM_PERIOD = 0xBE;
inline constexpr UINT VK_OEM_2 = 0xBF;  // /
inline constexpr UINT VK_OEM_3 = 0xC0;  // `
inline constexpr UINT VK_OEM_4 = 0xDB;  // [
inline constexpr UINT VK_OEM_5 = 0xDC;  // backslash
inline constexpr UINT VK_OEM_6 = 0xDD;  // ]
inline constexpr UINT VK_OEM_7 = 0xDE;  // '
inline constexpr UINT VK_OEM_102 = 0xE2;

using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
// A dialog procedure returns TRUE for a message it handled, FALSE to leave it to the dialog's
// default handling.
using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void(CALLBACK*)(HWND, UINT, UINT_PTR, DWORD);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

struct CREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
using LPMSG = MSG*;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// Module and resources. Resources are looked up in the module's embedded table by number (or name)
// and type; nothing is read from disk. Failures return null or zero.

// The module whose resources a load uses; null names the program itself. Never fails for null.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// Finds resource `name` of `type`; null when the module has none.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// The resource's data handle (valid for the module's lifetime); null for a null resource.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// Pointer to the resource's bytes; null for a null handle.
LPVOID LockResource(HGLOBAL data);
// Size of the resource in bytes; 0 for a null resource.
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Embedded resources need no freeing; kept for the callers' symmetry. Returns FALSE.
BOOL FreeResource(HGLOBAL data);
// Copies string resource `id` into buffer (at most size - 1 bytes, always terminated); returns the
// number of bytes copied, 0 when the string is missing or size is 0.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);
// Icon `name` of the module (or a stock icon for a null instance); null when missing or undecodable.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
// A stock cursor (only IDC_ARROW exists); null for anything else.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// Window classes and windows.

// Registers a class; returns 0 when the name is taken, missing, or the structure is malformed.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);
// Creates a top-level window (a caption and fixed frame are always added; the client area is the
// outer size less them) and sends it WM_CREATE. Returns null for an unknown class, a failed display,
// or when WM_CREATE returns -1 (the window is then destroyed again).
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// Sends WM_DESTROY, then removes the window, its timers and its queued messages. FALSE if unknown.
BOOL DestroyWindow(HWND window);
// TRUE while the window exists.
BOOL IsWindow(HWND window);
// Shows or hides the window on the display; returns whether it was visible before.
BOOL ShowWindow(HWND window, int command);
// Sends WM_PAINT at once when the window is invalid. FALSE for an unknown window.
BOOL UpdateWindow(HWND window);
// The default handling: WM_CLOSE destroys the window, WM_PAINT validates it, Alt+F4 closes it;
// everything else returns 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends WM_SETTEXT: a window's caption, a control's text. FALSE for an unknown window or a null text.
BOOL SetWindowTextA(HWND window, LPCSTR text);
// Sends WM_GETTEXT: copies at most maxCount - 1 bytes of the caption or text into buffer, always
// terminated, and returns how many it copied; 0 for an unknown window, a null buffer or maxCount 0.
int GetWindowTextA(HWND window, LPSTR buffer, int maxCount);
// The length of the caption or text in bytes; 0 for an unknown window.
int GetWindowTextLengthA(HWND window);
// Client rectangle (0, 0, width, height). FALSE and nothing written for an unknown window.
BOOL GetClientRect(HWND window, LPRECT rect);
int GetSystemMetrics(int index);

// Message queue and loop (the message-loop thread only).

// Waits for the next message: posted and input messages in order, then WM_QUIT once PostQuitMessage
// ran, then WM_PAINT for an invalid window, then WM_TIMER for a due timer. Returns 0 for WM_QUIT,
// nonzero otherwise. Only the null window filter and an empty range are supported.
BOOL GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax);
// Like GetMessageA without waiting; FALSE when nothing is ready. PM_REMOVE takes the message.
BOOL PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Posts WM_CHAR after a WM_KEYDOWN of a key that types a character. Returns whether it did.
BOOL TranslateMessage(const MSG* message);
// Calls the window procedure of message->hwnd and returns its result (0 for an unknown window).
LRESULT DispatchMessageA(const MSG* message);
// Calls the window procedure directly and returns its result; 0 for an unknown window.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends a message to the queue; FALSE for an unknown window (a null window is allowed).
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the loop's next GetMessageA return WM_QUIT with exitCode once posted messages are gone.
void PostQuitMessage(int exitCode);

// Timers. A due timer yields one WM_TIMER when the queue is otherwise empty; it is never queued
// twice, so a slow consumer sees fewer ticks rather than a backlog.

// Starts or restarts timer `id` of the window with an interval in milliseconds (at least 10).
// Returns the id (nonzero), or 0 for an unknown window, id 0, or a timer procedure (unsupported).
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc);
// Stops the timer; FALSE when it was not running.
BOOL KillTimer(HWND window, UINT_PTR id);
// Milliseconds since the platform started, from the backend's clock.
DWORD GetTickCount();

// Painting. The whole client area is invalidated or validated; a rectangle is accepted for
// compatibility and treated as the whole window.

// Marks the window invalid so that WM_PAINT follows; FALSE for an unknown window.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
// Validates the window and returns its device context for painting; null for an unknown window.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
// Ends painting: presents the window's pixels. FALSE for an unknown window.
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
// A device context drawing on the window's client area; null for an unknown window.
HDC GetDC(HWND window);
// Releases a window device context and presents what was drawn; returns 1, or 0 if not one.
int ReleaseDC(HWND window, HDC dc);

// A modal box over the owner window with the text, the caption and an OK button. Its loop keeps
// dispatching every message (timers and paints included) until Enter, Escape or a click closes it.
// Returns IDOK (IDCANCEL for Escape when the style has a Cancel button); 0 if the loop saw WM_QUIT,
// which it posts again.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// Modal dialogs from dialog templates. A dialog is drawn over its owner (centred on it) with the
// layer's own font; it has static texts, edit fields and push buttons. While it is open, keys go
// to it alone: Enter sends it WM_COMMAND with IDOK, Escape and the window's close request send
// IDCANCEL, every other key goes to the focused edit field. Timer, paint and posted messages
// still reach their windows. Call from the message-loop thread.

// Shows dialog template `name` (RT_DIALOG) of the module and runs it until the dialog procedure
// calls EndDialog. The procedure first receives WM_INITDIALOG with `param` in lParam; returning
// TRUE gives the first edit field the focus with its whole text selected. Returns EndDialog's
// result; -1 when the template is missing or malformed or there is no window to show it over;
// 0 if the loop met WM_QUIT, which it posts again for the outer loop.
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC dialogProc, LPARAM param);
// Ends the dialog once its procedure returns, making DialogBoxParamA return `result`. FALSE when
// `dialog` is not an open dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);
// The control of the dialog with this id; null when there is none.
HWND GetDlgItem(HWND dialog, int id);
// SetWindowTextA and GetWindowTextA on the dialog's control `id`; FALSE or 0 when it has none.
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int maxCount);

// An edit field takes typed characters (WM_CHAR, Windows-1252) at its caret, replacing any
// selection, and the keys Backspace, Delete, Left, Right, Home and End; Ctrl+V (WM_CHAR 0x16)
// pastes the clipboard's text up to its first line break. It never holds more characters than
// its limit (EM_LIMITTEXT, wParam characters, 0 for the largest): extra typing is refused and a
// paste is cut to fit; WM_SETTEXT is not limited. Every change of its text sends its dialog
// WM_COMMAND with EN_UPDATE and then EN_CHANGE; gaining the keys sends EN_SETFOCUS, losing them
// as the dialog ends (within EndDialog) EN_KILLFOCUS. EM_SETSEL selects from wParam to lParam (-1: the
// end); EM_GETSEL returns the start in the low word and the end in the high word.

// The program's graphical entry point, defined by the game; the platform calls it with the
// program's module and the show command, and its result becomes the exit status.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
