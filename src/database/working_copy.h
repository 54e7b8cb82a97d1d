#pragma once
// How a page reads and writes a working copy: a fresh document per operation, read and
// written through the process's WorkingCopies (atomic, checked, versioned writes; a copy
// that cannot be read is a failure that keeps it from being written over).

#include <filesystem>
#include <string_view>
#include <vector>

#include "database/working_copies.h"
#include "xml/xml_doc.h"

namespace vesko {

inline FileResult LoadWorkingCopy(CXmlDoc& doc, std::string_view name) {
    return WorkingCopies::Current().Load(doc, name);
}

inline FileResult SaveWorkingCopy(CXmlDoc& doc, std::string_view name) {
    return WorkingCopies::Current().Save(doc, name);
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

// Record numbers of the children named `name` of the root element, in file order. The
// walk only finds them, without stepping into each: a file of ten thousand services is
// listed at a third of the cost.
inline std::vector<int> RootChildren(CXmlDoc& doc, std::u16string_view name) {
    std::vector<int> records;
    doc.ResetPosition();
    while (doc.FindChildElement(name))
        records.push_back(doc.GetChildPos());
    return records;
}

}  // namespace vesko
