// Paints what the backgrounds are made of: the dark patterned backdrop and bevelled gold boxes.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Rect.h"

// Fills the whole canvas with a deep violet-blue gradient carrying a faint diamond lattice.
void paintBackdrop(Canvas& canvas);
// A box: soft shadow around it, a FRAME_WIDTH gold bevel just outside interior, and the interior
// filled with the text background.
void paintBox(Canvas& canvas, const Rect& interior);
// A raised gold plate over area (no dark-blue interior), for ornaments.
void paintPlate(Canvas& canvas, const Rect& area, Rgb face);
