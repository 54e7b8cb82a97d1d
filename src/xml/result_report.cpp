// The result report is itself a tiny XML text so that callers can read it with the
// same engine; each entry is one empty element written without line breaks.

#include "xml/result_report.h"

#include "xml/decimal_text.h"
#include "xml/xml_doc.h"

#include <string>

namespace vesko {

namespace {

std::u16string_view TextAttributeName(int kind) {
    if (kind & kRptType)
        return u"type";
    if (kind & kRptEncoding)
        return u"encoding";
    if (kind & kRptMsg)
        return u"msg";
    return u"tagname";
}

std::u16string_view NumberAttributeName(int kind) {
    if (kind & kRptN)
        return u"n";
    if (kind & kRptCount)
        return u"count";
    if (kind & kRptLength)
        return u"length";
    return u"offset";
}

void AppendNumber(std::u16string& out, int number) {
    out += DecimalText(number);
}

// Attribute values come from the document (tag names) or the system (messages),
// so markup characters in them are escaped to keep the report readable XML.
void AppendEscaped(std::u16string& out, std::u16string_view value) {
    out += CXmlDoc::EscapeText(value, kEditAttribute);
}

void AppendAttribute(std::u16string& out, std::u16string_view name, std::u16string_view value,
                     bool number) {
    out += u' ';
    out += name;
    out += u"=\"";
    if (number) {
        out += value;
    } else {
        AppendEscaped(out, value);
    }
    out += u'"';
}

std::u16string BuildAttributes(std::u16string_view text, int kind, int number, int number2) {
    std::u16string attrs;
    if (!text.empty()) {
        AppendAttribute(attrs, TextAttributeName(kind), text, false);
    }
    if (number != -1) {
        std::u16string digits;
        AppendNumber(digits, number);
        AppendAttribute(attrs, NumberAttributeName(kind), digits, true);
    }
    if (number2 != -1) {
        std::u16string digits;
        AppendNumber(digits, number2);
        AppendAttribute(attrs, u"offset2", digits, true);
    }
    return attrs;
}

// Offset of the "/>" that closes the first entry named `word`, or npos.
size_t FindEntryEnd(const std::u16string& report, std::u16string_view word) {
    size_t at = 0;
    while ((at = report.find(u'<', at)) != std::u16string::npos) {
        const size_t nameEnd = at + 1 + word.size();
        if (report.compare(at + 1, word.size(), word) == 0 && nameEnd < report.size() &&
            (report[nameEnd] == u' ' || report[nameEnd] == u'/')) {
            return report.find(u"/>", nameEnd);
        }
        ++at;
    }
    return std::u16string::npos;
}

}  // namespace

void AddResultEntry(std::u16string& report, std::u16string_view word, std::u16string_view text,
                    int kind, int number, int number2) {
    if (report.size() > kMaxReportLength) {
        return;
    }
    const std::u16string attrs = BuildAttributes(text, kind, number, number2);
    if (kind & kRptAppend) {
        const size_t end = FindEntryEnd(report, word);
        if (end != std::u16string::npos) {
            report.insert(end, attrs);
            return;
        }
    }
    report += u'<';
    report += word;
    report += attrs;
    report += u"/>";
}

}  // namespace vesko
