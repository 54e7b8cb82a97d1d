// Lookup in the generated entity table: one hash, then a walk over the packed
// rows of one bucket ("<length digit><4-digit code><lowercase name>").

#include "xml/entity_table.h"

#include "xml/text_chars.h"

namespace vesko {
namespace {

#include "xml/entity_rows.inc"

constexpr int kRowHeader = 5;  // length digit + four code digits

int BucketOf(std::u16string_view name) {
    unsigned sum = 0;
    for (char16_t c : name) {
        sum += AsciiLower(c);
    }
    return static_cast<int>(sum % kEntityBucketsCount);
}

int CodeOfRow(const char16_t* row) {
    int code = 0;
    for (int i = 1; i < kRowHeader; ++i) {
        code = code * 10 + (row[i] - u'0');
    }
    return code;
}

bool RowNameEquals(const char16_t* row, std::u16string_view name) {
    const int length = row[0] - u'0';
    if (length != static_cast<int>(name.size())) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if (row[kRowHeader + i] != AsciiLower(name[i])) {
            return false;
        }
    }
    return true;
}

const char16_t* NextRow(const char16_t* row) {
    return row + kRowHeader + (row[0] - u'0');
}

// First row of the name's bucket whose name equals `name` (compared in lowercase).
const char16_t* FindRow(std::u16string_view name) {
    if (name.empty() || name.size() > 9) {
        return nullptr;
    }
    for (const char16_t* row = kEntityBuckets[BucketOf(name)]; *row != 0; row = NextRow(row)) {
        if (RowNameEquals(row, name)) {
            return row;
        }
    }
    return nullptr;
}

bool IsAllLowercase(std::u16string_view name) {
    for (char16_t c : name) {
        if (c >= u'A' && c <= u'Z') {
            return false;
        }
    }
    return true;
}

}  // namespace

int LookupEntity(std::u16string_view lowercaseName) {
    const char16_t* row = FindRow(lowercaseName);
    return row ? CodeOfRow(row) : 0;
}

int LookupEntityExact(std::u16string_view name) {
    const char16_t* row = FindRow(name);
    if (!row) {
        return 0;
    }
    // Case twins sit next to each other, capital form first.
    const char16_t* twin = NextRow(row);
    if (*twin != 0 && RowNameEquals(twin, name) && IsAllLowercase(name)) {
        return CodeOfRow(twin);
    }
    return CodeOfRow(row);
}

std::span<const char16_t* const> EntityBuckets() {
    return kEntityBuckets;
}

}  // namespace vesko
