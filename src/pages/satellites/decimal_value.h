#pragma once
// Numbers of the satellite and transponder records as they are read from stored text
// and from what the user typed into a dialog.

#include <optional>
#include <string_view>

namespace vesko {

// The standard messages for a number field that does not hold what it must.
inline constexpr std::u16string_view kEnterInteger = u"Please enter an integer.";
inline constexpr std::u16string_view kEnterIntegerUpTo99999 =
    u"Please enter an integer between 0 and 99999.";

// The value of a stored text: an optional sign and the digits up to the first other
// character; no digits gives 0. A value beyond int stops at INT_MAX or INT_MIN rather
// than wrapping round to an unrelated number.
int ParseDecimal(std::u16string_view text);

// The value of a typed number field: the whole text (spaces around it allowed) must be
// an optional sign and digits within the range of int; nothing otherwise.
std::optional<int> ParseInteger(std::u16string_view text);

}  // namespace vesko
