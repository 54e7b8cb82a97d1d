#pragma once
// Numbers as the database writes them: decimal, no leading zeros, a minus sign only
// for negative values.

#include <string>

namespace vesko {

inline std::u16string DecimalText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace vesko
