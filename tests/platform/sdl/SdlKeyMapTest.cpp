// The key table on the layouts players use: each row is what SDL reports for one physical key on
// that layout (scancode, keycode, modifiers, as seen under X with setxkbmap) and the code the
// desktop gives that key there.
#include <gtest/gtest.h>

#include <array>

#include "platform/WinUser.h"
#include "platform/sdl/SdlKeyMap.h"

using veskar::platform::isAltCombination;
using veskar::platform::isExtendedKey;
using veskar::platform::virtualKeyOf;

namespace {

struct KeyCase {
    const char* key;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    Uint16 modifiers;
    UINT expected;
};

constexpr SDL_Keycode DEAD_KEY = SDL_SCANCODE_TO_KEYCODE(SDL_SCANCODE_UNKNOWN);  // X dead keys

// clang-format off
constexpr std::array<KeyCase, 26> KEY_CASES{{
    {"US A",                     SDL_SCANCODE_A, SDLK_a, KMOD_NONE, 'A'},
    {"US 1",                     SDL_SCANCODE_1, SDLK_1, KMOD_NONE, '1'},
    {"US ;",                     SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, KMOD_NONE, VK_OEM_1},
    {"US F12",                   SDL_SCANCODE_F12, SDLK_F12, KMOD_NONE, VK_F12},
    {"Caps Lock",                SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, KMOD_NONE, VK_CAPITAL},
    {"Clear",                    SDL_SCANCODE_CLEAR, SDLK_CLEAR, KMOD_NONE, VK_CLEAR},
    {"AltGr",                    SDL_SCANCODE_RALT, SDLK_RALT, KMOD_RALT, VK_MENU},
    {"AltGr as mode switch",     SDL_SCANCODE_RALT, SDLK_MODE, KMOD_MODE, VK_MENU},
    {"AZERTY A, US Q place",     SDL_SCANCODE_Q, SDLK_a, KMOD_NONE, 'A'},
    {"AZERTY Q, US A place",     SDL_SCANCODE_A, SDLK_q, KMOD_NONE, 'Q'},
    {"AZERTY M, US ; place",     SDL_SCANCODE_SEMICOLON, SDLK_m, KMOD_NONE, 'M'},
    {"AZERTY comma, US M place", SDL_SCANCODE_M, SDLK_COMMA, KMOD_NONE, VK_OEM_COMMA},
    {"AZERTY E with AltGr",      SDL_SCANCODE_E, SDLK_e, KMOD_RALT, 'E'},
    {"AZERTY dead circumflex",   SDL_SCANCODE_LEFTBRACKET, DEAD_KEY, KMOD_NONE, VK_OEM_4},
    {"AZERTY u grave",           SDL_SCANCODE_APOSTROPHE, 0xF9, KMOD_NONE, VK_OEM_7},
    {"ISO key left of Z",        SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, KMOD_NONE, VK_OEM_102},
    {"QWERTZ Z, US Y place",     SDL_SCANCODE_Y, SDLK_z, KMOD_NONE, 'Z'},
    {"QWERTZ Y, US Z place",     SDL_SCANCODE_Z, SDLK_y, KMOD_NONE, 'Y'},
    {"QWERTZ minus, US / place", SDL_SCANCODE_SLASH, SDLK_MINUS, KMOD_NONE, VK_OEM_MINUS},
    {"Russian Q place",          SDL_SCANCODE_Q, 0x439, KMOD_NONE, 'Q'},
    {"Russian ; place",          SDL_SCANCODE_SEMICOLON, 0x436, KMOD_NONE, VK_OEM_1},
    {"pad . without Num Lock",   SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NONE, VK_DELETE},
    {"pad . with Num Lock",      SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM, VK_DECIMAL},
    {"pad comma",                SDL_SCANCODE_KP_COMMA, SDLK_KP_COMMA, KMOD_NONE, VK_SEPARATOR},
    {"pad Enter",                SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NUM, VK_RETURN},
    {"mute, which has no code",  SDL_SCANCODE_MUTE, SDLK_MUTE, KMOD_NONE, 0},
}};
// clang-format on

}  // namespace

TEST(SdlKeyMap, GivesEachKeyTheDesktopCodeOnItsLayout) {
    for (const KeyCase& row : KEY_CASES) {
        EXPECT_EQ(virtualKeyOf(row.scancode, row.keycode, row.modifiers), row.expected) << row.key;
    }
}

TEST(SdlKeyMap, DigitRowGivesDigitsOnEveryLayout) {
    // What AZERTY types on the row unshifted: & é " ' ( - è _ ç à.
    constexpr std::array<SDL_Keycode, 10> AZERTY{'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0};
    for (int index = 0; index < 10; ++index) {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + index);
        const UINT digit = index == 9 ? '0' : '1' + index;
        EXPECT_EQ(virtualKeyOf(scancode, AZERTY[index], KMOD_NONE), digit) << "AZERTY " << index;
    }
}

TEST(SdlKeyMap, NumericPadDigitsFollowNumLock) {
    constexpr std::array<UINT, 10> EDITING{VK_INSERT, VK_END,   VK_DOWN, VK_NEXT, VK_LEFT,
                                           VK_CLEAR,  VK_RIGHT, VK_HOME, VK_UP,   VK_PRIOR};
    for (int digit = 0; digit <= 9; ++digit) {
        const auto scancode =
            static_cast<SDL_Scancode>(digit == 0 ? SDL_SCANCODE_KP_0 : SDL_SCANCODE_KP_1 + digit - 1);
        const SDL_Keycode keycode = SDL_SCANCODE_TO_KEYCODE(scancode);
        EXPECT_EQ(virtualKeyOf(scancode, keycode, KMOD_NUM), VK_NUMPAD0 + digit) << digit;
        EXPECT_EQ(virtualKeyOf(scancode, keycode, KMOD_NONE), EDITING[digit]) << digit;
        EXPECT_FALSE(isExtendedKey(scancode)) << digit;
    }
}

TEST(SdlKeyMap, OnlyLeftAltMakesSystemKeys) {
    struct AltCase {
        const char* key;
        SDL_Keycode keycode;
        Uint16 modifiers;
        bool system;
    };
    constexpr std::array<AltCase, 7> CASES{{
        {"Alt+F4", SDLK_F4, KMOD_LALT, true},
        {"Alt+A", SDLK_a, KMOD_LALT | KMOD_NUM, true},
        {"Alt+AltGr+A", SDLK_a, KMOD_LALT | KMOD_RALT, true},
        {"AltGr+E", SDLK_e, KMOD_RALT, false},
        {"mode switch+E", SDLK_e, KMOD_MODE, false},
        {"left Alt itself", SDLK_LALT, KMOD_LALT, false},
        {"A", SDLK_a, KMOD_NONE, false},
    }};
    for (const AltCase& row : CASES) {
        EXPECT_EQ(isAltCombination(row.keycode, row.modifiers), row.system) << row.key;
    }
    EXPECT_TRUE(isExtendedKey(SDL_SCANCODE_RALT)) << "AltGr is the right Alt key";
}
