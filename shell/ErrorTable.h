// The error table and the one way essential failures are reported: a message box, then the
// window's shutdown sequence, which ends the program.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

// 16-bit codes: high byte the category, low byte the detail.
inline constexpr std::uint16_t ERR_GENERAL = 0x0000;
inline constexpr std::uint16_t ERR_OUT_OF_MEMORY = 0x0001;
inline constexpr std::uint16_t ERR_RESOURCE = 0x0002;
inline constexpr std::uint16_t ERR_APPLICATION = 0x0100;
inline constexpr std::uint16_t ERR_APP_STATE = 0x0101;
inline constexpr std::uint16_t ERR_UNKNOWN = 0xFFFF;

struct ErrorText {
    const char* caption;  // the category's text
    const char* message;  // the detail's text
};

// Looks a code up among the table's searchable rows: the category row by the code's high byte,
// the detail row from there on by the whole code; "Unknown error" stands in for either.
[[nodiscard]] ErrorText lookUpError(std::uint16_t code);

// Shows the error in a message box owned by `window`, then sends the window WM_DESTROY (the
// shutdown sequence). Message-loop thread only; the caller continues afterwards and must leave
// `currentScreen` null or live.
void reportError(HWND window, std::uint16_t code);
