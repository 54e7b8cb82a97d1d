// The tokenizer classifies one node of the text at a time. It is the inner loop of
// every parse, so it walks raw pointers and never allocates (except for the report
// entry of a malformed node).

#include "xml/tokenizer.h"

#include "xml/result_report.h"
#include "xml/tag_marks.h"
#include "xml/text_chars.h"

namespace vesko {

namespace {

class NodeScanner {
public:
    NodeScanner(std::u16string_view text, int offset, XmlNode& node, std::u16string* report)
        : m_p(text.data()),
          m_size(static_cast<int>(text.size())),
          m_offset(offset),
          m_node(node),
          m_report(report) {
        m_node = XmlNode{};
        m_node.start = offset;
        m_node.nameStart = offset;
        m_node.nameEnd = offset;
    }

    int Scan();

private:
    int ScanCharacterData();
    int ScanMarkup();
    int ScanTag(int kind, int nameStart);
    int ScanDeclaration();
    int ScanDoctype();
    int ScanUntil(int kind, int from, std::u16string_view terminator, std::u16string_view type);

    int Finish(int kind, int end) {
        m_node.kind = kind;
        m_node.length = end - m_offset;
        return kind;
    }
    // A malformed node: reported, then skipped through the next '>'.
    int Error(std::u16string_view word, int from);
    // The text ended inside a node.
    int Unterminated(std::u16string_view type);
    int FindFrom(int from, std::u16string_view what) const;

    const char16_t* m_p;
    int m_size;
    int m_offset;
    XmlNode& m_node;
    std::u16string* m_report;
};

int NodeScanner::Scan() {
    if (m_offset < 0 || m_offset >= m_size) {
        m_node.start = m_offset < 0 ? 0 : m_size;
        m_node.kind = kNodeEnd;
        return kNodeEnd;
    }
    return m_p[m_offset] == u'<' ? ScanMarkup() : ScanCharacterData();
}

int NodeScanner::ScanCharacterData() {
    int i = m_offset;
    while (i < m_size && IsXmlSpace(m_p[i])) {
        ++i;
    }
    if (i == m_size || m_p[i] == u'<') {
        return Finish(kNodeWhitespace, i);
    }
    while (i < m_size && m_p[i] != u'<') {
        ++i;
    }
    return Finish(kNodeText, i);
}

int NodeScanner::ScanMarkup() {
    const int i = m_offset + 1;
    if (i >= m_size) {
        return Unterminated(u"tag");
    }
    const char16_t c = m_p[i];
    if (c == u'/') {
        return ScanTag(kNodeEndTag, i + 1);
    }
    if (c == u'?') {
        m_node.nameStart = i + 1;
        int end = i + 1;
        while (end < m_size && !IsXmlSpace(m_p[end]) && m_p[end] != u'?' && m_p[end] != u'>') {
            ++end;
        }
        m_node.nameEnd = end;
        return ScanUntil(kNodeProcessingInstruction, i + 1, u"?>", u"processing_instruction");
    }
    if (c == u'!') {
        return ScanDeclaration();
    }
    if (IsTagNameStart(c)) {
        return ScanTag(kNodeElement, i);
    }
    return Error(u"first_tag_syntax", i);
}

int NodeScanner::ScanDeclaration() {
    const int i = m_offset + 2;  // after "<!"
    if (i >= m_size) {
        return Unterminated(u"tag");
    }
    const char16_t c = m_p[i];
    if (c == u'-' || c == u'[') {
        if (i + 1 >= m_size) {
            return Unterminated(u"tag");
        }
        if (c == u'-') {
            if (m_p[i + 1] != u'-') {
                return Error(u"comment_tag_syntax", i);
            }
            return ScanUntil(kNodeComment, i + 2, u"-->", u"comment");
        }
        if (m_p[i + 1] != u'C') {
            return Error(u"cdata_section_syntax", i);
        }
        return ScanUntil(kNodeCdata, i + 2, u"]]>", u"cdata_section");
    }
    if (c == u'D') {
        return ScanDoctype();
    }
    return Error(u"exclamation_tag_syntax", i);
}

// A document type declaration ends at the first '>' outside the declarations
// (<!ELEMENT, <!ATTLIST, <!ENTITY, <!NOTATION) nested in its internal subset.
int NodeScanner::ScanDoctype() {
    m_node.nameStart = m_offset + 2;
    int i = m_offset + 2;
    while (i < m_size && !IsXmlSpace(m_p[i]) && m_p[i] != u'>' && m_p[i] != u'[') {
        ++i;
    }
    m_node.nameEnd = i;
    while (i < m_size) {
        const char16_t c = m_p[i];
        if (c == u'>') {
            return Finish(kNodeDoctype, i + 1);
        }
        if (c == u'<' && i + 1 < m_size && m_p[i + 1] == u'!') {
            if (i + 2 >= m_size) {
                return Unterminated(u"document_type");
            }
            const char16_t d = m_p[i + 2];
            if (d != u'A' && d != u'E' && d != u'N') {
                return Error(u"doctype_tag_syntax", i + 2);
            }
            const int close = FindFrom(i + 3, u">");
            if (close < 0) {
                return Unterminated(u"document_type");
            }
            i = close + 1;
            continue;
        }
        ++i;
    }
    return Unterminated(u"document_type");
}

// Start and end tags end at the first '>' outside a quoted attribute value. A quote
// opens a value only in value position (after '=' and optional white space).
int NodeScanner::ScanTag(int kind, int nameStart) {
    int i = nameStart;
    while (i < m_size && !IsXmlSpace(m_p[i]) && m_p[i] != u'/' && m_p[i] != u'>') {
        ++i;
    }
    m_node.nameStart = nameStart;
    m_node.nameEnd = i;
    bool closedInsideUnquoted = false;
    int unquotedStart = 0;
    TagMarks marks(m_p, m_size);
    while (i < m_size) {
        i = marks.NextStop(i);
        if (i >= m_size || m_p[i] == u'>') {
            break;
        }
        ++i;  // after '='
        while (i < m_size && IsXmlSpace(m_p[i])) {
            ++i;
        }
        if (i >= m_size) {
            break;
        }
        const char16_t q = m_p[i];
        if (q == u'"' || q == u'\'') {
            i = marks.NextQuote(i + 1, q);
            if (i < m_size) {
                ++i;
            }
            continue;
        }
        unquotedStart = i;
        while (i < m_size && !IsXmlSpace(m_p[i]) && m_p[i] != u'>') {
            ++i;
        }
        closedInsideUnquoted = i < m_size && m_p[i] == u'>';
    }
    if (i >= m_size) {
        return Unterminated(kind == kNodeElement ? u"start_tag" : u"end_tag");
    }
    if (kind == kNodeElement && i - 1 > m_offset && m_p[i - 1] == u'/') {
        // "<a href=x/>" is an ordinary start tag: the slash belongs to the value.
        const int slash = i - 1;
        bool slashInValue = false;
        if (closedInsideUnquoted && slash >= unquotedStart) {
            const char16_t before = m_p[slash - 1];
            slashInValue = !IsXmlSpace(before) && before != u'"' && before != u'\'';
        }
        m_node.emptyElement = !slashInValue;
    }
    return Finish(kind, i + 1);
}

int NodeScanner::ScanUntil(int kind, int from, std::u16string_view terminator,
                           std::u16string_view type) {
    const int at = FindFrom(from, terminator);
    if (at < 0) {
        return Unterminated(type);
    }
    return Finish(kind, at + static_cast<int>(terminator.size()));
}

int NodeScanner::FindFrom(int from, std::u16string_view what) const {
    const std::u16string_view rest(m_p, static_cast<size_t>(m_size));
    if (from > m_size) {
        return -1;
    }
    const size_t at = rest.find(what, static_cast<size_t>(from));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int NodeScanner::Error(std::u16string_view word, int from) {
    if (m_report) {
        AddResultEntry(*m_report, word, {}, 0, m_offset);
    }
    const int close = FindFrom(from, u">");
    return Finish(kNodeError, close < 0 ? m_size : close + 1);
}

int NodeScanner::Unterminated(std::u16string_view type) {
    if (m_report) {
        AddResultEntry(*m_report, u"unterminated_tag_syntax", type, kRptType, m_offset);
    }
    return Finish(kNodeError, m_size);
}

}  // namespace

int ScanNextNode(std::u16string_view text, int offset, XmlNode& node, std::u16string* report) {
    return NodeScanner(text, offset, node, report).Scan();
}

}  // namespace vesko
