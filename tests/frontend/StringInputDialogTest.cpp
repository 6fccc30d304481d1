// The name dialogs over the program's own dialog resource: the characters the names' dialog and the
// plain dialog keep, the 8-character names, and what Enter and Escape leave in the name field.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>

#include "frontend/StringInputDialog.h"
#include "shell/Settings.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;

namespace {

struct Case {
    const char* what;
    bool printable;    // PrintableInputDialog (both players' names), else StringInputDialog
    const char* name;  // the field's 14 bytes before (unterminated if 14 long)
    std::function<void(TestBackend&)> script;  // ends the dialog
    const char* shownAt50;                     // the working text at 50 ms
    const char* stored;
    BYTE accepted;
};

void paste(TestBackend& backend, std::uint64_t time, const char* text) {
    backend.setClipboard(text);
    backend.keyDown(time, 'V', '\x16');
}

std::string runCase(const Case& test, std::string& shown, BYTE& accepted) {
    HWND window = veskar::testing::makeTestWindow();
    auto& backend = TestBackend::current();
    NameField field{};
    std::memcpy(field.data(), test.name, std::min(std::strlen(test.name), field.size()));
    std::unique_ptr<StringInputDialog> dialog;
    if (test.printable) {
        dialog = std::make_unique<PrintableInputDialog>(window, "Enter name:", "Player 1 Name", field, 9);
    } else {
        dialog = std::make_unique<StringInputDialog>(window, "Enter name:", "Player 2 Name", field, 9);
    }
    backend.at(50, [&] { shown = dialog->text; });
    test.script(backend);
    dialog->run();
    accepted = dialog->accepted;
    EXPECT_EQ(dialog->finished, 1) << test.what;
    EXPECT_EQ(dialog->running, 0) << test.what;
    if (accepted) {
        const std::size_t length = strnlen(field.data(), 9);
        EXPECT_TRUE(std::all_of(field.begin() + length, field.begin() + 9, [](char c) { return c == '\0'; }))
            << test.what << ": Enter pads with NULs up to the capacity's last byte";
    }
    return std::string(field.data(), strnlen(field.data(), field.size()));
}

}  // namespace

TEST(StringInputDialog, EachPlayersDialogKeepsItsCharactersAndNamesFitEightBytes) {
    const Case cases[] = {
        {"a name pasted loses tab and high code", true, "VELK",
         [](TestBackend& b) {
             paste(b, 10,
                   "A\tB\xE9"
                   "C"),
                 b.tap(60, VK_RETURN);
         },
         "ABC", "ABC", 1},
        {"the plain dialog keeps them", false, "ZANDO",
         [](TestBackend& b) {
             paste(b, 10,
                   "A\tB\xE9"
                   "C"),
                 b.tap(60, VK_RETURN);
         },
         "A\tB\xE9"
         "C",
         "A\tB\xE9"
         "C",
         1},
        {"a name keeps 126, drops the scroll marks 127 and 128", true, "VELK",
         [](TestBackend& b) { b.type(10, "~\x7f\x80x"), b.tap(60, VK_RETURN); }, "~x", "~x", 1},
        {"the plain dialog takes a code above 127", false, "ZANDO",
         [](TestBackend& b) { b.type(10, "Zo\xEB"), b.tap(60, VK_RETURN); }, "Zo\xEB", "Zo\xEB", 1},
        {"a ninth character is refused", true, "VELK",
         [](TestBackend& b) { b.type(10, "ABCDEFGHIJ"), b.tap(60, VK_RETURN); }, "ABCDEFGH", "ABCDEFGH", 1},
        {"an empty field stores an empty name", false, "ZANDO",
         [](TestBackend& b) { b.tap(10, VK_BACK), b.tap(60, VK_RETURN); }, "", "", 1},
        {"13 characters shown whole, cut by Enter", true, "THIRTEENCHARS",
         [](TestBackend& b) { b.tap(60, VK_RETURN); }, "THIRTEENCHARS", "THIRTEEN", 1},
        {"13 characters kept by Escape", true, "THIRTEENCHARS",
         [](TestBackend& b) { b.type(10, "X"), b.tap(60, VK_ESCAPE); }, "X", "THIRTEENCHARS", 0},
        {"the close box keeps the name", false, "ZANDO",
         [](TestBackend& b) { b.type(10, "X"), b.requestClose(60); }, "X", "ZANDO", 0},
        {"an unterminated field shows 13 characters", false, "FOURTEENCHARSX",
         [](TestBackend& b) { b.tap(60, VK_RETURN); }, "FOURTEENCHARS", "FOURTEEN", 1},
    };
    for (const Case& test : cases) {
        std::string shown;
        BYTE accepted = 2;
        const std::string stored = runCase(test, shown, accepted);
        EXPECT_EQ(shown, test.shownAt50) << test.what;
        EXPECT_EQ(stored, test.stored) << test.what;
        EXPECT_EQ(accepted, test.accepted) << test.what;
    }
}

TEST(StringInputDialog, PromptAndCaptionAreCutTo127Characters) {
    HWND window = veskar::testing::makeTestWindow();
    const std::string longText(300, 'p');
    std::array<char, 4> target{};
    StringInputDialog dialog(window, longText.c_str(), longText.c_str(), target, 0);
    EXPECT_EQ(std::strlen(dialog.prompt), 127u);
    EXPECT_EQ(std::strlen(dialog.caption), 127u);
    EXPECT_EQ(dialog.capacity, 4) << "never more than the target holds";
}
