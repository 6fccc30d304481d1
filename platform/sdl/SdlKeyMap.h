// Translation of SDL key events into the platform's virtual-key codes and typed characters.
#pragma once

#include <SDL.h>

#include "platform/WinTypes.h"

namespace veskar::platform {

// The virtual-key code of a physical key (SDL scancode) that the active layout gives the SDL keycode,
// as the desktop gives it on that layout; 0 when it has none. Key assignments store these codes, so
// a key keeps its code whatever the modifiers, except the numeric pad. In order:
// - The numeric pad by position: with Num Lock on the digits and VK_DECIMAL, without it the cursor
//   and editing keys it is labelled with (VK_CLEAR for 5); its operators, Enter (VK_RETURN) and the
//   keypad comma (VK_SEPARATOR) either way.
// - The digit row by position: VK_0..VK_9 on every layout (AZERTY types symbols there unshifted).
// - The extra key left of Z on ISO keyboards: VK_OEM_102.
// - A key that types a letter A..Z on the layout gets that letter's code (AZERTY's A key VK_A,
//   QWERTZ's Z key VK_Z).
// - Keys that type nothing (cursor, editing, modifiers, F1..F12, locks) by their SDL keycode, so a
//   key the user has remapped keeps its new meaning.
// - A key that types a character which the US layout has unshifted on a punctuation key gets that
//   key's VK_OEM_* code (AZERTY's comma key, where US has M, VK_OEM_COMMA).
// - Anything else (accented letters, other scripts, dead keys) gets the code of what the US layout
//   has at that position: a letter, or the punctuation key's VK_OEM_* code.
[[nodiscard]] UINT virtualKeyOf(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers);
// Whether the key is one of the desktop's extended keys (bit 24 of the key data).
[[nodiscard]] bool isExtendedKey(SDL_Scancode scancode);
// Whether the key is pressed as an Alt combination, which belongs to the system (WM_SYSKEYDOWN).
// Only left Alt counts: on most layouts outside the US right Alt is AltGr, which types characters
// and leaves the key to the program, and SDL reports both alike. AltGr itself is still VK_MENU.
[[nodiscard]] bool isAltCombination(SDL_Keycode key, Uint16 modifiers);
// The character the key types with these modifiers (US layout), or 0 for keys that type nothing.
[[nodiscard]] char characterOf(SDL_Keycode key, Uint16 modifiers);

}  // namespace veskar::platform
