// The modal dialog: its edit field under the keys a player uses, the length limit and paste, the
// commands Enter, Escape and the close box give, and the window beneath it living on.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/DibBuilder.h"
#include "tests/platform/TestWindow.h"

using veskar::platform::TestBackend;
using namespace veskar::testing;

namespace {

constexpr WORD DIALOG_ID = 132;
constexpr int EDIT_ID = 1006;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put32(std::vector<std::uint8_t>& out, DWORD value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void putText(std::vector<std::uint8_t>& out, const std::string& text) {
    for (const char c : text)
        put16(out, static_cast<unsigned char>(c));
    put16(out, 0);
}

// The name dialog's template: a prompt and an edit field holding "abc".
std::vector<std::uint8_t> nameTemplate() {
    std::vector<std::uint8_t> out;
    put32(out, 0x80C800C0);
    put32(out, 0);
    put16(out, 2);
    for (const unsigned side : {0, 0, 237, 46})
        put16(out, side);
    put16(out, 0);
    put16(out, 0);
    putText(out, "String Input");
    put16(out, 8);
    putText(out, "MS Sans Serif");
    const struct {
        DWORD style;
        unsigned x, y, width, height, id, atom;
        const char* text;
    } items[] = {{0x50810080, 5, 20, 225, 15, EDIT_ID, 0x81, "abc"},
                 {0x50020000, 5, 5, 205, 10, 1007, 0x82, "Name:"}};
    for (const auto& item : items) {
        while (out.size() % 4)
            out.push_back(0);
        put32(out, item.style);
        put32(out, 0);
        for (const unsigned value : {item.x, item.y, item.width, item.height, item.id, 0xFFFFu, item.atom})
            put16(out, value);
        putText(out, item.text);
        put16(out, 0);
    }
    return out;
}

// What the dialog procedure saw.
struct Record {
    int updates = 0;   // EN_UPDATE from the edit field
    std::string atOk;  // the field's text when command 1 came
    LPARAM initParam = 0;
    std::size_t limit = 0;  // EM_LIMITTEXT given at WM_INITDIALOG, 0 for none
    std::string events;     // the field's focus notifications and the commands, in order
};
Record record;

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        record.initParam = lParam;
        if (record.limit != 0)
            SendMessageA(GetDlgItem(dialog, EDIT_ID), EM_LIMITTEXT, record.limit, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (HIWORD(wParam) == EN_UPDATE && LOWORD(wParam) == EDIT_ID) {
        ++record.updates;
        return TRUE;
    }
    if (LOWORD(wParam) == EDIT_ID && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)) {
        record.events += HIWORD(wParam) == EN_SETFOCUS ? "gained " : "lost ";
        return TRUE;
    }
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        record.events += LOWORD(wParam) == IDOK ? "ok " : "cancel ";
        char text[64];
        GetDlgItemTextA(dialog, EDIT_ID, text, sizeof text);
        record.atOk = LOWORD(wParam) == IDOK ? text : "";
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

struct Fixture {
    TestModule module;
    HWND window = nullptr;

    explicit Fixture(std::size_t limit = 0, const Handler& handler = {}) {
        window = makeTestWindow(handler);
        module.addDialog(DIALOG_ID, nameTemplate());
        record = Record{};
        record.limit = limit;
    }
    INT_PTR run() {
        return DialogBoxParamA(module.handle(), MAKEINTRESOURCEA(DIALOG_ID), window, procedure, 77);
    }
};

}  // namespace

TEST(DialogBox, TypingAndEditingKeysWorkAtTheCaret) {
    Fixture fixture;
    auto& backend = TestBackend::current();
    bool typingOn = false;
    backend.at(5, [&] { typingOn = backend.textInputOn(); });
    backend.type(10, "xy");  // replaces "abc", selected when the dialog opened
    backend.tap(20, VK_LEFT);
    backend.tap(30, VK_LEFT);
    backend.type(40, "1");  // 1xy
    backend.tap(50, VK_END);
    backend.tap(60, VK_BACK);  // 1x
    backend.tap(70, VK_HOME);
    backend.tap(80, VK_DELETE);  // x
    backend.tap(90, VK_RIGHT);
    backend.keyDown(100, 'Z', 'z');  // a key's own character, without text input
    backend.tap(110, VK_BACK);       // x
    backend.tap(120, VK_BACK);       // (empty)
    backend.tap(130, VK_BACK);       // nothing left to delete: no change
    backend.type(140, "\xE9!");
    backend.tap(150, VK_RETURN);
    EXPECT_EQ(fixture.run(), IDOK);
    EXPECT_EQ(record.atOk, "\xE9!");
    EXPECT_EQ(record.initParam, 77);
    EXPECT_EQ(record.updates, 10) << "one for each change";
    EXPECT_TRUE(typingOn);
    EXPECT_FALSE(backend.textInputOn()) << "typed text ends with the dialog";
    EXPECT_TRUE(seenOf(WM_KEYDOWN).empty() && seenOf(WM_CHAR).empty()) << "keys go to the dialog alone";
}

TEST(DialogBox, LimitRefusesTypingAndCutsAPaste) {
    Fixture fixture(5);
    auto& backend = TestBackend::current();
    backend.setClipboard("12345\r\nmore");
    backend.tap(10, VK_END);
    backend.type(20, "de");  // abcde
    backend.type(30, "f");   // refused
    backend.tap(40, VK_HOME);
    backend.tap(50, VK_DELETE);        // bcde
    backend.keyDown(60, 'V', '\x16');  // Ctrl+V: one character fits
    backend.tap(70, VK_RETURN);
    EXPECT_EQ(fixture.run(), IDOK);
    EXPECT_EQ(record.atOk, "1bcde");
    EXPECT_EQ(record.updates, 4) << "a refused character changes nothing and tells nothing";
}

TEST(DialogBox, PasteReplacesTheSelectionUpToTheLineBreak) {
    Fixture fixture;
    auto& backend = TestBackend::current();
    backend.setClipboard("A\tB\xE9\nC");
    backend.keyDown(10, 'V', '\x16');
    backend.tap(20, VK_RETURN);
    EXPECT_EQ(fixture.run(), IDOK);
    EXPECT_EQ(record.atOk, "A\tB\xE9");
}

TEST(DialogBox, EnterAcceptsAndEscapeOrTheCloseBoxCancel) {
    const std::pair<std::function<void(TestBackend&)>, INT_PTR> cases[] = {
        {[](TestBackend& b) { b.tap(10, VK_RETURN); }, IDOK},
        {[](TestBackend& b) { b.tap(10, VK_ESCAPE); }, IDCANCEL},
        {[](TestBackend& b) { b.requestClose(10); }, IDCANCEL},
        {[](TestBackend& b) { b.altKey(10, 0x73); }, IDCANCEL},  // Alt+F4
    };
    for (const auto& [script, expected] : cases) {
        Fixture fixture;
        script(TestBackend::current());
        EXPECT_EQ(fixture.run(), expected);
        EXPECT_TRUE(IsWindow(fixture.window)) << "the window beneath stays";
        EXPECT_TRUE(seenOf(WM_CLOSE).empty());
    }
}

TEST(DialogBox, TheWindowBeneathKeepsTicksAndPaintsAndIsCoveredWhileOpen) {
    Fixture fixture(0, paintsGreenOnEveryTick);
    SetTimer(fixture.window, 1, 10, nullptr);
    auto& backend = TestBackend::current();
    std::uint32_t centre = 0;
    std::uint32_t corner = 0;
    backend.at(95, [&] {
        centre = backend.pixel(317, 227);
        corner = backend.pixel(2, 2);
    });
    backend.tap(100, VK_ESCAPE);
    EXPECT_EQ(fixture.run(), IDCANCEL);
    EXPECT_GE(seenOf(WM_TIMER).size(), 9u);
    EXPECT_GE(seenOf(WM_PAINT).size(), 9u);
    EXPECT_EQ(corner, 0x004000u);
    EXPECT_NE(centre, 0x004000u) << "the dialog is drawn over the window";
    EXPECT_EQ(backend.pixel(317, 227), 0x004000u) << "and gone once closed";
}

// As on the desktop: the field reports gaining the keys when the dialog opens and losing them
// inside EndDialog, whether the dialog ends by a command or by the program's end.
TEST(DialogBox, TheFieldReportsGainingAndLosingTheKeys) {
    const std::pair<std::function<void(TestBackend&)>, std::string> cases[] = {
        {[](TestBackend& b) { b.tap(10, VK_RETURN); }, "gained ok lost "},
        {[](TestBackend& b) { b.tap(10, VK_ESCAPE); }, "gained cancel lost "},
        {[](TestBackend&) { PostQuitMessage(0); }, "gained lost "},
    };
    for (const auto& [script, expected] : cases) {
        Fixture fixture;
        script(TestBackend::current());
        (void)fixture.run();
        EXPECT_EQ(record.events, expected);
    }
}

TEST(DialogBox, AMissingOrCutTemplateFails) {
    Fixture fixture;
    EXPECT_EQ(DialogBoxParamA(fixture.module.handle(), MAKEINTRESOURCEA(133), fixture.window, procedure, 0),
              -1);
    const std::vector<std::uint8_t> whole = nameTemplate();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        TestModule cut;
        cut.addDialog(DIALOG_ID, std::vector<std::uint8_t>(whole.begin(), whole.begin() + size));
        EXPECT_EQ(DialogBoxParamA(cut.handle(), MAKEINTRESOURCEA(DIALOG_ID), fixture.window, procedure, 0),
                  -1)
            << size;
    }
}

TEST(DialogBox, QuitInsideTheDialogReachesTheOuterLoop) {
    Fixture fixture;
    PostQuitMessage(4);
    EXPECT_EQ(fixture.run(), 0);
    MSG message{};
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 4u);
}

TEST(DialogBox, AKeyHeldWhenItOpensActsOnlyOncePressedAgain) {
    Fixture fixture;
    auto& backend = TestBackend::current();
    backend.keyRepeat(20, VK_RETURN);  // the key that opened it, still held
    backend.keyRepeat(60, VK_RETURN);
    backend.keyUp(80, VK_RETURN);
    backend.tap(100, VK_RETURN);
    EXPECT_EQ(fixture.run(), IDOK);
    EXPECT_EQ(backend.now(), 100u) << "accepted by the new press, not by the repeats";
}

TEST(DialogBox, ACloseRequestCancelsItAndThenReachesTheWindow) {
    Fixture fixture;
    TestBackend::current().requestClose(30);
    EXPECT_EQ(fixture.run(), IDCANCEL);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(message.hwnd, fixture.window);
}
