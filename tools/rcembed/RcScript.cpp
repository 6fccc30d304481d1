// The parser of the resource script's statements: file resources, dialogs and the string table.
#include "tools/rcembed/RcScript.h"

#include <algorithm>

#include "tools/rcembed/RcDialog.h"
#include "tools/rcembed/RcTokenizer.h"

namespace veskar::rcembed {
namespace {

bool fail(std::string& error, int line, const std::string& what) {
    error = lineError(line, what);
    return false;
}

bool parseStringTable(Tokenizer& tokens, RcScript& script, std::string& error) {
    Token token;
    do {  // options such as LANGUAGE may stand before BEGIN
        if (!tokens.next(token, error)) {
            return false;
        }
        if (token.kind == Token::Kind::End) {
            return fail(error, token.line, "STRINGTABLE without BEGIN");
        }
    } while (!isBegin(token));
    for (;;) {
        if (!tokens.next(token, error)) {
            return false;
        }
        if (isEnd(token)) {
            return true;
        }
        if (token.kind != Token::Kind::Number || token.number < 0 || token.number > 0xFFFF) {
            return fail(error, token.line, "string number expected in STRINGTABLE");
        }
        const auto id = static_cast<std::uint16_t>(token.number);
        if (!tokens.next(token, error)) {
            return false;
        }
        if (token.kind == Token::Kind::Comma && !tokens.next(token, error)) {
            return false;
        }
        if (token.kind != Token::Kind::Text) {
            return fail(error, token.line, "quoted string expected");
        }
        const bool taken = std::any_of(script.strings.begin(), script.strings.end(),
                                       [id](const auto& s) { return s.id == id; });
        if (taken) {
            return fail(error, token.line, "string " + std::to_string(id) + " defined twice");
        }
        script.strings.push_back({id, token.value});
    }
}

bool parseFileResource(Tokenizer& tokens, const Token& number, const Token& type, RcScript& script,
                       std::string& error) {
    if (number.number < 0 || number.number > 0xFFFF) {
        return fail(error, number.line, "resource number out of range");
    }
    if (type.value == "DIALOG") {
        return parseDialog(tokens, number, script, error);
    }
    if (type.value == "DIALOGEX" || type.value == "MENU" || type.value == "CURSOR") {
        return fail(error, type.line, type.value + " resources are not supported yet");
    }
    Token path;
    if (!tokens.next(path, error)) {
        return false;
    }
    if (path.kind != Token::Kind::Text) {
        return fail(error, path.line, "quoted file name expected");
    }
    FileResource resource;
    resource.id = static_cast<std::uint16_t>(number.number);
    resource.kind = type.value == "ICON"     ? ResourceKind::Icon
                    : type.value == "BITMAP" ? ResourceKind::Bitmap
                                             : ResourceKind::Named;
    resource.typeName = resource.kind == ResourceKind::Named ? type.value : "";
    resource.path = path.value;
    resource.line = number.line;
    const bool taken = std::any_of(script.files.begin(), script.files.end(), [&](const FileResource& other) {
        return other.id == resource.id && other.kind == resource.kind && other.typeName == resource.typeName;
    });
    if (taken) {
        return fail(error, number.line, type.value + " " + std::to_string(resource.id) + " defined twice");
    }
    script.files.push_back(resource);
    return true;
}

}  // namespace

bool parseRcScript(std::string_view text, RcScript& script, std::string& error) {
    script = RcScript{};
    Tokenizer tokens(text);
    for (;;) {
        Token first;
        if (!tokens.next(first, error)) {
            return false;
        }
        if (first.kind == Token::Kind::End) {
            return true;
        }
        if (first.kind == Token::Kind::Word && first.value == "STRINGTABLE") {
            if (!parseStringTable(tokens, script, error)) {
                return false;
            }
            continue;
        }
        if (first.kind != Token::Kind::Number) {
            return fail(error, first.line, "resource number expected, found '" + first.value + "'");
        }
        Token type;
        if (!tokens.next(type, error)) {
            return false;
        }
        if (type.kind != Token::Kind::Word) {
            return fail(error, type.line, "resource type expected");
        }
        if (!parseFileResource(tokens, first, type, script, error)) {
            return false;
        }
    }
}

}  // namespace veskar::rcembed
