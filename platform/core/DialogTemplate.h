// The binary dialog template of a dialog resource (the classic DLGTEMPLATE with its items), read
// with every length and count checked against the bytes that remain.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace veskar::platform {

// The predefined control classes, by their numbers in a template.
inline constexpr WORD BUTTON_CLASS = 0x0080;
inline constexpr WORD EDIT_CLASS = 0x0081;
inline constexpr WORD STATIC_CLASS = 0x0082;

struct DialogItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    std::int16_t x = 0;  // dialog units
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    WORD id = 0;
    WORD classAtom = 0;  // 0 when the class is given by name
    std::string text;    // Windows-1252; empty for a resource number
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::string caption;  // Windows-1252
    std::vector<DialogItemTemplate> items;
};

// Reads a classic template; false for an extended one (DLGTEMPLATEEX) or one that runs past its
// bytes. Texts are converted from UTF-16, characters outside Windows-1252 becoming '?'; the font
// is skipped, as the layer draws with its own.
[[nodiscard]] bool readDialogTemplate(std::span<const std::uint8_t> bytes, DialogTemplate& dialog);

}  // namespace veskar::platform
