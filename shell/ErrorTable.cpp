// The rows of the error table and their lookup.
#include "shell/ErrorTable.h"

#include <array>

namespace {

struct ErrorRow {
    std::uint16_t code;
    const char* text;
};

inline constexpr std::array<ErrorRow, 6> ERROR_ROWS{{
    {ERR_GENERAL, "General error"},
    {ERR_OUT_OF_MEMORY, "Not enough memory"},
    {ERR_RESOURCE, "Unavailable resource"},
    {ERR_APPLICATION, "Application error"},
    {ERR_APP_STATE, "Unknown application state"},
    {ERR_UNKNOWN, "Unknown error"},  // the fallback row, never matched by the search
}};
inline constexpr std::size_t SEARCHED_ROWS = ERROR_ROWS.size() - 1;
inline constexpr std::size_t FALLBACK_ROW = ERROR_ROWS.size() - 1;

}  // namespace

ErrorText lookUpError(std::uint16_t code) {
    const std::uint16_t category = code & 0xFF00;
    std::size_t categoryRow = FALLBACK_ROW;
    for (std::size_t row = 0; row < SEARCHED_ROWS; ++row) {
        if (ERROR_ROWS[row].code == category) {
            categoryRow = row;
            break;
        }
    }
    std::size_t detailRow = FALLBACK_ROW;
    for (std::size_t row = categoryRow; categoryRow != FALLBACK_ROW && row < SEARCHED_ROWS; ++row) {
        if (ERROR_ROWS[row].code == code) {
            detailRow = row;
            break;
        }
    }
    return {ERROR_ROWS[categoryRow].text, ERROR_ROWS[detailRow].text};
}

void reportError(HWND window, std::uint16_t code) {
    const ErrorText text = lookUpError(code);
    MessageBoxA(window, text.message, text.caption, MB_OK);
    SendMessageA(window, WM_DESTROY, 0, 0);
}
