// A small tokenizer and parser for the resource script.
#include "tools/rcembed/RcScript.h"

#include <algorithm>
#include <cctype>

namespace veskar::rcembed {
namespace {

struct Token {
    enum class Kind { Number, Word, Text, Comma, End };
    Kind kind = Kind::End;
    std::string value;
    long number = 0;
    int line = 0;
};

class Tokenizer {
  public:
    explicit Tokenizer(std::string_view source) : text(source) {}

    // The next token; false with `error` set for an unterminated string or comment.
    bool next(Token& token, std::string& error) {
        skipSpaceAndComments();
        token = Token{};
        token.line = line;
        if (failed) {
            error = "line " + std::to_string(line) + ": unterminated comment";
            return false;
        }
        if (at >= text.size()) {
            return true;
        }
        const char c = text[at];
        if (c == '"') {
            return readText(token, error);
        }
        if (c == ',') {
            ++at;
            token.kind = Token::Kind::Comma;
            return true;
        }
        const std::size_t start = at;
        while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])) && text[at] != ',' &&
               text[at] != '"') {
            ++at;
        }
        token.value = std::string(text.substr(start, at - start));
        const bool digits = std::all_of(token.value.begin(), token.value.end(),
                                        [](char d) { return std::isdigit(static_cast<unsigned char>(d)); });
        token.kind = digits ? Token::Kind::Number : Token::Kind::Word;
        token.number = digits && token.value.size() <= 6 ? std::stol(token.value) : -1;
        return true;
    }

  private:
    void skipSpaceAndComments() {
        while (at < text.size()) {
            const char c = text[at];
            if (c == '\n') {
                ++line;
                ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at;
            } else if (text.substr(at, 2) == "//" || (c == '#' && atLineStart())) {
                at = std::min(text.find('\n', at), text.size());  // comments and preprocessor lines
            } else if (text.substr(at, 2) == "/*") {
                const std::size_t end = text.find("*/", at + 2);
                if (end == std::string_view::npos) {
                    failed = true;
                    at = text.size();
                    return;
                }
                line += static_cast<int>(std::count(text.begin() + at, text.begin() + end, '\n'));
                at = end + 2;
            } else {
                return;
            }
        }
    }

    bool atLineStart() const {
        std::size_t back = at;
        while (back > 0 && (text[back - 1] == ' ' || text[back - 1] == '\t')) {
            --back;
        }
        return back == 0 || text[back - 1] == '\n';
    }

    // A quoted string: "" stands for a quote; \n, \t, \\ and \" are the usual escapes.
    bool readText(Token& token, std::string& error) {
        token.kind = Token::Kind::Text;
        ++at;
        while (at < text.size() && text[at] != '\n') {
            const char c = text[at++];
            if (c == '"') {
                if (at < text.size() && text[at] == '"') {
                    token.value += '"';
                    ++at;
                    continue;
                }
                return true;
            }
            if (c == '\\' && at < text.size()) {
                const char e = text[at++];
                token.value += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                continue;
            }
            token.value += c;
        }
        error = "line " + std::to_string(token.line) + ": unterminated string";
        return false;
    }

    std::string_view text;
    std::size_t at = 0;
    int line = 1;
    bool failed = false;
};

bool fail(std::string& error, int line, const std::string& what) {
    error = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool isBegin(const Token& token) {
    return token.kind == Token::Kind::Word && (token.value == "BEGIN" || token.value == "{");
}
bool isEnd(const Token& token) {
    return token.kind == Token::Kind::Word && (token.value == "END" || token.value == "}");
}

bool parseStringTable(Tokenizer& tokens, RcScript& script, std::string& error) {
    Token token;
    do {  // options such as LANGUAGE may stand before BEGIN
        if (!tokens.next(token, error))
            return false;
        if (token.kind == Token::Kind::End)
            return fail(error, token.line, "STRINGTABLE without BEGIN");
    } while (!isBegin(token));
    for (;;) {
        if (!tokens.next(token, error))
            return false;
        if (isEnd(token))
            return true;
        if (token.kind != Token::Kind::Number || token.number < 0 || token.number > 0xFFFF) {
            return fail(error, token.line, "string number expected in STRINGTABLE");
        }
        const auto id = static_cast<std::uint16_t>(token.number);
        if (!tokens.next(token, error))
            return false;
        if (token.kind == Token::Kind::Comma && !tokens.next(token, error))
            return false;
        if (token.kind != Token::Kind::Text)
            return fail(error, token.line, "quoted string expected");
        const bool taken = std::any_of(script.strings.begin(), script.strings.end(),
                                       [id](const auto& s) { return s.id == id; });
        if (taken)
            return fail(error, token.line, "string " + std::to_string(id) + " defined twice");
        script.strings.push_back({id, token.value});
    }
}

bool parseFileResource(Tokenizer& tokens, const Token& number, const Token& type, RcScript& script,
                       std::string& error) {
    if (number.number < 0 || number.number > 0xFFFF) {
        return fail(error, number.line, "resource number out of range");
    }
    if (type.value == "DIALOG" || type.value == "DIALOGEX" || type.value == "MENU" ||
        type.value == "CURSOR") {
        return fail(error, type.line, type.value + " resources are not supported yet");
    }
    Token path;
    if (!tokens.next(path, error))
        return false;
    if (path.kind != Token::Kind::Text)
        return fail(error, path.line, "quoted file name expected");
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
    if (taken)
        return fail(error, number.line, type.value + " " + std::to_string(resource.id) + " defined twice");
    script.files.push_back(resource);
    return true;
}

}  // namespace

bool parseRcScript(std::string_view text, RcScript& script, std::string& error) {
    script = RcScript{};
    Tokenizer tokens(text);
    for (;;) {
        Token first;
        if (!tokens.next(first, error))
            return false;
        if (first.kind == Token::Kind::End)
            return true;
        if (first.kind == Token::Kind::Word && first.value == "STRINGTABLE") {
            if (!parseStringTable(tokens, script, error))
                return false;
            continue;
        }
        if (first.kind != Token::Kind::Number)
            return fail(error, first.line, "resource number expected, found '" + first.value + "'");
        Token type;
        if (!tokens.next(type, error))
            return false;
        if (type.kind != Token::Kind::Word)
            return fail(error, type.line, "resource type expected");
        if (!parseFileResource(tokens, first, type, script, error))
            return false;
    }
}

}  // namespace veskar::rcembed
