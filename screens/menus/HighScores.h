// The table of the ten best one-player results, kept in the settings record, best first.
#pragma once

#include <cstdint>

// Enters a result above the first entry with a strictly lower score (compared unsigned); the entries
// below move down and the tenth drops out. A result no entry is below leaves the table unchanged.
// The name is cut to 13 characters.
void insertHighScore(const char* name, std::uint32_t score);
