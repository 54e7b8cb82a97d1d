// Reading an attribute scans its start tag in the text; there is no attribute
// table. The same token rules serve reading (GetAttribute) and writing
// (SetAttribute), so both always agree on where a value stands.

#include "xml/text_chars.h"
#include "xml/tokenizer.h"

namespace vesko {

bool NameMatches(std::u16string_view name, std::u16string_view wanted, bool ignoreCase) {
    const size_t n = name.size();
    if (wanted.size() < n) {
        return false;
    }
    size_t i = 0;
    if (ignoreCase) {
        // Case folding covers ASCII only and stops at the first matching pair of
        // non-ASCII characters; from there on the comparison is exact.
        for (; i < n; ++i) {
            const char16_t a = name[i];
            const char16_t b = wanted[i];
            if (a == b) {
                if (a > 0x7F) {
                    ++i;
                    break;
                }
                continue;
            }
            if (!IsAsciiLetter(a) || AsciiLower(a) != AsciiLower(b)) {
                return false;
            }
        }
    }
    if (name.substr(i) != wanted.substr(i, n - i)) {
        return false;
    }
    if (wanted.size() == n) {
        return true;
    }
    const char16_t next = wanted[n];
    return next == u' ' || next == u'/' || next == u'=' || next == u'[' || next == u']';
}

namespace {

struct Token {
    int start = 0;
    int end = 0;
    bool quoted = false;
    bool closed = false;  // a quoted token that found its closing quote

    int Length() const { return end - start; }
};

class AttributeTokens {
  public:
    explicit AttributeTokens(std::u16string_view text)
        : m_p(text.data()), m_size(static_cast<int>(text.size())) {}

    // Next token from `pos`; in value position only white space and '>' end it.
    Token Next(int& pos, bool valuePosition) const {
        while (pos < m_size && IsXmlSpace(m_p[pos])) {
            ++pos;
        }
        Token t;
        t.start = pos;
        if (pos >= m_size) {
            t.end = pos;
            return t;
        }
        const char16_t first = m_p[pos];
        if (first == u'"' || first == u'\'') {
            t.quoted = true;
            int i = pos + 1;
            while (i < m_size && m_p[i] != first) {
                ++i;
            }
            t.closed = i < m_size;
            t.end = t.closed ? i + 1 : i;
        } else if (!valuePosition && IsDelimiter(first)) {
            t.end = pos + 1;
        } else {
            int i = pos;
            while (i < m_size && !IsXmlSpace(m_p[i]) && m_p[i] != u'>' &&
                   (valuePosition || !IsDelimiter(m_p[i]))) {
                ++i;
            }
            t.end = i;
        }
        pos = t.end;
        return t;
    }

    bool Is(const Token& t, char16_t c) const { return t.Length() == 1 && m_p[t.start] == c; }
    bool Ends(const Token& t) const {
        return t.Length() == 0 || Is(t, u'/') || Is(t, u'>') || Is(t, u'?');
    }
    std::u16string_view View(const Token& t) const {
        return {m_p + t.start, static_cast<size_t>(t.Length())};
    }

  private:
    static bool IsDelimiter(char16_t c) { return c == u'/' || c == u'=' || c == u'>' || c == u'?'; }

    const char16_t* m_p;
    int m_size;
};

void SetValue(AttributeSpan& span, const Token& value) {
    span.replaceStart = value.start;
    span.replaceLength = value.Length();
    span.valueStart = value.quoted ? value.start + 1 : value.start;
    span.valueLength = value.Length() - (value.quoted ? 1 : 0) - (value.closed ? 1 : 0);
}

}  // namespace

AttributeSpan ScanAttribute(std::u16string_view text, int tagStart, std::u16string_view name,
                            bool ignoreCase) {
    AttributeSpan span;
    const int size = static_cast<int>(text.size());
    if (tagStart < 0 || tagStart >= size) {
        span.insertAt = size;
        return span;
    }
    const AttributeTokens tokens(text);
    int pos = tagStart + 1;
    // A processing instruction ("<?xml ...?>") is scanned like a start tag.
    if (pos < size && text[pos] == u'?') {
        ++pos;
    }
    const Token tagName = tokens.Next(pos, false);
    span.insertAt = tagName.end;
    if (tokens.Ends(tagName)) {
        span.insertAt = tagName.start;
        return span;
    }
    Token t = tokens.Next(pos, false);
    while (!tokens.Ends(t)) {
        span.insertAt = t.end;
        int afterName = pos;
        Token next = tokens.Next(afterName, false);
        const bool hasValue = tokens.Is(next, u'=');
        const bool matches = !tokens.Is(t, u'=') && NameMatches(tokens.View(t), name, ignoreCase);
        if (hasValue) {
            span.insertAt = next.end;
            pos = afterName;
            const Token value = tokens.Next(pos, true);
            if (matches) {
                span.found = true;
                span.hasValue = true;
                SetValue(span, value);
                return span;
            }
            if (value.Length() > 0) {
                span.insertAt = value.end;
            }
            t = tokens.Next(pos, false);
            continue;
        }
        if (matches) {
            // Written without a value: the value is the name itself.
            span.found = true;
            span.hasValue = false;
            span.valueStart = t.start;
            span.valueLength = t.Length();
            span.replaceStart = t.end;
            span.replaceLength = 0;
            return span;
        }
        pos = afterName;
        t = next;
    }
    return span;
}

}  // namespace vesko
