// Translation of SDL key codes into the platform's virtual-key codes and typed characters.
#pragma once

#include <SDL.h>

#include "platform/WinTypes.h"

namespace veskar::platform {

// The virtual-key code of an SDL key (layout-dependent, as on the desktop); 0 when it has none.
[[nodiscard]] UINT virtualKeyOf(SDL_Keycode key);
// The character the key types with these modifiers (US layout), or 0 for keys that type nothing.
[[nodiscard]] char characterOf(SDL_Keycode key, Uint16 modifiers);

} // namespace veskar::platform
