#pragma once
// The token rules of a start tag's attributes, kept in one place: every reader of
// attributes (GetAttribute, SetAttribute, the batch readers) walks a tag through
// WalkAttributes, so they always agree on where a name and its value stand.

#include <string_view>

#include "xml/text_chars.h"

namespace vesko {

// One attribute of a start tag, as offsets into the scanned text.
struct WalkedAttribute {
    std::u16string_view name;
    bool hasValue = false;  // written as name=value (not as a bare name)
    int valueStart = 0;     // raw value, quotes excluded; a bare name is its own value
    int valueLength = 0;
    int replaceStart = 0;  // value with its quotes (after a bare name: empty), to be replaced
    int replaceLength = 0;
};

namespace attribute_walk {

struct Token {
    int start = 0;
    int end = 0;
    bool quoted = false;
    bool closed = false;  // a quoted token that found its closing quote

    int Length() const { return end - start; }
    int ValueStart() const { return quoted ? start + 1 : start; }
    int ValueLength() const { return Length() - (quoted ? 1 : 0) - (closed ? 1 : 0); }
};

// '/', '=', '>' and '?' end a name and are tokens of their own.
constexpr bool IsDelimiter(char16_t c) {
    return c == u'/' || c == u'=' || c == u'>' || c == u'?';
}

// An unquoted token ends at white space or a delimiter, a value only at white space
// or '>'.
template <bool kValuePosition>
constexpr bool EndsToken(char16_t c) {
    return IsXmlSpace(c) || (kValuePosition ? c == u'>' : IsDelimiter(c));
}

// One attribute read, with where a new attribute would go if the walk stopped at it
// (`stopAt`) or went on past it (`after`).
struct Step {
    WalkedAttribute attribute;
    int stopAt = 0;
    int after = 0;
};

enum class StepKind { kEnd, kAttribute, kStray };

class Tokens {
public:
    explicit Tokens(std::u16string_view text)
        : m_p(text.data()), m_size(static_cast<int>(text.size())) {}

    int Size() const { return m_size; }

    // Next token from `pos`. A quote opens a token that runs to the same quote; in
    // value position only white space and '>' end an unquoted token, elsewhere the
    // delimiters end it and are tokens of their own.
    template <bool kValuePosition>
    [[gnu::always_inline]] Token Next(int& pos) const {
        pos = SkipSpace(pos);
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
        } else if (!kValuePosition && IsDelimiter(first)) {
            t.end = pos + 1;
        } else {
            int i = pos;
            while (i < m_size && !EndsToken<kValuePosition>(m_p[i])) {
                ++i;
            }
            t.end = i;
        }
        pos = t.end;
        return t;
    }

    bool Is(const Token& t, char16_t c) const { return t.Length() == 1 && m_p[t.start] == c; }
    // The tag is over at its end, at '/', '>' or '?', or where the text runs out.
    bool Ends(const Token& t) const {
        return t.Length() == 0 || Is(t, u'/') || Is(t, u'>') || Is(t, u'?');
    }
    std::u16string_view View(const Token& t) const {
        return {m_p + t.start, static_cast<size_t>(t.Length())};
    }

    // The usual attribute, name="value" or name='value' (white space around '=' at
    // most), read from `pos` in one tight pass: what TokenStep makes of it. Anything
    // else (a bare name, an unquoted or unclosed value, the end of the tag) returns
    // false with `pos` left alone, for TokenStep to read.
    [[gnu::always_inline]] bool QuotedStep(int& pos, Step& step) const {
        int i = SkipSpace(pos);
        const int nameStart = i;
        if (i >= m_size || EndsToken<false>(m_p[i]) || m_p[i] == u'"' || m_p[i] == u'\'') {
            return false;
        }
        while (i < m_size && !EndsToken<false>(m_p[i])) {
            ++i;
        }
        const int nameEnd = i;
        i = SkipSpace(i);
        if (i >= m_size || m_p[i] != u'=') {
            return false;
        }
        step.stopAt = i + 1;
        i = SkipSpace(i + 1);
        if (i >= m_size || (m_p[i] != u'"' && m_p[i] != u'\'')) {
            return false;
        }
        const char16_t quote = m_p[i];
        const int valueStart = i + 1;
        i = valueStart;
        while (i < m_size && m_p[i] != quote) {
            ++i;
        }
        if (i >= m_size) {
            return false;
        }
        step.attribute = {{m_p + nameStart, static_cast<size_t>(nameEnd - nameStart)},
                          true,
                          valueStart,
                          i - valueStart,
                          valueStart - 1,
                          i + 2 - valueStart};
        pos = step.after = i + 1;
        return true;
    }

    // Any attribute from `pos`, token by token. A bare name leaves `pos` after the
    // name, so that what follows it is read again as the next attribute.
    StepKind TokenStep(int& pos, Step& step) const {
        const Token t = Next<false>(pos);
        if (Ends(t)) {
            return StepKind::kEnd;
        }
        int afterName = pos;
        const Token next = Next<false>(afterName);
        if (Is(next, u'=')) {
            pos = afterName;
            const Token value = Next<true>(pos);
            step.attribute = {View(t),     true,          value.ValueStart(), value.ValueLength(),
                              value.start, value.Length()};
            step.stopAt = next.end;
            step.after = value.Length() > 0 ? value.end : next.end;
        } else {
            // Written without a value: the value is the name itself.
            step.attribute = {View(t), false, t.start, t.Length(), t.end, 0};
            step.stopAt = step.after = t.end;
        }
        // A stray '=' where a name belongs is walked over but is no attribute.
        return Is(t, u'=') ? StepKind::kStray : StepKind::kAttribute;
    }

private:
    int SkipSpace(int pos) const {
        while (pos < m_size && IsXmlSpace(m_p[pos])) {
            ++pos;
        }
        return pos;
    }

    const char16_t* m_p;
    int m_size;
};

}  // namespace attribute_walk

// Walks the attributes of the start tag whose '<' is at `tagStart` in `text` (a
// processing instruction "<?xml ...?>" walks alike), in tag order. `visit(const
// WalkedAttribute&)` gets each one and returns false to stop there. Returns where a
// new attribute would go: after the last token walked.
template <class Visit>
int WalkAttributes(std::u16string_view text, int tagStart, Visit&& visit) {
    using attribute_walk::Token;
    const attribute_walk::Tokens tokens(text);
    const int size = tokens.Size();
    if (tagStart < 0 || tagStart >= size) {
        return size;
    }
    int pos = tagStart + 1;
    if (pos < size && text[static_cast<size_t>(pos)] == u'?') {
        ++pos;
    }
    const Token tagName = tokens.Next<false>(pos);
    if (tokens.Ends(tagName)) {
        return tagName.start;
    }
    int insertAt = tagName.end;
    for (;;) {
        attribute_walk::Step step;
        // Most attributes are written name="value": the quoted step reads those in
        // one pass, the token step the rest.
        if (!tokens.QuotedStep(pos, step)) {
            const attribute_walk::StepKind kind = tokens.TokenStep(pos, step);
            if (kind == attribute_walk::StepKind::kEnd) {
                return insertAt;
            }
            if (kind == attribute_walk::StepKind::kStray) {
                insertAt = step.after;
                continue;
            }
        }
        if (!visit(step.attribute)) {
            return step.stopAt;
        }
        insertAt = step.after;
    }
}

}  // namespace vesko
