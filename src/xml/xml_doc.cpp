// The document object: its life cycle, SetDoc and the well-formedness verdict.

#include "xml/xml_doc.h"

#include <cstdint>

namespace vesko {

CXmlDoc::CXmlDoc() = default;

CXmlDoc::CXmlDoc(const CXmlDoc& other)
    : m_text(other.m_text),
      m_result(other.m_result),
      m_parentPos(other.m_parentPos),
      m_currentPos(other.m_currentPos),
      m_childPos(other.m_childPos),
      m_nextFree(other.m_nextFree),
      m_deletedHead(other.m_deletedHead),
      m_flags(other.m_flags),
      m_index(other.m_index) {
    m_index.Grow(0, 8);
}

CXmlDoc& CXmlDoc::operator=(const CXmlDoc& other) {
    if (this == &other || InStreamMode() || other.InStreamMode()) {
        return *this;
    }
    m_text = other.m_text;
    m_result = other.m_result;
    m_parentPos = other.m_parentPos;
    m_currentPos = other.m_currentPos;
    m_childPos = other.m_childPos;
    m_nextFree = other.m_nextFree;
    m_deletedHead = other.m_deletedHead;
    m_flags = other.m_flags;
    m_index = other.m_index;
    m_index.Grow(0, 8);
    return *this;
}

CXmlDoc::~CXmlDoc() = default;

bool CXmlDoc::SetDoc(const char16_t* text) {
    if (InStreamMode()) {
        return false;
    }
    if (text == nullptr) {
        m_index.Release();
        return SetDoc(std::u16string_view{});
    }
    return SetDoc(std::u16string_view(text));
}

bool CXmlDoc::SetDoc(std::u16string_view text) {
    // Offsets are ints throughout the index.
    if (InStreamMode() || text.size() >= static_cast<size_t>(INT32_MAX)) {
        return false;
    }
    m_text.assign(text);
    m_result.clear();
    ParseDocument();
    return IsWellFormed();
}

bool CXmlDoc::IsWellFormed() const {
    if (m_flags & kDocWriteFile) {
        return true;
    }
    if (m_index.Size() == 0) {
        return false;
    }
    const ElementRecord& doc = m_index[0];
    if (doc.flags & kRecIllFormed) {
        return false;
    }
    return doc.firstChild != 0 && m_index[doc.firstChild].next == 0;
}

}  // namespace vesko
