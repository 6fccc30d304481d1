// Paints what the backgrounds are made of: the dark patterned backdrop and bevelled gold boxes.
#pragma once

#include "tools/artgen/ArtLayout.h"
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Rect.h"

// Fills the whole canvas with a deep violet-blue gradient carrying a faint diamond lattice.
void paintBackdrop(Canvas& canvas);
// The boxes of one backdrop (BOXES): a soft shadow around each, then a FRAME_WIDTH gold bevel just
// outside each interior and the interior filled with the text background. All shadows go first, so
// that no shadow falls into a neighbouring box.
void paintBoxes(Canvas& canvas, Backdrop backdrop);
