// The picture of an open message box: a framed panel with a caption bar, the text and an OK
// button, drawn centred over the owner's pixels with the layer's built-in font.
#pragma once

#include <string>

#include "platform/core/GdiObjects.h"

namespace veskar::platform {

struct MessageBoxView {
    std::string caption;
    std::string text;
};

// Draws the box over `target`, clipped to it.
void drawMessageBox(HBITMAP__& target, const MessageBoxView& box);

}  // namespace veskar::platform
