// Translation of SDL key codes into the platform's virtual-key codes and typed characters.
#pragma once

#include <SDL.h>

#include "platform/WinTypes.h"

namespace veskar::platform {

// The virtual-key code of an SDL key (layout-dependent, as on the desktop); 0 when it has none.
// With Num Lock off the numeric pad's keys are the cursor and editing keys they are labelled with.
[[nodiscard]] UINT virtualKeyOf(SDL_Keycode key, Uint16 modifiers);
// Whether the key is one of the desktop's extended keys (bit 24 of the key data).
[[nodiscard]] bool isExtendedKey(SDL_Scancode scancode);
// The character the key types with these modifiers (US layout), or 0 for keys that type nothing.
[[nodiscard]] char characterOf(SDL_Keycode key, Uint16 modifiers);

}  // namespace veskar::platform
