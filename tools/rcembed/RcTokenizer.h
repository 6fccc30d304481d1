// The resource script's tokens: numbers, words, quoted texts, commas and the style operator '|',
// with comments and preprocessor lines skipped.
#pragma once

#include <string>
#include <string_view>

namespace veskar::rcembed {

struct Token {
    enum class Kind { Number, Word, Text, Comma, Bar, End };
    Kind kind = Kind::End;
    std::string value;
    long number = 0;  // for Number: decimal or 0x hexadecimal; -1 when it does not fit 32 bits
    int line = 0;
};

class Tokenizer {
  public:
    explicit Tokenizer(std::string_view source) : text(source) {}

    // The next token (Kind::End at the end); false with `error` set for an unterminated string or
    // comment.
    [[nodiscard]] bool next(Token& token, std::string& error);
    // The token that `next` will give, without taking it.
    [[nodiscard]] bool peek(Token& token, std::string& error);

  private:
    [[nodiscard]] bool read(Token& token, std::string& error);
    void skipSpaceAndComments();
    [[nodiscard]] bool atLineStart() const;
    bool readText(Token& token, std::string& error);

    std::string_view text;
    std::size_t at = 0;
    int line = 1;
    bool failed = false;
    bool peeked = false;
    Token pending;
};

// BEGIN or {, END or }: the brackets of a block.
[[nodiscard]] bool isBegin(const Token& token);
[[nodiscard]] bool isEnd(const Token& token);

// "line N: what", for error messages.
[[nodiscard]] std::string lineError(int line, const std::string& what);

}  // namespace veskar::rcembed
