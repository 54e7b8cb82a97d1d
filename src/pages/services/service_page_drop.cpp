// Drag and drop on the service lists: after the list control moved the dragged rows
// into one block, the programme working copy is brought into the order of the list.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "xml/start_tag_attributes.h"
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

// A service re-created from its record: what AddElement makes of a new `prog` (an
// empty-element tag) after the 19 SetAttribute calls, in record order, each adding
// its attribute before the "/>" with the engine's own escaping.
std::u16string NewServiceMarkup(const ServiceRecord& record) {
    std::u16string markup = u"<prog";
    for (const auto& [name, value] : record.Attributes()) {
        markup += u' ';
        markup += name;
        markup += u"=\"";
        markup += CXmlDoc::EscapeText(value, kEditAttribute);
        markup += u'"';
    }
    markup += u"/>";
    return markup;
}

// The SerKey texts of the rows a drop re-places; nothing when one is empty (a row
// outside the list, or a service without key).
std::optional<std::vector<std::u16string>> WindowKeys(const CDragListCtrl& list,
                                                      DropWindow window) {
    std::vector<std::u16string> keys;
    for (int row = window.first; row < window.first + window.count; ++row) {
        const std::u16string& key = list.GetItemText(row, kColSerKey);
        if (key.empty())
            return std::nullopt;
        keys.push_back(key);
    }
    return keys;
}

// The services of the programme file in file order: their elements and keys.
struct FileServices {
    std::vector<int> elements;
    std::vector<std::u16string> keys;
};

FileServices ReadFileServices(CXmlDoc& prog) {
    FileServices file;
    file.elements = RootChildren(prog, u"prog");
    file.keys.reserve(file.elements.size());
    for (int element : file.elements)
        file.keys.push_back(AttributeOf(prog, element, u"service_key"));
    return file;
}

// Where each wanted key stands in the file. Each must be exactly one service of the
// file; otherwise the list and the file disagree (or two services share a key) and a
// service could be taken out and never put back: nothing then.
std::optional<std::unordered_map<std::u16string, size_t>> LocateEach(
    const FileServices& file, const std::vector<std::u16string>& wanted) {
    std::unordered_map<std::u16string, std::pair<size_t, int>> found;  // position, count
    for (const std::u16string& key : wanted)
        found.try_emplace(key, 0, 0);
    for (size_t position = 0; position < file.keys.size(); ++position) {
        const auto it = found.find(file.keys[position]);
        if (it != found.end() && it->second.second++ == 0)
            it->second.first = position;
    }
    std::unordered_map<std::u16string, size_t> positions;
    for (const auto& [key, place] : found) {
        if (place.second != 1)
            return std::nullopt;
        positions.emplace(key, place.first);
    }
    return positions;
}

// Takes each service of `keys` out and adds it again, re-created, after the one placed
// before it (the first after `anchorKey`, or, with no anchor, after the first service
// left); `prog` then holds the new text. Fills `placed` with the records re-placed.
// False, with `prog` unchanged, when a service has nothing to go after.
bool RebuildInOrder(CXmlDoc& prog, const FileServices& file,
                    const std::unordered_map<std::u16string, size_t>& positions,
                    const std::vector<std::u16string>& keys,
                    const std::optional<std::u16string>& anchorKey, RecordsByKey& placed) {
    // Only the services that move, the anchor, and the first two services (one of them
    // is the first service left when a block at the top is taken out) take part.
    ElementSplicer splicer(prog.GetDoc());
    std::unordered_map<std::u16string, int> pieceOfKey;
    for (const auto& [key, position] : positions)
        pieceOfKey[key] = splicer.AddRecord(prog, file.elements[position]);
    for (size_t position = 0; position < 2 && position < file.elements.size(); ++position) {
        if (positions.count(file.keys[position]) == 0)
            splicer.AddRecord(prog, file.elements[position]);
    }

    int anchor = anchorKey ? pieceOfKey.at(*anchorKey) : -1;
    for (const std::u16string& key : keys) {
        const int element = file.elements[positions.at(key)];
        const ServiceRecord& record =
            placed.emplace(key, ReadRecordAt(prog, element)).first->second;
        std::u16string markup = NewServiceMarkup(record);
        splicer.Remove(pieceOfKey.at(key));
        // A block at the top first goes after the first service left; the next
        // service re-placed after it puts the order right.
        const int after = anchor < 0 ? splicer.FirstLiveElement() : anchor;
        if (after < 0)
            return false;
        anchor = splicer.InsertAfter(after, std::move(markup));
    }
    ReplaceDocumentText(prog, splicer.Build());
    return true;
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
    const std::optional<std::vector<std::u16string>> keys = WindowKeys(m_list, window);
    if (!keys)
        return -1;
    std::optional<std::u16string> anchorKey;
    if (window.first > 0)
        anchorKey = m_list.GetItemText(window.first - 1, kColSerKey);

    const FileServices file = ReadFileServices(prog);
    // The drag ended where it began: rewriting would only strip attributes.
    if (ListFollowsFile(m_list, file.keys))
        return 0;
    std::vector<std::u16string> wanted = *keys;
    if (anchorKey)
        wanted.push_back(*anchorKey);
    const auto positions = LocateEach(file, wanted);
    if (!positions)
        return -1;
    if (!RebuildInOrder(prog, file, *positions, *keys, anchorKey, placed))
        return -1;
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
