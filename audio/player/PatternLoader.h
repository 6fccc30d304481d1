// Reading the stored patterns of a module and adding the empty ones its order table names.
#pragma once

#include <cstdint>

struct Module;
class ModuleReader;

// Reads storedCount pattern records at the reader's position into module.patterns (already sized to
// patternCount) and gives every pattern the order table names but the file lacks 64 empty rows.
// False for a pattern of more than MAX_ROWS rows.
[[nodiscard]] bool LoadPatterns(Module& module, ModuleReader& reader, std::int32_t storedCount);
