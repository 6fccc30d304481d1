// The SDL key table: letters, digits, cursor and editing keys, the numeric pad, F1 to F12 and the
// punctuation keys, mapped to virtual-key codes.
#include "platform/sdl/SdlKeyMap.h"

#include <array>
#include <cstring>
#include <utility>

#include "platform/WinUser.h"

namespace veskar::platform {
namespace {

// clang-format off
constexpr std::array<std::pair<SDL_Keycode, UINT>, 52> NAMED_KEYS{{
    {SDLK_BACKSPACE, VK_BACK},       {SDLK_TAB, VK_TAB},           {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},      {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_SPACE, VK_SPACE},
    {SDLK_PAUSE, VK_PAUSE},          {SDLK_LSHIFT, VK_SHIFT},      {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},        {SDLK_RCTRL, VK_CONTROL},     {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},            {SDLK_CAPSLOCK, VK_CAPITAL},  {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},        {SDLK_END, VK_END},           {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},            {SDLK_UP, VK_UP},             {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},            {SDLK_PRINTSCREEN, VK_SNAPSHOT}, {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},        {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},    {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL}, {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},      {SDLK_COMMA, VK_OEM_COMMA},   {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},    {SDLK_SLASH, VK_OEM_2},       {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},    {SDLK_BACKSLASH, VK_OEM_5},   {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},          {SDLK_KP_0, VK_NUMPAD0},      {SDLK_KP_1, VK_NUMPAD0 + 1},
    {SDLK_KP_2, VK_NUMPAD0 + 2},     {SDLK_KP_3, VK_NUMPAD0 + 3},  {SDLK_KP_4, VK_NUMPAD0 + 4},
    {SDLK_KP_5, VK_NUMPAD0 + 5},     {SDLK_KP_6, VK_NUMPAD0 + 6},  {SDLK_KP_7, VK_NUMPAD0 + 7},
    {SDLK_KP_8, VK_NUMPAD0 + 8},
}};
// clang-format on

// Shifted characters of the US layout's digit and punctuation keys.
constexpr char UNSHIFTED[] = "1234567890-=[]\\;',./`";
constexpr char SHIFTED[] = "!@#$%^&*()_+{}|:\"<>?~";

// The numeric pad with Num Lock off.
// clang-format off
constexpr std::array<std::pair<SDL_Keycode, UINT>, 11> PAD_WITHOUT_NUM_LOCK{{
    {SDLK_KP_0, VK_INSERT}, {SDLK_KP_1, VK_END},   {SDLK_KP_2, VK_DOWN},  {SDLK_KP_3, VK_NEXT},
    {SDLK_KP_4, VK_LEFT},   {SDLK_KP_5, VK_CLEAR}, {SDLK_KP_6, VK_RIGHT}, {SDLK_KP_7, VK_HOME},
    {SDLK_KP_8, VK_UP},     {SDLK_KP_9, VK_PRIOR}, {SDLK_KP_PERIOD, VK_DELETE},
}};
// clang-format on

}  // namespace

UINT virtualKeyOf(SDL_Keycode key, Uint16 modifiers) {
    if ((modifiers & KMOD_NUM) == 0) {
        for (const auto& [sdlKey, virtualKey] : PAD_WITHOUT_NUM_LOCK) {
            if (sdlKey == key) {
                return virtualKey;
            }
        }
    }
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + static_cast<UINT>(key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + static_cast<UINT>(key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    }
    if (key == SDLK_KP_9) {
        return VK_NUMPAD0 + 9;
    }
    for (const auto& [sdlKey, virtualKey] : NAMED_KEYS) {
        if (sdlKey == key) {
            return virtualKey;
        }
    }
    return 0;
}

bool isExtendedKey(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_INSERT:
        case SDL_SCANCODE_DELETE:
        case SDL_SCANCODE_HOME:
        case SDL_SCANCODE_END:
        case SDL_SCANCODE_PAGEUP:
        case SDL_SCANCODE_PAGEDOWN:
        case SDL_SCANCODE_LEFT:
        case SDL_SCANCODE_RIGHT:
        case SDL_SCANCODE_UP:
        case SDL_SCANCODE_DOWN:
        case SDL_SCANCODE_RCTRL:
        case SDL_SCANCODE_RALT:
        case SDL_SCANCODE_KP_ENTER:
        case SDL_SCANCODE_KP_DIVIDE:
            return true;
        default:
            return false;
    }
}

char characterOf(SDL_Keycode key, Uint16 modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    const bool caps = (modifiers & KMOD_CAPS) != 0;
    if ((modifiers & (KMOD_CTRL | KMOD_ALT)) != 0) {
        return 0;
    }
    if (key >= SDLK_a && key <= SDLK_z) {
        const char letter = static_cast<char>('a' + (key - SDLK_a));
        return shift != caps ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    switch (key) {
        case SDLK_SPACE:
            return ' ';
        case SDLK_BACKSPACE:
            return '\b';
        case SDLK_TAB:
            return '\t';
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return '\r';
        case SDLK_ESCAPE:
            return '\x1B';
        default:
            break;
    }
    if (key > 0 && key < 128) {
        const char* found = std::strchr(UNSHIFTED, static_cast<char>(key));
        if (found != nullptr && *found != '\0') {
            return shift ? SHIFTED[found - UNSHIFTED] : *found;
        }
    }
    return 0;
}

}  // namespace veskar::platform
