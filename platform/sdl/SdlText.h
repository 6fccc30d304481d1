// Typed text on SDL: the characters that key-downs carry, SDL's UTF-8 text events and clipboard
// turned into Windows-1252.
#pragma once

#include <SDL.h>

#include <deque>
#include <string>

namespace veskar::platform {

// The character a key-down carries: Ctrl+letter gives its control code (Ctrl+V is 0x16, the paste
// of an edit field), as the desktop's key translation does. While text input is on, printable
// characters are left to the text events and only control characters remain.
[[nodiscard]] char keyDownCharacter(SDL_Keycode key, Uint16 modifiers, bool textInput);
// Appends the Windows-1252 characters of an SDL text event (UTF-8) to `typed`.
void appendTypedText(const char* utf8, std::deque<char>& typed);
// The clipboard's text in Windows-1252; empty when it holds none.
[[nodiscard]] std::string clipboardWindows1252();

}  // namespace veskar::platform
