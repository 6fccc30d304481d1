// The resource script's tokenizer.
#include "tools/rcembed/RcTokenizer.h"

#include <algorithm>
#include <cctype>

namespace veskar::rcembed {
namespace {

bool isDelimiter(char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == '"' || c == '|' || c == '{' ||
           c == '}';
}

// Decimal, or hexadecimal after 0x; -1 for anything else or a value beyond 32 bits.
long parseNumber(const std::string& word) {
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const std::string digits = hex ? word.substr(2) : word;
    const auto isDigit = [hex](char d) {
        return hex ? std::isxdigit(static_cast<unsigned char>(d)) != 0
                   : std::isdigit(static_cast<unsigned char>(d)) != 0;
    };
    if (digits.empty() || digits.size() > (hex ? 8u : 10u) ||
        !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return -1;
    }
    const long long value = std::stoll(digits, nullptr, hex ? 16 : 10);
    return value > 0xFFFFFFFFLL ? -1 : static_cast<long>(value);
}

}  // namespace

bool isBegin(const Token& token) {
    return token.kind == Token::Kind::Word && (token.value == "BEGIN" || token.value == "{");
}

bool isEnd(const Token& token) {
    return token.kind == Token::Kind::Word && (token.value == "END" || token.value == "}");
}

std::string lineError(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

bool Tokenizer::next(Token& token, std::string& error) {
    if (peeked) {
        peeked = false;
        token = pending;
        return true;
    }
    return read(token, error);
}

bool Tokenizer::peek(Token& token, std::string& error) {
    if (!peeked) {
        if (!read(pending, error)) {
            return false;
        }
        peeked = true;
    }
    token = pending;
    return true;
}

bool Tokenizer::read(Token& token, std::string& error) {
    skipSpaceAndComments();
    token = Token{};
    token.line = line;
    if (failed) {
        error = lineError(line, "unterminated comment");
        return false;
    }
    if (at >= text.size()) {
        return true;
    }
    const char c = text[at];
    if (c == '"') {
        return readText(token, error);
    }
    if (c == ',' || c == '|') {
        ++at;
        token.kind = c == ',' ? Token::Kind::Comma : Token::Kind::Bar;
        token.value = std::string(1, c);
        return true;
    }
    const std::size_t start = at;
    if (c == '{' || c == '}') {
        ++at;  // a bracket is a word of its own
    } else {
        while (at < text.size() && !isDelimiter(text[at])) {
            ++at;
        }
    }
    token.value = std::string(text.substr(start, at - start));
    const bool numeric = std::isdigit(static_cast<unsigned char>(token.value[0])) != 0;
    token.kind = numeric ? Token::Kind::Number : Token::Kind::Word;
    token.number = numeric ? parseNumber(token.value) : 0;
    return true;
}

void Tokenizer::skipSpaceAndComments() {
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

bool Tokenizer::atLineStart() const {
    std::size_t back = at;
    while (back > 0 && (text[back - 1] == ' ' || text[back - 1] == '\t')) {
        --back;
    }
    return back == 0 || text[back - 1] == '\n';
}

// A quoted string: "" stands for a quote; \n, \t, \\ and \" are the usual escapes.
bool Tokenizer::readText(Token& token, std::string& error) {
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
    error = lineError(token.line, "unterminated string");
    return false;
}

}  // namespace veskar::rcembed
