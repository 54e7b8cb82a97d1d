#pragma once
// The result report: a small XML text of empty elements, one per entry, that
// describes the last parse, load or save of a document.

#include <string>
#include <string_view>

namespace vesko {

enum ReportKind : int {
    kRptCount = 0x1,     // number becomes `count`
    kRptType = 0x2,      // text becomes `type`
    kRptN = 0x4,         // number becomes `n`
    kRptEncoding = 0x8,  // text becomes `encoding`
    kRptLength = 0x10,   // number becomes `length`
    kRptAppend = 0x20,   // add the attributes to an existing entry of that name
    kRptMsg = 0x40,      // text becomes `msg`
};

// Longest report kept; entries beyond it are dropped.
constexpr size_t kMaxReportLength = 999;

// Adds one entry named `word`. An empty text adds no text attribute; a number of -1
// adds no number attribute.
void AddResultEntry(std::u16string& report, std::u16string_view word, std::u16string_view text = {},
                    int kind = 0, int number = -1, int number2 = -1);

}  // namespace vesko
