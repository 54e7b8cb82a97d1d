#pragma once
// Character classes shared by the tokenizer, the attribute scanner and the editor.

namespace vesko {

// Tab, line feed, carriage return and space: the only white space markup knows.
constexpr bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
}

// A start tag begins with ':', '_', an ASCII capital, or anything from 'a' upward
// (which takes in every non-ASCII character).
constexpr bool IsTagNameStart(char16_t c) {
    return c == u':' || c == u'_' || (c >= u'A' && c <= u'Z') || c >= u'a';
}

constexpr bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

constexpr char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace vesko
