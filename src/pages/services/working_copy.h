#pragma once
// How a page reads and writes a working copy: a fresh document per operation, and a
// missing or unreadable file reads as an empty document, so lists come out empty
// rather than failing.

#include <filesystem>
#include <string_view>
#include <vector>

#include "xml/xml_doc.h"

namespace vesko {

inline void LoadWorkingCopy(CXmlDoc& doc, const std::filesystem::path& name) {
    doc.SetDoc(static_cast<const char16_t*>(nullptr));
    doc.Load(name);
}

inline bool SaveWorkingCopy(CXmlDoc& doc, const std::filesystem::path& name) {
    return doc.Save(name);
}

// Puts a rebuilt text into a document as if it had been edited in place: the mode flags
// (byte-order mark, UTF-16) stay, so it is saved in the file's own encoding.
inline void ReplaceDocumentText(CXmlDoc& doc, std::u16string_view text) {
    const uint32_t flags = doc.GetDocFlags();
    doc.SetDoc(text);
    doc.SetDocFlags(flags);
}

// Calls `visit(record)` for every child named `name` of the current element (of the
// root element when the document's positions are all 0), with that child as the
// current element while `visit` runs. `visit` returns false to stop the walk.
template <class Visit>
void ForEachChild(CXmlDoc& doc, std::u16string_view name, Visit&& visit) {
    while (doc.FindChildElement(name)) {
        doc.IntoElement();
        const bool more = visit(doc.GetCurrentPos());
        doc.OutOfElement();
        if (!more)
            break;
    }
}

// Record numbers of the children named `name` of the root element, in file order.
inline std::vector<int> RootChildren(CXmlDoc& doc, std::u16string_view name) {
    std::vector<int> records;
    doc.ResetPosition();
    ForEachChild(doc, name, [&](int record) {
        records.push_back(record);
        return true;
    });
    return records;
}

}  // namespace vesko
