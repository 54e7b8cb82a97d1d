// Navigation moves the three positions (parent, current, child) along the links of
// the index; reading an attribute scans the current start tag in the text.

#include <algorithm>

#include "xml/text_chars.h"
#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

bool EndsFindName(char16_t c) {
    return IsXmlSpace(c) || c == u'!' || c == u'"' || c == u'\'' || c == u'/' || c == u';' ||
           c == u'<' || c == u'=' || c == u'>' || c == u'?' || c == u'\\';
}

// A wanted name is a plain name, optionally followed by predicates ("[...]") or
// further steps ("/..."), which are accepted but not evaluated. Anything else
// after the name makes it invalid.
bool IsValidWantedName(std::u16string_view wanted) {
    if (wanted.front() == u'/') {
        return false;
    }
    size_t i = 0;
    while (i < wanted.size() && !EndsFindName(wanted[i]) && wanted[i] != u'[' &&
           wanted[i] != u']') {
        ++i;
    }
    return i == wanted.size() || wanted[i] == u'[' || wanted[i] == u'/';
}

}  // namespace

// The tag name as the find operations see it: white space after '<' is skipped.
std::u16string_view CXmlDoc::FindName(int record) const {
    const ElementRecord& r = m_index[record];
    const int size = static_cast<int>(m_text.size());
    int i = r.start + 1;
    while (i < size && IsXmlSpace(m_text[i])) {
        ++i;
    }
    const int nameStart = i;
    while (i < size && !EndsFindName(m_text[i])) {
        ++i;
    }
    if (nameStart >= size) {
        return {};
    }
    return std::u16string_view(m_text).substr(nameStart, i - nameStart);
}

int CXmlDoc::FindSibling(int first, std::u16string_view wanted) const {
    if (wanted.empty()) {
        return first;
    }
    if (!IsValidWantedName(wanted)) {
        return 0;
    }
    const bool ignoreCase = (m_flags & kDocIgnoreCase) != 0;
    for (int n = first; n != 0; n = m_index[n].next) {
        if (NameMatches(FindName(n), wanted, ignoreCase)) {
            return n;
        }
    }
    return 0;
}

bool CXmlDoc::FindElement(std::u16string_view name) {
    if (InStreamMode() || m_index.Size() == 0 || m_nextFree <= 1) {
        return false;
    }
    const int first =
        m_currentPos != 0 ? m_index[m_currentPos].next : m_index[m_parentPos].firstChild;
    const int found = FindSibling(first, name);
    if (found == 0) {
        return false;
    }
    m_currentPos = found;
    m_parentPos = m_index[found].parent;
    m_childPos = 0;
    return true;
}

bool CXmlDoc::FindChildElement(std::u16string_view name) {
    if (InStreamMode()) {
        return false;
    }
    if (m_currentPos == 0 && !FindElement()) {
        return false;
    }
    const int first = m_childPos != 0 ? m_index[m_childPos].next : m_index[m_currentPos].firstChild;
    const int found = FindSibling(first, name);
    if (found == 0) {
        return false;
    }
    m_childPos = found;
    m_currentPos = m_index[found].parent;
    m_parentPos = m_index[m_currentPos].parent;
    return true;
}

bool CXmlDoc::IntoElement() {
    if (InStreamMode() || m_currentPos == 0) {
        return false;
    }
    m_parentPos = m_currentPos;
    m_currentPos = m_childPos;
    m_childPos = 0;
    return true;
}

bool CXmlDoc::OutOfElement() {
    if (InStreamMode() || m_parentPos == 0) {
        return false;
    }
    m_childPos = m_currentPos;
    m_currentPos = m_parentPos;
    m_parentPos = m_index[m_parentPos].parent;
    return true;
}

void CXmlDoc::ResetPosition() {
    if (InStreamMode()) {
        return;
    }
    m_currentPos = 0;
    m_childPos = 0;
}

int CXmlDoc::StartTagLength(int record) const {
    const ElementRecord& r = m_index[record];
    if (r.StartTagLength() < ElementRecord::kMaxStartTag) {
        return r.StartTagLength();
    }
    XmlNode tag;
    ScanNextNode(m_text, r.start, tag, nullptr);
    return tag.length;
}

std::u16string_view CXmlDoc::StartTagView(int record) const {
    const ElementRecord& r = m_index[record];
    const size_t size = m_text.size();
    const size_t end = std::min(size, static_cast<size_t>(r.start) + StartTagLength(record));
    return std::u16string_view(m_text).substr(0, end);
}

std::u16string CXmlDoc::GetAttribute(std::u16string_view name) const {
    return GetAttributeOf(m_currentPos, name);
}

std::u16string CXmlDoc::GetAttributeOf(int record, std::u16string_view name) const {
    if (InStreamMode() || record <= 0 || name.empty()) {
        return {};
    }
    // The walk stops at the first attribute of that name: the one that counts.
    const AttributeSpan span = ScanAttribute(StartTagView(record), m_index[record].start, name,
                                             (m_flags & kDocIgnoreCase) != 0);
    if (!span.found) {
        return {};
    }
    return DecodeEntities(std::u16string_view(m_text).substr(span.valueStart, span.valueLength),
                          m_flags);
}

}  // namespace vesko
