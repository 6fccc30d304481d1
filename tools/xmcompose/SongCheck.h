// Consistency checks of a parsed song: what the notation's grammar alone cannot catch.
#pragma once

#include <string>

#include "tools/xmcompose/Song.h"

namespace xmcompose {

// Checks the order list, the instrument numbers used by the patterns, and that each recipe can be
// synthesised and played (loops, sizes, tuning, envelopes). On failure returns false with a message
// in `error`.
[[nodiscard]] bool checkSong(const Song& song, std::string& error);

}  // namespace xmcompose
