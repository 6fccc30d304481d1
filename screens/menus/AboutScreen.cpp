// The about screen. The credit lines are kept scrambled in the program and unscrambled just before
// they are drawn: even positions are stored 22 higher, odd positions 15 higher.
#include "screens/menus/AboutScreen.h"

#include <array>

#include "shell/GlobalResources.h"

namespace {

inline constexpr int EVEN_SHIFT = 22;
inline constexpr int ODD_SHIFT = 15;

template <std::size_t N>
constexpr std::array<unsigned char, N> scramble(const char (&text)[N]) {
    std::array<unsigned char, N> stored{};
    for (std::size_t i = 0; i + 1 < N; ++i) {
        stored[i] = static_cast<unsigned char>(text[i] + (i % 2 == 0 ? EVEN_SHIFT : ODD_SHIFT));
    }
    return stored;
}

// Only the scrambled bytes reach the program: the plain texts are used at compile time.
inline constexpr auto CREDIT_1 = scramble("Games");
inline constexpr auto CREDIT_2 = scramble("by");
inline constexpr auto CREDIT_3 = scramble("Arvo");
inline constexpr auto CREDIT_4 = scramble("Minna");

// Unscrambles up to the terminating zero into `text` (256 bytes).
template <std::size_t N>
void unscramble(const std::array<unsigned char, N>& stored, std::array<char, 256>& text) {
    std::size_t i = 0;
    for (; i < N && i + 1 < text.size() && stored[i] != 0; ++i) {
        text[i] = static_cast<char>(stored[i] - (i % 2 == 0 ? EVEN_SHIFT : ODD_SHIFT));
    }
    text[i] = '\0';
}

template <std::size_t N>
void drawCredit(HDC offscreen, const std::array<unsigned char, N>& stored, int x, int y) {
    std::array<char, 256> text{};
    unscramble(stored, text);
    normalFont.drawText(offscreen, text.data(), x, y);
}

}  // namespace

int AboutScreen::draw(HWND, WPARAM, LPARAM, HDC offscreen, std::unique_ptr<Screen>&) {
    menuBackground.drawWhole(offscreen);
    highlightFont.drawText(offscreen, "VESKAR", left + 70, top);
    drawCredit(offscreen, CREDIT_1, left + 75, top + 40);
    drawCredit(offscreen, CREDIT_2, left + 95, top + 70);
    drawCredit(offscreen, CREDIT_3, left + 80, top + 100);
    normalFont.drawText(offscreen, "&", left + 105, top + 130);
    drawCredit(offscreen, CREDIT_4, left + 75, top + 160);
    return 0;
}
