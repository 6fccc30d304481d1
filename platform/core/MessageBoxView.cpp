// Drawing of an open message box: panel, caption bar, wrapped text and the OK button.
#include "platform/core/MessageBoxView.h"

#include <algorithm>
#include <vector>

#include "platform/core/BoxFont.h"
#include "platform/core/BoxPaint.h"

namespace veskar::platform {
namespace {

inline constexpr int SCALE = 2;  // glyphs drawn at 10 by 14 pixels
inline constexpr int LINE_HEIGHT = 18;
inline constexpr int PADDING = 16;
inline constexpr int BUTTON_WIDTH = 80;
inline constexpr int BUTTON_HEIGHT = 28;
inline constexpr int MIN_WIDTH = 220;
inline constexpr int MAX_TEXT_WIDTH = 520;
// Splits the text at spaces and line breaks into lines no wider than the limit.
std::vector<std::string> wrap(const std::string& text) {
    const std::size_t perLine = MAX_TEXT_WIDTH / (BOX_GLYPH_ADVANCE * SCALE);
    std::vector<std::string> lines(1);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
        const std::string word = text.substr(start, end - start);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > perLine) {
            lines.emplace_back();
        }
        lines.back() += (lines.back().empty() ? "" : " ") + word.substr(0, perLine);
        if (end < text.size() && text[end] == '\n') {
            lines.emplace_back();
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace

void drawMessageBox(HBITMAP__& target, const MessageBoxView& box) {
    const std::vector<std::string> lines = wrap(box.text);
    int textWidth = boxTextWidth(box.caption, SCALE);
    for (const auto& line : lines) {
        textWidth = std::max(textWidth, boxTextWidth(line, SCALE));
    }
    const int width = std::max(MIN_WIDTH, textWidth + 2 * PADDING);
    const int height = BOX_CAPTION_HEIGHT + PADDING + static_cast<int>(lines.size()) * LINE_HEIGHT + PADDING +
                       BUTTON_HEIGHT + PADDING;
    const int left = (target.width - width) / 2;
    const int top = (target.height - height) / 2;
    raisedBox(target, left, top, left + width, top + height);
    fillBox(target, left + 3, top + 3, left + width - 3, top + BOX_CAPTION_HEIGHT, BOX_CAPTION);
    drawBoxText(target, box.caption, left + 8, top + 6, SCALE, BOX_LIGHT);
    int y = top + BOX_CAPTION_HEIGHT + PADDING;
    for (const auto& line : lines) {
        drawBoxText(target, line, left + PADDING, y, SCALE, BOX_DARK);
        y += LINE_HEIGHT;
    }
    const int buttonLeft = left + (width - BUTTON_WIDTH) / 2;
    const int buttonTop = top + height - PADDING - BUTTON_HEIGHT;
    fillBox(target, buttonLeft - 1, buttonTop - 1, buttonLeft + BUTTON_WIDTH + 1,
            buttonTop + BUTTON_HEIGHT + 1, BOX_DARK);
    raisedBox(target, buttonLeft, buttonTop, buttonLeft + BUTTON_WIDTH, buttonTop + BUTTON_HEIGHT);
    drawBoxText(target, "OK", buttonLeft + (BUTTON_WIDTH - boxTextWidth("OK", SCALE)) / 2, buttonTop + 7,
                SCALE, BOX_DARK);
}

}  // namespace veskar::platform
