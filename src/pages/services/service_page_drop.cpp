// Drag and drop on the service lists: after the list control moved the dragged rows
// into one block, the programme working copy is brought into the order of the list.

#include <string>
#include <unordered_map>
#include <vector>

#include "pages/services/element_splicer.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "pages/services/working_copy.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Which rows a drop re-places: `count` rows from `first` (the block, with the row below
// it, or with the row above it when the block ends the list) after the row `first` - 1.
struct DropWindow {
    int first = 0;
    int count = 0;  // 0: no row selected, nothing to re-place
};

DropWindow FindDropWindow(const CDragListCtrl& list) {
    int unselected = 0;
    int selected = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.IsSelected(row)) {
            ++selected;
        } else {
            ++unselected;
            if (selected > 0) break;
        }
    }
    if (selected == 0) return {};
    return {unselected - 1, selected + 1};
}

bool ListFollowsFile(const CDragListCtrl& list, const ServiceFileIndex& services) {
    if (list.GetItemCount() != services.Count()) return false;
    for (int row = 0; row < services.Count(); ++row) {
        if (list.GetItemText(row, kColSerKey) != services.Key(row)) return false;
    }
    return true;
}

// A service re-created from its record: a new element with exactly the 19 attributes,
// in record order, made by the engine as AddElement and SetAttribute would make it.
std::u16string NewServiceMarkup(const ServiceRecord& record) {
    return WithAttributes(u"<prog/>", record.Attributes());
}

}  // namespace

int CServicePage::ApplyDrop() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const DropWindow window = FindDropWindow(m_list);
    if (window.count == 0) {
        SaveWorkingCopy(prog, m_traits.progWork);
        return 0;
    }

    std::vector<std::u16string> keys;
    for (int row = window.first; row < window.first + window.count; ++row) {
        const std::u16string& key = m_list.GetItemText(row, kColSerKey);
        if (key.empty()) return -1;  // a row outside the list, or a service without key
        keys.push_back(key);
    }
    const bool fromTop = window.first == 0;
    const std::u16string anchorKey = fromTop ? u"" : m_list.GetItemText(window.first - 1, kColSerKey);

    const ServiceFileIndex services(prog);
    // The drag ended where it began: rewriting would only strip attributes.
    if (ListFollowsFile(m_list, services)) return 0;
    // Every service to re-place, and the one they go after, must be exactly one
    // service of the file; otherwise the list and the file disagree (or two services
    // share a key) and a service could be taken out and never put back.
    for (const std::u16string& key : keys) {
        if (services.CountOfKey(key) != 1) return -1;
    }
    if (!fromTop && services.CountOfKey(anchorKey) != 1) return -1;
    if (fromTop && services.Count() < 2) return -1;

    const auto records = ReadServiceRecords(prog, keys);
    ElementSplicer splicer(prog.GetDoc());
    std::unordered_map<std::u16string, int> pieceOfKey;
    for (int position = 0; position < services.Count(); ++position) {
        const int piece = splicer.AddRecord(prog, services.Record(position));
        if (services.CountOfKey(services.Key(position)) == 1) pieceOfKey[services.Key(position)] = piece;
    }

    int anchor = fromTop ? -1 : pieceOfKey.at(anchorKey);
    for (size_t k = 0; k < keys.size(); ++k) {
        splicer.Remove(pieceOfKey.at(keys[k]));
        // The first service of a block at the top goes after the first service left;
        // the next one re-placed after it puts the order right.
        const int after = (k == 0 && fromTop) ? splicer.FirstLiveElement() : anchor;
        if (after < 0) return -1;
        anchor = splicer.InsertAfter(after, NewServiceMarkup(records.at(keys[k])));
        pieceOfKey[keys[k]] = anchor;
    }
    ReplaceDocumentText(prog, splicer.Build());
    SaveWorkingCopy(prog, m_traits.progWork);
    return 0;
}

void CServicePage::AfterListEvent() {
    if (!m_list.m_dropped) return;
    m_list.m_dropped = false;
    // A release without a drag of rows is a plain click: nothing moved in the list,
    // so nothing is rewritten in the file.
    if (m_list.m_draggedCount == 0) return;
    CompleteDrop();
}

void CServicePage::CompleteDrop() {
    const int result = ApplyDrop();
    RenumberRows();
    // The list control moves texts only; the flag images of the moved rows follow here.
    RefreshSelectedRows();
    if (result == -1) {
        Reload();
        const int last = m_list.m_dropIndex - 1;
        for (int row = last; row >= m_list.m_dropIndex - m_list.m_draggedCount && row >= 0; --row) {
            m_list.SetSelected(row, true);
            m_list.SetFocused(row, true);
        }
        m_list.EnsureVisible(last);
    }
    // The drop is handled; a later release without a drag must not repeat it.
    m_list.m_draggedCount = 0;
}

}  // namespace vesko
