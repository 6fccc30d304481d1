// Key-down characters, text events and the clipboard of the SDL backend, in Windows-1252.
#include "platform/sdl/SdlText.h"

#include "platform/core/Windows1252.h"
#include "platform/sdl/SdlKeyMap.h"

namespace veskar::platform {

char keyDownCharacter(SDL_Keycode key, Uint16 modifiers, bool textInput) {
    const bool control = (modifiers & KMOD_CTRL) != 0 && (modifiers & KMOD_ALT) == 0;
    if (control && key >= SDLK_a && key <= SDLK_z) {
        return static_cast<char>(key - SDLK_a + 1);
    }
    const char typed = characterOf(key, modifiers);
    return textInput && static_cast<unsigned char>(typed) >= 32 ? '\0' : typed;
}

void appendTypedText(const char* utf8, std::deque<char>& typed) {
    for (const char c : utf8ToWindows1252(utf8 == nullptr ? "" : utf8)) {
        typed.push_back(c);
    }
}

std::string clipboardWindows1252() {
    char* text = SDL_GetClipboardText();  // an empty string, never null, when there is no text
    std::string converted = text == nullptr ? std::string() : utf8ToWindows1252(text);
    SDL_free(text);
    return converted;
}

}  // namespace veskar::platform
