// The SDL key tables: the numeric pad, the digit row, letters, punctuation by character and by
// position, and the keys that type nothing, mapped to virtual-key codes.
#include "platform/sdl/SdlKeyMap.h"

#include <array>
#include <cstring>
#include <utility>

#include "platform/WinUser.h"

namespace veskar::platform {
namespace {

struct PadKey {
    SDL_Scancode scancode;
    UINT withNumLock;
    UINT withoutNumLock;  // the cursor or editing key printed below the digit
};

// clang-format off
constexpr std::array<PadKey, 17> PAD_KEYS{{
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT}, {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN}, {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT}, {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT}, {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP}, {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE}, {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, VK_ADD}, {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, VK_SUBTRACT},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, VK_DIVIDE}, {SDL_SCANCODE_KP_ENTER, VK_RETURN, VK_RETURN},
    {SDL_SCANCODE_KP_COMMA, VK_SEPARATOR, VK_SEPARATOR},
}};

// Keys that type nothing, and the few whose character is a control code, by SDL keycode.
constexpr std::array<std::pair<SDL_Keycode, UINT>, 32> NAMED_KEYS{{
    {SDLK_BACKSPACE, VK_BACK},       {SDLK_TAB, VK_TAB},              {SDLK_RETURN, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},        {SDLK_SPACE, VK_SPACE},          {SDLK_PAUSE, VK_PAUSE},
    {SDLK_LSHIFT, VK_SHIFT},         {SDLK_RSHIFT, VK_SHIFT},         {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},        {SDLK_LALT, VK_MENU},            {SDLK_RALT, VK_MENU},
    {SDLK_MODE, VK_MENU},            {SDLK_CAPSLOCK, VK_CAPITAL},     {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},        {SDLK_END, VK_END},              {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},            {SDLK_UP, VK_UP},                {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},            {SDLK_PRINTSCREEN, VK_SNAPSHOT}, {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},        {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_CLEAR, VK_CLEAR},          {SDLK_SEPARATOR, VK_SEPARATOR},  {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},            {SDLK_APPLICATION, VK_APPS},
}};

// The US layout's punctuation keys: position, the character typed unshifted, and the code.
struct PunctuationKey {
    SDL_Scancode scancode;
    char character;
    UINT virtualKey;
};

constexpr std::array<PunctuationKey, 12> PUNCTUATION_KEYS{{
    {SDL_SCANCODE_SEMICOLON, ';', VK_OEM_1}, {SDL_SCANCODE_EQUALS, '=', VK_OEM_PLUS},
    {SDL_SCANCODE_COMMA, ',', VK_OEM_COMMA}, {SDL_SCANCODE_MINUS, '-', VK_OEM_MINUS},
    {SDL_SCANCODE_PERIOD, '.', VK_OEM_PERIOD}, {SDL_SCANCODE_SLASH, '/', VK_OEM_2},
    {SDL_SCANCODE_GRAVE, '`', VK_OEM_3}, {SDL_SCANCODE_LEFTBRACKET, '[', VK_OEM_4},
    {SDL_SCANCODE_BACKSLASH, '\\', VK_OEM_5}, {SDL_SCANCODE_RIGHTBRACKET, ']', VK_OEM_6},
    {SDL_SCANCODE_APOSTROPHE, '\'', VK_OEM_7},
    {SDL_SCANCODE_NONUSHASH, 0, VK_OEM_5},  // the ISO key beside Enter, where US has backslash
}};
// clang-format on

// Shifted characters of the US layout's digit and punctuation keys.
constexpr char UNSHIFTED[] = "1234567890-=[]\\;',./`";
constexpr char SHIFTED[] = "!@#$%^&*()_+{}|:\"<>?~";

UINT padKeyOf(SDL_Scancode scancode, Uint16 modifiers) {
    for (const PadKey& pad : PAD_KEYS) {
        if (pad.scancode == scancode) {
            return (modifiers & KMOD_NUM) != 0 ? pad.withNumLock : pad.withoutNumLock;
        }
    }
    return 0;
}

UINT namedKeyOf(SDL_Keycode key) {
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    }
    for (const auto& [sdlKey, virtualKey] : NAMED_KEYS) {
        if (sdlKey == key) {
            return virtualKey;
        }
    }
    return 0;
}

UINT punctuationOfCharacter(SDL_Keycode key) {
    for (const PunctuationKey& punctuation : PUNCTUATION_KEYS) {
        if (punctuation.character != 0 && punctuation.character == key) {
            return punctuation.virtualKey;
        }
    }
    return 0;
}

// What the US layout has at the key's position: a letter or a punctuation key.
UINT usKeyAt(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + static_cast<UINT>(scancode - SDL_SCANCODE_A);
    }
    for (const PunctuationKey& punctuation : PUNCTUATION_KEYS) {
        if (punctuation.scancode == scancode) {
            return punctuation.virtualKey;
        }
    }
    return 0;
}

}  // namespace

UINT virtualKeyOf(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers) {
    if (const UINT pad = padKeyOf(scancode, modifiers); pad != 0) {
        return pad;
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) {
        // SDL numbers the row 1..9, 0, as it lies on the keyboard.
        return scancode == SDL_SCANCODE_0 ? '0' : '1' + static_cast<UINT>(scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_NONUSBACKSLASH) {
        return VK_OEM_102;
    }
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + static_cast<UINT>(key - SDLK_a);
    }
    if (const UINT named = namedKeyOf(key); named != 0) {
        return named;
    }
    if (const UINT punctuation = punctuationOfCharacter(key); punctuation != 0) {
        return punctuation;
    }
    if (const UINT usKey = usKeyAt(scancode); usKey != 0) {
        return usKey;
    }
    // A key whose keycode says nothing (SDL leaves some unknown): what SDL calls it by position.
    return namedKeyOf(SDL_SCANCODE_TO_KEYCODE(scancode));
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
        case SDL_SCANCODE_PRINTSCREEN:
        case SDL_SCANCODE_NUMLOCKCLEAR:
        case SDL_SCANCODE_LGUI:
        case SDL_SCANCODE_RGUI:
        case SDL_SCANCODE_APPLICATION:
            return true;
        default:
            return false;
    }
}

bool isAltCombination(SDL_Keycode key, Uint16 modifiers) {
    const bool altItself = key == SDLK_LALT || key == SDLK_RALT || key == SDLK_MODE;
    return (modifiers & KMOD_LALT) != 0 && !altItself;
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
