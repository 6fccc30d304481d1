// The shell's process-wide state: the module, the window's caption and class name, the current
// screen and the frame timer, plus the window's fixed shape. Message-loop thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "shell/Screen.h"

inline constexpr UINT_PTR FRAME_TIMER_ID = 0xF10F;
inline constexpr UINT FRAME_INTERVAL = 10;  // milliseconds
inline constexpr int WINDOW_WIDTH = 640;    // outer size, pixels
inline constexpr int WINDOW_HEIGHT = 480;
inline constexpr DWORD WINDOW_STYLE = 0x00080001;  // system menu plus the low bit: fixed overlapped frame
inline constexpr int TEXT_CAPACITY = 100;          // bytes of the caption and class name buffers

inline constexpr UINT CAPTION_STRING = 1;
inline constexpr UINT CLASS_NAME_STRING = 2;
inline constexpr WORD ICON_RESOURCE = 101;

extern HINSTANCE hInstance;
extern char windowCaption[TEXT_CAPACITY];
extern char windowClassName[TEXT_CAPACITY];
// Owns the screen that receives the forwarded messages; null before start-up and after shutdown.
extern std::unique_ptr<Screen> currentScreen;
// SetTimer's result for the frame timer; 0 when it never started.
extern UINT_PTR frameTimerActive;
