// The whole path from song notation to module bytes, shared by the tool and its tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xmcompose {

// Parses `text`, synthesises every instrument and writes the module into `module`.
// On failure returns false with a message (naming the line where it can) in `error`.
[[nodiscard]] bool composeModule(std::string_view text, std::vector<std::uint8_t>& module,
                                 std::string& error);

}  // namespace xmcompose
