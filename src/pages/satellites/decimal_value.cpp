#include "pages/satellites/decimal_value.h"

#include <algorithm>
#include <climits>

namespace vesko {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Sign and digits from `at`; `at` ends after the last digit. The value saturates one
// step beyond int so that the caller can tell an overflow.
long long ReadSignedDigits(std::u16string_view text, std::size_t& at, bool& anyDigit) {
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 2;
    long long value = 0;
    anyDigit = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        value = std::min(value * 10 + (text[at] - u'0'), kLimit);
        anyDigit = true;
    }
    return negative ? -value : value;
}

}  // namespace

int ParseDecimal(std::u16string_view text) {
    std::size_t at = 0;
    bool anyDigit = false;
    const long long value = ReadSignedDigits(text, at, anyDigit);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::optional<int> ParseInteger(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == u' ') {
        ++at;
    }
    bool anyDigit = false;
    const long long value = ReadSignedDigits(text, at, anyDigit);
    while (at < text.size() && text[at] == u' ') {
        ++at;
    }
    if (!anyDigit || at != text.size() || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace vesko
