// Drag and drop on the service lists: after the list control moved the dragged rows
// into one block, the programme working copy is brought into the order of the list.

#include <string>
#include <unordered_map>
#include <vector>

#include "pages/services/element_splicer.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "pages/services/start_tag_attributes.h"
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
            if (selected > 0)
                break;
        }
    }
    if (selected == 0)
        return {};
    return {unselected - 1, selected + 1};
}

bool ListFollowsFile(const CDragListCtrl& list, const std::vector<std::u16string>& fileKeys) {
    if (list.GetItemCount() != static_cast<int>(fileKeys.size()))
        return false;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, kColSerKey) != fileKeys[static_cast<size_t>(row)])
            return false;
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
    RecordsByKey placed;
    return ApplyDrop(prog, placed);
}

// Leaves `prog` holding what the working copy holds afterwards, and `placed` the
// records of the services it re-placed.
int CServicePage::ApplyDrop(CXmlDoc& prog, RecordsByKey& placed) {
    LoadWorkingCopy(prog, m_traits.progWork);
    const DropWindow window = FindDropWindow(m_list);
    if (window.count == 0) {
        SaveWorkingCopy(prog, m_traits.progWork);
        return 0;
    }

    std::vector<std::u16string> keys;
    for (int row = window.first; row < window.first + window.count; ++row) {
        const std::u16string& key = m_list.GetItemText(row, kColSerKey);
        if (key.empty())
            return -1;  // a row outside the list, or a service without key
        keys.push_back(key);
    }
    const bool fromTop = window.first == 0;
    const std::u16string anchorKey =
        fromTop ? u"" : m_list.GetItemText(window.first - 1, kColSerKey);

    const std::vector<int> services = RootChildren(prog, u"prog");
    std::vector<std::u16string> fileKeys;
    fileKeys.reserve(services.size());
    for (int element : services)
        fileKeys.push_back(AttributeOf(prog, element, u"service_key"));
    // The drag ended where it began: rewriting would only strip attributes.
    if (ListFollowsFile(m_list, fileKeys))
        return 0;

    // Where each service to re-place, and the one they go after, stands in the file.
    // Each must be exactly one service of the file; otherwise the list and the file
    // disagree (or two services share a key) and a service could be taken out and
    // never put back.
    std::unordered_map<std::u16string, std::pair<int, int>> found;  // key -> position, count
    for (const std::u16string& key : keys)
        found.try_emplace(key, -1, 0);
    if (!fromTop)
        found.try_emplace(anchorKey, -1, 0);
    for (size_t position = 0; position < fileKeys.size(); ++position) {
        const auto it = found.find(fileKeys[position]);
        if (it == found.end())
            continue;
        if (it->second.second++ == 0)
            it->second.first = static_cast<int>(position);
    }
    for (const auto& [key, place] : found) {
        if (place.second != 1)
            return -1;
    }
    if (fromTop && services.size() < 2)
        return -1;

    // Only the elements that move, the anchor, and the first two services (one of
    // which is the first service left when a block at the top is taken out) take part.
    ElementSplicer splicer(prog.GetDoc());
    std::unordered_map<std::u16string, int> pieceOfKey;
    for (const auto& [key, place] : found) {
        pieceOfKey[key] = splicer.AddRecord(prog, services[static_cast<size_t>(place.first)]);
    }
    for (size_t position = 0; position < 2 && position < services.size(); ++position) {
        if (found.count(fileKeys[position]) == 0)
            splicer.AddRecord(prog, services[position]);
    }

    int anchor = fromTop ? -1 : pieceOfKey.at(anchorKey);
    for (size_t k = 0; k < keys.size(); ++k) {
        const int element = services[static_cast<size_t>(found.at(keys[k]).first)];
        const ServiceRecord& record =
            placed.emplace(keys[k], ReadRecordAt(prog, element)).first->second;
        std::u16string markup = NewServiceMarkup(record);
        splicer.Remove(pieceOfKey.at(keys[k]));
        // The first service of a block at the top goes after the first service left;
        // the next one re-placed after it puts the order right.
        const int after = (k == 0 && fromTop) ? splicer.FirstLiveElement() : anchor;
        if (after < 0)
            return -1;
        anchor = splicer.InsertAfter(after, std::move(markup));
        pieceOfKey[keys[k]] = anchor;
    }
    ReplaceDocumentText(prog, splicer.Build());
    SaveWorkingCopy(prog, m_traits.progWork);
    return 0;
}

void CServicePage::AfterListEvent() {
    if (!m_list.m_dropped)
        return;
    m_list.m_dropped = false;
    // A release without a drag of rows is a plain click: nothing moved in the list,
    // so nothing is rewritten in the file.
    if (m_list.m_draggedCount == 0)
        return;
    CompleteDrop();
}

void CServicePage::CompleteDrop() {
    CXmlDoc prog;
    RecordsByKey placed;
    const int result = ApplyDrop(prog, placed);
    RenumberRows();
    // The list control moves texts only; the flag images of the moved rows follow
    // here. The moved rows are services just re-placed: their records are at hand.
    if (!placed.empty()) {
        RefreshSelectedRows(placed);
    } else {
        RefreshSelectedRows(prog);
    }
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
