#pragma once
// The named character references: the HTML 4.01 entities plus "apos".

#include <span>
#include <string_view>

namespace vesko {

// Character code of a lowercase entity name; 0 when there is none. Where two
// entities differ only in case (Oslash/oslash, Delta/delta, ...) this gives the
// capital form's code, since the table stores both under the lowercase name.
int LookupEntity(std::u16string_view lowercaseName);

// Character code of an entity name written in any case; 0 when there is none.
// Unlike LookupEntity it tells the case twins apart: a name with a capital letter
// gives the capital form, an all-lowercase name the small one (&oslash; is U+00F8).
// Names without a twin still match in any case (&AMP; is '&').
int LookupEntityExact(std::u16string_view name);

// The packed hash buckets themselves, for checks of the table's shape.
std::span<const char16_t* const> EntityBuckets();

}  // namespace vesko
