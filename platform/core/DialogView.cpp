// Drawing of an open dialog: panel, caption bar with close box, then each control.
#include "platform/core/DialogView.h"

#include <algorithm>
#include <string>

#include "platform/core/BoxFont.h"
#include "platform/core/BoxPaint.h"
#include "platform/core/WindowRecord.h"

namespace veskar::platform {
namespace {

inline constexpr int SCALE = 2;  // glyphs of 10 by 14 pixels, 12 apart
inline constexpr int ADVANCE = BOX_GLYPH_ADVANCE * SCALE;
inline constexpr int GLYPH_HEIGHT = BOX_GLYPH_HEIGHT * SCALE;
inline constexpr int BORDER = 3;        // the panel's bevel
inline constexpr int EDIT_PADDING = 4;  // between an edit field's edge and its text
inline constexpr int CLOSE_BOX = 16;    // side of the caption's close box
inline constexpr std::uint32_t FIELD = 0xFFFFFF;
inline constexpr std::uint32_t SELECTION = BOX_CAPTION;

RECT offset(const RECT& r, const RECT& origin) {
    return RECT{r.left + origin.left, r.top + origin.top, r.right + origin.left, r.bottom + origin.top};
}

int textTop(const RECT& r) {
    return r.top + (r.bottom - r.top - GLYPH_HEIGHT) / 2;
}

// As much of the text as fits the width.
std::string fitting(const std::string& text, int width) {
    return text.substr(0, static_cast<std::size_t>(std::max(width, 0) / ADVANCE));
}

// Left, centred or right in the box, by the low two style bits (SS_ and BS_ alike).
void drawAligned(HBITMAP__& target, const std::string& text, const RECT& box, int alignment) {
    const std::string shown = fitting(text, box.right - box.left);
    const int spare = box.right - box.left - boxTextWidth(shown, SCALE);
    const int x = alignment == 1 ? box.left + spare / 2 : alignment == 2 ? box.left + spare : box.left;
    drawBoxText(target, shown, x, textTop(box), SCALE, BOX_DARK);
}

void drawButton(HBITMAP__& target, const DialogControl& control, const RECT& box) {
    if ((control.style & 0xF) == 1) {  // the default push button has a dark outline
        fillBox(target, box.left - 1, box.top - 1, box.right + 1, box.bottom + 1, BOX_DARK);
    }
    raisedBox(target, box.left, box.top, box.right, box.bottom);
    drawAligned(target, control.window->title, box, 1);
}

void drawEdit(HBITMAP__& target, const DialogControl& control, const RECT& box, bool focused) {
    if (control.style & WS_BORDER) {
        sunkenBox(target, box.left, box.top, box.right, box.bottom, FIELD);
    } else {
        fillBox(target, box.left, box.top, box.right, box.bottom, FIELD);
    }
    const std::string& text = control.window->title;
    const EditState& edit = control.edit;
    const std::size_t first = std::min(edit.scroll, text.size());
    const std::size_t last = std::min(text.size(), first + visibleCharacters(control));
    const std::size_t selectionStart = std::min(edit.caret, edit.anchor);
    const std::size_t selectionEnd = std::max(edit.caret, edit.anchor);
    const int left = box.left + EDIT_PADDING;
    const int top = textTop(box);
    for (std::size_t i = first; i < last; ++i) {
        const int x = left + static_cast<int>(i - first) * ADVANCE;
        const bool selected = focused && i >= selectionStart && i < selectionEnd;
        if (selected) {
            fillBox(target, x, top - 1, x + ADVANCE, top + GLYPH_HEIGHT + 1, SELECTION);
        }
        drawBoxText(target, std::string_view(text).substr(i, 1), x, top, SCALE,
                    selected ? BOX_LIGHT : BOX_DARK);
    }
    // A steady caret: a bar just before the character it stands at.
    if (focused && selectionStart == selectionEnd && edit.caret >= first) {
        const int x = left + static_cast<int>(edit.caret - first) * ADVANCE - 1;
        fillBox(target, x, top - 2, x + 2, top + GLYPH_HEIGHT + 2, BOX_DARK);
    }
}

void drawCaption(HBITMAP__& target, const DialogRecord& dialog) {
    const RECT& frame = dialog.frame;
    fillBox(target, frame.left + BORDER, frame.top + BORDER, frame.right - BORDER,
            frame.top + BOX_CAPTION_HEIGHT, BOX_CAPTION);
    const int closeLeft = frame.right - BORDER - 2 - CLOSE_BOX;
    drawBoxText(target, fitting(dialog.window->title, closeLeft - frame.left - 12), frame.left + 8,
                frame.top + 6, SCALE, BOX_LIGHT);
    if (dialog.window->style & WS_SYSMENU) {
        const int top = frame.top + BORDER + 2;
        raisedBox(target, closeLeft, top, closeLeft + CLOSE_BOX, top + CLOSE_BOX - 2);
        drawBoxText(target, "x", closeLeft + 4, top, SCALE - 1, BOX_DARK);
        drawBoxText(target, "x", closeLeft + 5, top, SCALE - 1, BOX_DARK);
    }
}

}  // namespace

RECT dialogUnitsToPixels(int x, int y, int width, int height) {
    return RECT{x * DIALOG_UNIT_PIXELS, y * DIALOG_UNIT_PIXELS, (x + width) * DIALOG_UNIT_PIXELS,
                (y + height) * DIALOG_UNIT_PIXELS};
}

void placeDialog(DialogRecord& dialog, int width, int height, int hostWidth, int hostHeight) {
    const bool captioned = (dialog.window->style & WS_CAPTION) == WS_CAPTION;
    const int top = captioned ? BOX_CAPTION_HEIGHT : BORDER;
    const int outerWidth = width + 2 * BORDER;
    const int outerHeight = height + top + BORDER;
    const int left = std::max((hostWidth - outerWidth) / 2, 0);
    const int upper = std::max((hostHeight - outerHeight) / 2, 0);
    dialog.frame = RECT{left, upper, left + outerWidth, upper + outerHeight};
    dialog.client = RECT{left + BORDER, upper + top, left + BORDER + width, upper + top + height};
}

std::size_t visibleCharacters(const DialogControl& control) {
    const int inside = control.bounds.right - control.bounds.left - 2 * EDIT_PADDING;
    return static_cast<std::size_t>(std::max(inside / ADVANCE, 1));
}

void drawDialog(HBITMAP__& target, const DialogRecord& dialog) {
    const RECT& frame = dialog.frame;
    raisedBox(target, frame.left, frame.top, frame.right, frame.bottom);
    if ((dialog.window->style & WS_CAPTION) == WS_CAPTION) {
        drawCaption(target, dialog);
    }
    for (const DialogControl& control : dialog.controls) {
        const RECT box = offset(control.bounds, dialog.client);
        switch (control.kind) {
            case ControlKind::Static:
                drawAligned(target, control.window->title, box, static_cast<int>(control.style & 3));
                break;
            case ControlKind::Edit:
                drawEdit(target, control, box, dialog.focus == control.window);
                break;
            case ControlKind::Button:
                drawButton(target, control, box);
                break;
            case ControlKind::Other:
                break;  // controls of other classes exist as windows but are not drawn
        }
    }
}

}  // namespace veskar::platform
