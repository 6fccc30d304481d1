// Colours and helpers that the artwork checks share.
#pragma once

#include "tests/resources/BmpFile.h"

#include <string>

// The dark blue behind every glyph, in the wells and in every text box.
inline constexpr Colour TEXT_BLUE{12, 20, 64};

// Loads a committed bitmap by file name (e.g. "jewel1.bmp"); the test fails when it cannot.
[[nodiscard]] BmpFile loadBitmap(const std::string& name);
