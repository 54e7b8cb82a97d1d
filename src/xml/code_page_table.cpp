// Encoding name -> code page number, through the generated hash table.

#include "xml/code_page_table.h"

#include "xml/encoding.h"
#include "xml/text_chars.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

#include "xml/code_page_rows.inc"

constexpr int kRowHeader = 7;  // two length digits + five code page digits
// Longer names cannot be in the table; refusing them early also keeps the
// hash sum far from overflow on hostile input.
constexpr size_t kLongestName = 99;

int Digits(const char16_t* p, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 10 + (p[i] - u'0');
    }
    return value;
}

bool RowNameEquals(const char16_t* row, int rowLength, std::u16string_view name) {
    if (rowLength != static_cast<int>(name.size())) {
        return false;
    }
    for (int i = 0; i < rowLength; ++i) {
        if (row[kRowHeader + i] != AsciiLower(name[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int CXmlDoc::LookupCodePage(std::u16string_view name) {
    if (name.empty()) {
        return kCodePageAnsi;
    }
    // Only the exact upper-case spelling is taken as the engine's own UTF-32
    // number; the table's lowercase "utf-32" rows name Windows' 12000.
    if (name.substr(0, 6) == u"UTF-32") {
        return kCodePageUtf32;
    }
    if (name.size() > kLongestName) {
        return -1;
    }
    unsigned sum = 0;
    for (char16_t c : name) {
        sum += AsciiLower(c);
    }
    const char16_t* row = kCodePageBuckets[sum % kCodePageBucketsCount];
    while (*row != 0) {
        const int rowLength = Digits(row, 2);
        if (RowNameEquals(row, rowLength, name)) {
            return Digits(row + 2, 5);
        }
        row += kRowHeader + rowLength;
    }
    return -1;
}

std::span<const char16_t* const> CodePageBuckets() {
    return kCodePageBuckets;
}

}  // namespace vesko
