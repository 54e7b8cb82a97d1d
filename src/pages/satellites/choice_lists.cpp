#include "pages/satellites/choice_lists.h"

namespace vesko {

namespace {

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool BeginsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (LowerAscii(text[k]) != LowerAscii(prefix[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int MatchChoice(ChoiceItems items, std::u16string_view stored) {
    if (stored.empty() || items.empty()) {
        return -1;
    }
    const std::size_t count = items.size();
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t k = (1 + step) % count;
        if (BeginsWithIgnoringCase(items[k], stored)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

}  // namespace vesko
