// The layer's own panels, shared by message boxes and dialogs: solid fills and the raised and
// sunken bevels of a classic desktop, clipped to the bitmap they are drawn on.
#pragma once

#include <cstdint>

#include "platform/core/GdiObjects.h"

namespace veskar::platform {

inline constexpr std::uint32_t BOX_FACE = 0xC0C0C0;
inline constexpr std::uint32_t BOX_LIGHT = 0xFFFFFF;
inline constexpr std::uint32_t BOX_SHADOW = 0x808080;
inline constexpr std::uint32_t BOX_DARK = 0x000000;
inline constexpr std::uint32_t BOX_CAPTION = 0x000080;
inline constexpr int BOX_CAPTION_HEIGHT = 24;  // from the panel's top edge to the caption's bottom

// Fills the rectangle from (left, top) up to (right, bottom), exclusive.
void fillBox(HBITMAP__& target, int left, int top, int right, int bottom, std::uint32_t color);
// A raised bevel filled with the face colour: light on the top and left, shadow and dark on the
// bottom and right.
void raisedBox(HBITMAP__& target, int left, int top, int right, int bottom);
// A sunken field (an edit field's frame) filled with `inside`.
void sunkenBox(HBITMAP__& target, int left, int top, int right, int bottom, std::uint32_t inside);

}  // namespace veskar::platform
