// The modal name-entry dialog (dialog resource 132): a prompt over one edit field, opened over the
// game window. It edits a text in place: Enter stores what the field shows, Escape or the close box
// leave the text as it was. Every character typed or pasted passes `acceptChar` at once.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/Platform.h"

class StringInputDialog {
  public:
    static constexpr WORD DIALOG_RESOURCE = 132;
    static constexpr int EDIT_CONTROL_ID = 1006;
    static constexpr int PROMPT_CONTROL_ID = 1007;
    static constexpr std::int32_t TEXT_SIZE = 2048;  // the working text's bytes, terminator included
    static constexpr std::size_t LABEL_SIZE = 128;   // prompt and caption bytes, terminator included
    static constexpr UINT_PTR PAD_TIMER_ID = 1;      // the dialog's own timer, which reads the pads
    static constexpr UINT PAD_TIMER_MS = 10;

    // `target` is the text to edit, as many bytes as may be read; the dialog shows its contents up to
    // the first NUL (at most target.size() - 1 characters). `capacity` is the size the stored text
    // may take, terminator included: 0 means 2048, and it never exceeds target.size(). Prompt and
    // caption are copied and cut to 127 characters.
    StringInputDialog(HWND owner, const char* prompt, const char* caption, std::span<char> target,
                      std::int32_t capacity);
    StringInputDialog(const StringInputDialog&) = delete;
    StringInputDialog& operator=(const StringInputDialog&) = delete;
    virtual ~StringInputDialog() = default;

    // Whether the text may hold this character; every character here.
    [[nodiscard]] virtual bool acceptChar(char character);

    // Shows the dialog over the owner window and returns when it has ended; the owner's timer and
    // paint messages go on meanwhile. Message-loop thread only; one dialog at a time.
    void run();

    HWND dialogWindow = nullptr;
    HWND ownerWindow = nullptr;
    std::span<char> target;
    std::int32_t capacity = 0;
    char text[TEXT_SIZE] = {};
    char prompt[LABEL_SIZE] = {};
    char caption[LABEL_SIZE] = {};
    HWND editControl = nullptr;
    HWND promptControl = nullptr;
    BYTE running = 0;
    BYTE finished = 0;
    BYTE accepted = 0;  // 1 when the dialog ended with Enter (command 1)
    // Each pad's buttons as last read: A pressed anew is OK and B Cancel, as Enter and Escape are;
    // buttons held when the dialog opened count only once pressed again.
    std::array<WORD, XUSER_MAX_COUNT> padButtons{};

  private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Copies the accepted characters of `source` (at most `length` bytes, up to a NUL) into `text`;
    // false when any character was dropped.
    bool filter(const char* source, std::size_t length);
    INT_PTR initialise(HWND dialog);
    INT_PTR finish(int command);
    INT_PTR update();
    // Reads the pads; a command when one of them answers the dialog, else 0.
    int padCommand();
};

// The name dialog of both players, whose names the glyph sheet can always show: it accepts only the
// printable codes 32 to 126.
class PrintableInputDialog : public StringInputDialog {
  public:
    using StringInputDialog::StringInputDialog;

    [[nodiscard]] bool acceptChar(char character) override;
};
