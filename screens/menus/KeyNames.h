// The names the key menus show for virtual-key codes, and which codes a player may assign. A code
// is looked up by its low seven bits, so 144 is shown as 16, "Shift".
#pragma once

#include <cstdint>

struct KeyName {
    const char* name;
    bool assignable;
};

// The entry of code mod 128.
[[nodiscard]] KeyName keyName(std::uint32_t code);
