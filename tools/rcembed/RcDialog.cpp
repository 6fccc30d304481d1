// Parsing of DIALOG statements, with the style names and control defaults of the desktop API's
// resource compiler.
#include "tools/rcembed/RcDialog.h"

#include <algorithm>

namespace veskar::rcembed {
namespace {

struct NamedValue {
    const char* name;
    std::uint32_t value;
};

// clang-format off
constexpr NamedValue CONSTANTS[] = {
    {"WS_OVERLAPPED", 0},            {"WS_POPUP", 0x80000000},        {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},     {"WS_VISIBLE", 0x10000000},      {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},      {"WS_BORDER", 0x00800000},       {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},      {"WS_HSCROLL", 0x00100000},      {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},   {"WS_GROUP", 0x00020000},        {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},  {"WS_MAXIMIZEBOX", 0x00010000},
    {"DS_ABSALIGN", 0x01},           {"DS_SYSMODAL", 0x02},           {"DS_3DLOOK", 0x04},
    {"DS_FIXEDSYS", 0x08},           {"DS_NOFAILCREATE", 0x10},       {"DS_LOCALEDIT", 0x20},
    {"DS_SETFONT", 0x40},            {"DS_MODALFRAME", 0x80},         {"DS_NOIDLEMSG", 0x100},
    {"DS_SETFOREGROUND", 0x200},     {"DS_CONTROL", 0x400},           {"DS_CENTER", 0x800},
    {"DS_CENTERMOUSE", 0x1000},      {"DS_CONTEXTHELP", 0x2000},
    {"ES_LEFT", 0x00},               {"ES_CENTER", 0x01},             {"ES_RIGHT", 0x02},
    {"ES_MULTILINE", 0x04},          {"ES_UPPERCASE", 0x08},          {"ES_LOWERCASE", 0x10},
    {"ES_PASSWORD", 0x20},           {"ES_AUTOVSCROLL", 0x40},        {"ES_AUTOHSCROLL", 0x80},
    {"ES_NOHIDESEL", 0x100},         {"ES_OEMCONVERT", 0x400},        {"ES_READONLY", 0x800},
    {"ES_WANTRETURN", 0x1000},       {"ES_NUMBER", 0x2000},
    {"SS_LEFT", 0x00},               {"SS_CENTER", 0x01},             {"SS_RIGHT", 0x02},
    {"SS_NOPREFIX", 0x80},           {"BS_PUSHBUTTON", 0x00},         {"BS_DEFPUSHBUTTON", 0x01},
    {"WS_EX_DLGMODALFRAME", 0x01},   {"WS_EX_TOPMOST", 0x08},         {"WS_EX_TOOLWINDOW", 0x80},
    {"WS_EX_CLIENTEDGE", 0x200},     {"WS_EX_STATICEDGE", 0x20000},
    {"IDOK", 1},                     {"IDCANCEL", 2},
};
// clang-format on

constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD_VISIBLE = 0x50000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t DS_SETFONT = 0x40;

// A control statement: its class and the style it gets without a style argument (`plain`), or
// that a style argument adds to (`base`).
struct ControlKind {
    const char* keyword;
    bool hasText;
    std::uint16_t classAtom;
    std::uint32_t plain;
    std::uint32_t base;
};

constexpr ControlKind CONTROL_KINDS[] = {
    {"LTEXT", true, 0x82, 0x00 | WS_GROUP, 0x00},
    {"CTEXT", true, 0x82, 0x01 | WS_GROUP, 0x01},
    {"RTEXT", true, 0x82, 0x02 | WS_GROUP, 0x02},
    {"EDITTEXT", false, 0x81, WS_BORDER | WS_TABSTOP, WS_BORDER | WS_TABSTOP},
    {"PUSHBUTTON", true, 0x80, WS_TABSTOP, WS_TABSTOP},
    {"DEFPUSHBUTTON", true, 0x80, 0x01 | WS_TABSTOP, 0x01 | WS_TABSTOP},
};

constexpr const char* MEMORY_FLAGS[] = {"DISCARDABLE", "MOVEABLE", "FIXED",     "PURE",
                                        "IMPURE",      "PRELOAD",  "LOADONCALL"};

bool fail(std::string& error, int line, const std::string& what) {
    error = lineError(line, what);
    return false;
}

bool isWord(const Token& token, const char* word) {
    return token.kind == Token::Kind::Word && token.value == word;
}

// A number, a negative number or a named constant, as 32 bits.
bool readValue(Tokenizer& tokens, std::uint32_t& value, std::string& error) {
    Token token;
    if (!tokens.next(token, error)) {
        return false;
    }
    if (token.kind == Token::Kind::Number && token.number >= 0) {
        value = static_cast<std::uint32_t>(token.number);
        return true;
    }
    if (token.kind == Token::Kind::Word && token.value.size() > 1 && token.value[0] == '-') {
        Tokenizer digits(std::string_view(token.value).substr(1));
        Token magnitude;
        if (digits.next(magnitude, error) && magnitude.kind == Token::Kind::Number && magnitude.number >= 0 &&
            magnitude.value.size() == token.value.size() - 1) {
            value = 0u - static_cast<std::uint32_t>(magnitude.number);
            return true;
        }
    }
    const auto found = std::find_if(std::begin(CONSTANTS), std::end(CONSTANTS),
                                    [&](const NamedValue& named) { return token.value == named.name; });
    if (token.kind != Token::Kind::Word || found == std::end(CONSTANTS)) {
        return fail(error, token.line, "number or style name expected, found '" + token.value + "'");
    }
    value = found->value;
    return true;
}

// A value that must fit a signed or unsigned 16-bit field.
bool readShort(Tokenizer& tokens, std::uint16_t& value, std::string& error) {
    Token where;
    std::uint32_t wide = 0;
    if (!tokens.peek(where, error) || !readValue(tokens, wide, error)) {
        return false;
    }
    if (wide > 0xFFFF && wide < 0xFFFF8000u) {
        return fail(error, where.line, "'" + where.value + "' does not fit 16 bits");
    }
    value = static_cast<std::uint16_t>(wide);
    return true;
}

bool expectComma(Tokenizer& tokens, std::string& error) {
    Token token;
    if (!tokens.next(token, error)) {
        return false;
    }
    return token.kind == Token::Kind::Comma || fail(error, token.line, "',' expected");
}

// Takes a comma if one follows; `present` tells whether it did.
bool optionalComma(Tokenizer& tokens, bool& present, std::string& error) {
    Token token;
    if (!tokens.peek(token, error)) {
        return false;
    }
    present = token.kind == Token::Kind::Comma;
    return !present || tokens.next(token, error);
}

// x, y, width, height.
bool readRectangle(Tokenizer& tokens, std::int16_t (&sides)[4], std::string& error) {
    for (int i = 0; i < 4; ++i) {
        std::uint16_t value = 0;
        if ((i > 0 && !expectComma(tokens, error)) || !readShort(tokens, value, error)) {
            return false;
        }
        sides[i] = static_cast<std::int16_t>(value);
    }
    return true;
}

// Terms joined by '|', each adding its bits to `style` or, after NOT, removing them.
bool readStyle(Tokenizer& tokens, std::uint32_t& style, std::string& error) {
    for (;;) {
        Token token;
        if (!tokens.peek(token, error)) {
            return false;
        }
        const bool clear = isWord(token, "NOT");
        if (clear && !tokens.next(token, error)) {
            return false;
        }
        std::uint32_t bits = 0;
        if (!readValue(tokens, bits, error)) {
            return false;
        }
        style = clear ? style & ~bits : style | bits;
        if (!tokens.peek(token, error)) {
            return false;
        }
        if (token.kind != Token::Kind::Bar) {
            return true;
        }
        if (!tokens.next(token, error)) {
            return false;
        }
    }
}

bool readText(Tokenizer& tokens, std::string& text, std::string& error) {
    Token token;
    if (!tokens.next(token, error)) {
        return false;
    }
    if (token.kind != Token::Kind::Text) {
        return fail(error, token.line, "quoted text expected");
    }
    const bool ascii = std::all_of(token.value.begin(), token.value.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (!ascii) {
        return fail(error, token.line, "dialog texts must be ASCII");
    }
    text = token.value;
    return true;
}

// [text,] id, x, y, width, height [, style [, extended style]]
bool readControl(Tokenizer& tokens, const ControlKind& kind, DialogResource& dialog, std::string& error) {
    DialogControl control;
    control.classAtom = kind.classAtom;
    bool more = false;
    if (kind.hasText && (!readText(tokens, control.text, error) || !optionalComma(tokens, more, error))) {
        return false;
    }
    std::int16_t sides[4];
    if (!readShort(tokens, control.id, error) || !expectComma(tokens, error) ||
        !readRectangle(tokens, sides, error) || !optionalComma(tokens, more, error)) {
        return false;
    }
    control.x = sides[0];
    control.y = sides[1];
    control.width = sides[2];
    control.height = sides[3];
    control.style = WS_CHILD_VISIBLE | (more ? kind.base : kind.plain);
    if (more && (!readStyle(tokens, control.style, error) || !optionalComma(tokens, more, error))) {
        return false;
    }
    if (more && !readValue(tokens, control.exStyle, error)) {
        return false;
    }
    dialog.controls.push_back(control);
    return true;
}

// STYLE, EXSTYLE, CAPTION and FONT, up to BEGIN. CAPTION and FONT add their style bits to
// whatever STYLE gives, before or after it; without STYLE the dialog is a bordered pop-up.
bool readOptions(Tokenizer& tokens, DialogResource& dialog, std::string& error) {
    dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    std::uint32_t implied = 0;
    for (;;) {
        Token token;
        if (!tokens.next(token, error)) {
            return false;
        }
        if (isBegin(token)) {
            return true;
        }
        if (isWord(token, "STYLE")) {
            std::uint32_t style = implied;
            if (!readStyle(tokens, style, error)) {
                return false;
            }
            dialog.style = style;
        } else if (isWord(token, "EXSTYLE")) {
            if (!readValue(tokens, dialog.exStyle, error)) {
                return false;
            }
        } else if (isWord(token, "CAPTION")) {
            if (!readText(tokens, dialog.caption, error)) {
                return false;
            }
            implied |= WS_CAPTION;
            dialog.style |= WS_CAPTION;
        } else if (isWord(token, "FONT")) {
            if (!readShort(tokens, dialog.fontSize, error) || !expectComma(tokens, error) ||
                !readText(tokens, dialog.fontName, error)) {
                return false;
            }
            implied |= DS_SETFONT;
            dialog.style |= DS_SETFONT;
        } else if (token.kind == Token::Kind::End) {
            return fail(error, token.line, "DIALOG without BEGIN");
        } else {
            return fail(error, token.line, "'" + token.value + "' is not supported in a DIALOG");
        }
    }
}

bool readControls(Tokenizer& tokens, DialogResource& dialog, std::string& error) {
    for (;;) {
        Token token;
        if (!tokens.next(token, error)) {
            return false;
        }
        if (isEnd(token)) {
            return true;
        }
        if (token.kind == Token::Kind::End) {
            return fail(error, token.line, "DIALOG without END");
        }
        const auto kind = std::find_if(std::begin(CONTROL_KINDS), std::end(CONTROL_KINDS),
                                       [&](const ControlKind& k) { return isWord(token, k.keyword); });
        if (kind == std::end(CONTROL_KINDS)) {
            return fail(error, token.line, "unsupported dialog control '" + token.value + "'");
        }
        if (dialog.controls.size() == 0xFFFF) {
            return fail(error, token.line, "too many controls");
        }
        if (!readControl(tokens, *kind, dialog, error)) {
            return false;
        }
    }
}

}  // namespace

bool parseDialog(Tokenizer& tokens, const Token& number, RcScript& script, std::string& error) {
    if (number.number < 0 || number.number > 0xFFFF) {
        return fail(error, number.line, "resource number out of range");
    }
    DialogResource dialog;
    dialog.id = static_cast<std::uint16_t>(number.number);
    dialog.line = number.line;
    for (;;) {  // memory flags of 16-bit Windows, accepted and ignored
        Token token;
        if (!tokens.peek(token, error)) {
            return false;
        }
        const bool flag = std::any_of(std::begin(MEMORY_FLAGS), std::end(MEMORY_FLAGS),
                                      [&](const char* name) { return isWord(token, name); });
        if (!flag) {
            break;
        }
        if (!tokens.next(token, error)) {
            return false;
        }
    }
    std::int16_t sides[4];
    if (!readRectangle(tokens, sides, error) || !readOptions(tokens, dialog, error) ||
        !readControls(tokens, dialog, error)) {
        return false;
    }
    dialog.x = sides[0];
    dialog.y = sides[1];
    dialog.width = sides[2];
    dialog.height = sides[3];
    const bool taken = std::any_of(script.dialogs.begin(), script.dialogs.end(),
                                   [&](const DialogResource& other) { return other.id == dialog.id; });
    if (taken) {
        return fail(error, number.line, "DIALOG " + std::to_string(dialog.id) + " defined twice");
    }
    script.dialogs.push_back(std::move(dialog));
    return true;
}

}  // namespace veskar::rcembed
