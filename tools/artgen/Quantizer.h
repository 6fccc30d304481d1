// Reduces a true-colour picture to a palette by median cut, keeping chosen colours exact.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/IndexedImage.h"

#include <cstddef>
#include <vector>

// Builds a palette of at most maxColours entries (1..256) for picture. Every colour in exact takes one
// entry of its own (first in the palette), so pixels of those colours keep them exactly; the other
// colours share the remaining entries by median cut. Pixels map to their nearest entry. The result
// depends only on the input.
[[nodiscard]] IndexedImage quantize(const Canvas& picture, const std::vector<Rgb>& exact,
                                    std::size_t maxColours);
