// Reading an attribute scans its start tag in the text; there is no attribute
// table. The same walk of the tag serves reading (GetAttribute) and writing
// (SetAttribute), so both always agree on where a value stands.

#include <algorithm>

#include "xml/attribute_walk.h"
#include "xml/text_chars.h"
#include "xml/tokenizer.h"

namespace vesko {

namespace {

// What a wanted name may go on with after a matching name: a path or an index.
bool MayFollowName(char16_t c) {
    return c == u' ' || c == u'/' || c == u'=' || c == u'[' || c == u']';
}

}  // namespace

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
    return MayFollowName(wanted[n]);
}

bool IsPlainName(std::u16string_view wanted) {
    return std::none_of(wanted.begin(), wanted.end(), MayFollowName);
}

namespace {

// The first attribute whose name `matches`: the one every reader of a name takes.
template <class Matches>
AttributeSpan FindAttribute(std::u16string_view text, int tagStart, Matches matches) {
    AttributeSpan span;
    span.insertAt = WalkAttributes(text, tagStart, [&](const WalkedAttribute& attribute) {
        if (!matches(attribute.name)) {
            return true;
        }
        span.found = true;
        span.hasValue = attribute.hasValue;
        span.valueStart = attribute.valueStart;
        span.valueLength = attribute.valueLength;
        span.replaceStart = attribute.replaceStart;
        span.replaceLength = attribute.replaceLength;
        return false;
    });
    return span;
}

}  // namespace

AttributeSpan ScanAttribute(std::u16string_view text, int tagStart, std::u16string_view name,
                            bool ignoreCase) {
    if (!ignoreCase && IsPlainName(name)) {
        return FindAttribute(text, tagStart,
                             [name](std::u16string_view attribute) { return attribute == name; });
    }
    return FindAttribute(text, tagStart, [name, ignoreCase](std::u16string_view attribute) {
        return NameMatches(attribute, name, ignoreCase);
    });
}

}  // namespace vesko
