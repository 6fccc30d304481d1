// The picture and the layout of an open dialog: a framed panel with a caption bar and a close box,
// centred over its host, with static texts, edit fields and push buttons drawn in the layer's own
// font. One dialog unit is two pixels each way, so the font's 14-pixel glyphs fit a 10-unit text
// line and sit centred in a 15-unit edit field.
#pragma once

#include <cstddef>

#include "platform/core/DialogRecord.h"
#include "platform/core/GdiObjects.h"

namespace veskar::platform {

inline constexpr int DIALOG_UNIT_PIXELS = 2;

// A rectangle given in dialog units, in pixels.
[[nodiscard]] RECT dialogUnitsToPixels(int x, int y, int width, int height);
// Sets the dialog's frame and client rectangles for a client area of width by height pixels,
// centred over a host client area of hostWidth by hostHeight (kept on it where it fits).
void placeDialog(DialogRecord& dialog, int width, int height, int hostWidth, int hostHeight);
// How many characters an edit field shows at once (at least 1).
[[nodiscard]] std::size_t visibleCharacters(const DialogControl& control);
// Draws the dialog over `target`, clipped to it.
void drawDialog(HBITMAP__& target, const DialogRecord& dialog);

}  // namespace veskar::platform
