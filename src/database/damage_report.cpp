#include "database/damage_report.h"

#include <algorithm>
#include <string_view>

#include "database/working_copy.h"
#include "xml/decimal_text.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Line of an offset of the document text, counted from 1.
std::u16string LineOf(const std::u16string& text, std::u16string_view offset) {
    int at = 0;
    for (const char16_t c : offset) {
        if (c < u'0' || c > u'9') {
            return {};
        }
        at = std::min(at * 10 + (c - u'0'), static_cast<int>(text.size()));
    }
    const auto line = 1 + std::count(text.begin(), text.begin() + at, u'\n');
    return u"line " + DecimalText(static_cast<int>(line)) + u": ";
}

std::u16string_view ConstructName(std::u16string_view type) {
    static constexpr std::pair<std::u16string_view, std::u16string_view> kNames[] = {
        {u"start_tag", u"a start tag"},
        {u"end_tag", u"an end tag"},
        {u"comment", u"a comment"},
        {u"processing_instruction", u"a processing instruction"},
        {u"cdata_section", u"a CDATA section"},
        {u"document_type", u"a document type declaration"},
    };
    for (const auto& [word, name] : kNames) {
        if (word == type) {
            return name;
        }
    }
    return u"a tag";
}

// One entry of the report in words; empty for entries that are no damage.
std::u16string DescribeEntry(const CXmlDoc& report, int record, const std::u16string& text) {
    // The view runs from the start of the text; the report escapes '<' in its values.
    std::u16string_view tag = report.StartTagView(record);
    tag = tag.substr(tag.rfind(u'<') + 1);
    tag = tag.substr(0, std::min(tag.find_first_of(u" />"), tag.size()));
    const std::u16string where = LineOf(text, report.GetAttributeOf(record, u"offset"));
    const std::u16string name = report.GetAttributeOf(record, u"tagname");
    if (tag == u"unended_start_tag") {
        const bool atEnd =
            report.GetAttributeOf(record, u"offset2") == DecimalText(static_cast<int>(text.size()));
        return where + u"<" + name + u"> is never closed" +
               (atEnd ? u" (the file ends before it)" : u"");
    }
    if (tag == u"lone_end_tag") {
        return where + u"</" + name + u"> closes nothing";
    }
    if (tag == u"unterminated_tag_syntax") {
        return where + u"the file ends inside " +
               std::u16string(ConstructName(report.GetAttributeOf(record, u"type")));
    }
    if (tag == u"no_root_element") {
        return u"no element at all";
    }
    if (tag == u"root_has_sibling") {
        return u"more than one top-level element";
    }
    if (tag.ends_with(u"_syntax")) {
        return where + u"unreadable markup";
    }
    return {};
}

}  // namespace

std::u16string DescribeDamage(const CXmlDoc& doc) {
    if (doc.IsWellFormed()) {
        return {};
    }
    CXmlDoc report;
    report.SetDoc(u"<report>" + doc.GetResult() + u"</report>");
    std::u16string words;
    report.ResetPosition();
    ForEachChild(report, {}, [&](int record) {
        words = DescribeEntry(report, record, doc.GetDoc());
        return words.empty();
    });
    return words.empty() ? u"not well-formed" : words;
}

}  // namespace vesko
