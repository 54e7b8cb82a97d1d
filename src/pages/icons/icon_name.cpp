#include "pages/icons/icon_name.h"

#include <limits>

namespace vesko {

namespace {

// Orbital positions west of Greenwich are stored below 0; the receiver names them by
// their place on the full circle of 3600 tenths.
constexpr long long kFullCircle = 3600;

std::u16string Hex(long long value) {
    // The receiver writes the numbers as unsigned 32-bit values.
    auto bits = static_cast<unsigned long>(static_cast<unsigned int>(value));
    if (bits == 0) {
        return u"0";
    }
    std::u16string digits;
    for (; bits != 0; bits /= 16) {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[bits % 16]);
    }
    return digits;
}

}  // namespace

long long ReadDecimal(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        if (value > (std::numeric_limits<long long>::max() - 9) / 10) {
            break;  // far beyond any number the files hold
        }
        value = value * 10 + (text[at] - u'0');
    }
    return negative ? -value : value;
}

std::u16string IconFileName(std::u16string_view serviceId, std::u16string_view position,
                            std::u16string_view frequency, std::u16string_view polarization) {
    long long orbit = ReadDecimal(position);
    if (orbit < 0) {
        orbit += kFullCircle;
    }
    std::u16string name(kKeyNamePrefix);
    name += Hex(orbit);
    name += u'_';
    name += Hex(ReadDecimal(frequency));
    name += polarization == u"H" ? u"_0_" : u"_1_";
    name += Hex(ReadDecimal(serviceId));
    name += u".jpg";
    return name;
}

bool IsPlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..") {
        return false;
    }
    for (const char16_t c : name) {
        // Both separators count: a name from the receiver may be read on any system.
        if (c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace vesko
