// Replacing a file's contents so that a failure at any point leaves the old file whole.
#pragma once

#include <cstddef>

// Writes `size` bytes to a temporary file beside `name`, flushes them to the disk, then renames the
// temporary file over `name`. On any failure the temporary file is removed, `name` is left as it
// was, and false is returned.
[[nodiscard]] bool replaceFile(const char* name, const void* data, std::size_t size);
