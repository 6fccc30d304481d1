// The name dialog's procedure: the text is filtered on the way in, on every edit and before it is
// stored, so the field never shows a character the dialog does not accept.
#include "screens/menus/StringInputDialog.h"

#include <algorithm>
#include <cstring>

#include "shell/ShellState.h"

namespace {

// The object of the running dialog, set when it initialises.
StringInputDialog* runningDialog = nullptr;

// Copies `source` (up to its terminator, at most capacity - 1 bytes) into `destination`.
void copyLabel(char* destination, std::size_t capacity, const char* source) {
    const char* text = source == nullptr ? "" : source;
    const std::size_t length = static_cast<std::size_t>(std::find(text, text + capacity - 1, '\0') - text);
    std::memcpy(destination, text, length);
    destination[length] = '\0';
}

}  // namespace

StringInputDialog::StringInputDialog(HWND owner, const char* promptText, const char* captionText,
                                     std::span<char> targetText, std::int32_t targetCapacity)
    : ownerWindow(owner), target(targetText) {
    const std::int32_t given = targetCapacity <= 0 ? TEXT_SIZE : targetCapacity;
    capacity = std::min<std::int32_t>(
        given, static_cast<std::int32_t>(std::min<std::size_t>(target.size(), TEXT_SIZE)));
    copyLabel(prompt, LABEL_SIZE, promptText);
    copyLabel(caption, LABEL_SIZE, captionText);
}

bool StringInputDialog::acceptChar(char) {
    return true;
}

bool PrintableInputDialog::acceptChar(char character) {
    const auto code = static_cast<unsigned char>(character);
    return code >= 32 && code <= 126;  // 127 and 128 are the menus' scroll marks
}

void StringInputDialog::run() {
    running = 1;
    DialogBoxParamA(hInstance, MAKEINTRESOURCEA(DIALOG_RESOURCE), ownerWindow, dialogProcedure,
                    reinterpret_cast<LPARAM>(this));
    // A dialog that never opened, or that the program's end cut short, leaves the text alone.
    running = 0;
    runningDialog = nullptr;
}

bool StringInputDialog::filter(const char* source, std::size_t length) {
    std::size_t kept = 0;
    bool all = true;
    for (std::size_t i = 0; i < length && source[i] != '\0' && kept < TEXT_SIZE - 1; ++i) {
        if (acceptChar(source[i])) {
            text[kept++] = source[i];
        } else {
            all = false;
        }
    }
    text[kept] = '\0';
    return all;
}

INT_PTR StringInputDialog::initialise(HWND dialog) {
    dialogWindow = dialog;
    editControl = GetDlgItem(dialog, EDIT_CONTROL_ID);
    promptControl = GetDlgItem(dialog, PROMPT_CONTROL_ID);
    filter(target.data(), target.empty() ? 0 : target.size() - 1);
    SendMessageA(editControl, EM_LIMITTEXT, static_cast<WPARAM>(std::max(capacity - 1, 0)), 0);
    SetWindowTextA(editControl, text);
    SetWindowTextA(promptControl, prompt);
    SetWindowTextA(dialog, caption);
    (void)padCommand();  // what the pads hold now counts only once pressed again
    SetTimer(dialog, PAD_TIMER_ID, PAD_TIMER_MS, nullptr);
    return TRUE;
}

int StringInputDialog::padCommand() {
    int command = 0;
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        XINPUT_STATE state{};
        const WORD now = XInputGetState(slot, &state) == ERROR_SUCCESS ? state.Gamepad.wButtons : 0;
        const WORD pressed = static_cast<WORD>(now & ~padButtons[slot]);
        padButtons[slot] = now;
        if (command == 0 && (pressed & XINPUT_GAMEPAD_A) != 0) {
            command = IDOK;
        } else if (command == 0 && (pressed & XINPUT_GAMEPAD_B) != 0) {
            command = IDCANCEL;
        }
    }
    return command;
}

INT_PTR StringInputDialog::finish(int command) {
    if (command == IDOK && capacity > 0) {
        // Pads with NULs up to the last byte, which ends the text whatever its length.
        std::strncpy(target.data(), text, static_cast<std::size_t>(capacity - 1));
        target[static_cast<std::size_t>(capacity - 1)] = '\0';
    }
    accepted = command == IDOK ? 1 : 0;
    finished = 1;
    running = 0;
    KillTimer(dialogWindow, PAD_TIMER_ID);
    EndDialog(dialogWindow, accepted);
    return TRUE;
}

INT_PTR StringInputDialog::update() {
    char field[TEXT_SIZE];
    GetWindowTextA(editControl, field, TEXT_SIZE);
    if (!filter(field, TEXT_SIZE - 1)) {
        SetWindowTextA(editControl, text);  // the rejected character disappears as it comes
    }
    return TRUE;
}

INT_PTR CALLBACK StringInputDialog::dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        runningDialog = reinterpret_cast<StringInputDialog*>(lParam);
        return runningDialog == nullptr ? FALSE : runningDialog->initialise(dialog);
    }
    if (runningDialog != nullptr && message == WM_TIMER && wParam == PAD_TIMER_ID) {
        const int command = runningDialog->padCommand();
        return command != 0 ? runningDialog->finish(command) : TRUE;
    }
    if (runningDialog == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        return runningDialog->finish(id);
    }
    if (HIWORD(wParam) == EN_UPDATE && id == EDIT_CONTROL_ID) {
        return runningDialog->update();
    }
    return FALSE;
}
