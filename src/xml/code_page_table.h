#pragma once
// The encoding-name table behind CXmlDoc::LookupCodePage.

#include <span>

namespace vesko {

// The packed hash buckets ("<2-digit length><5-digit code page><lowercase name>"),
// for checks of the table's shape.
std::span<const char16_t* const> CodePageBuckets();

}  // namespace vesko
