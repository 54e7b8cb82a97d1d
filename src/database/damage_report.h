#pragma once
// Where a damaged database file goes wrong, in words for the user: the first problem
// the engine's report names, with its line ("line 812: <prog> is never closed").

#include <string>

namespace vesko {

class CXmlDoc;

// For a document whose Load found it not well-formed; empty for a sound one.
std::u16string DescribeDamage(const CXmlDoc& doc);

}  // namespace vesko
