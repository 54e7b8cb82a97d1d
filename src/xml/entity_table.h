#pragma once
// The named character references: the HTML 4.01 entities plus "apos".

#include <string_view>

namespace vesko {

// Character code of a lowercase entity name; 0 when there is none.
int LookupEntity(std::u16string_view lowercaseName);

}  // namespace vesko
