// Windows-1252, the code page of the layer's text: typed, pasted and template texts arrive in
// Unicode and are kept as its bytes.
#pragma once

#include <string>
#include <string_view>

namespace veskar::platform {

// The Windows-1252 byte of a Unicode code point; false when the code page has none (the C1 control
// codes 0x80..0x9F and everything beyond its 251 other characters).
[[nodiscard]] bool windows1252Of(char32_t codePoint, unsigned char& byte);
// UTF-8 text in Windows-1252. Characters the code page lacks and malformed sequences are dropped.
[[nodiscard]] std::string utf8ToWindows1252(std::string_view text);

}  // namespace veskar::platform
