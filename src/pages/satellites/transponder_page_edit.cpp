// The editing operations of the transponder pages that take transponders out or put
// them in another order: deletion with the services and favourite entries it takes
// along, drops, and the rewrite in list order. Each loads every file it touches once
// and writes the bytes that the same edits made one load and save at a time leave.

#include <algorithm>
#include <array>
#include <unordered_map>

#include "database/working_copy.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/element_splicer.h"
#include "pages/services/favourite_members.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::u16string TransponderId(std::u16string_view satKey, std::u16string_view tpKey) {
    std::u16string id(satKey);
    id += u'\0';  // never part of an attribute value
    id += tpKey;
    return id;
}

void ToTop(CXmlDoc& doc) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
}

// Makes the root's children the siblings FindElement walks; false for an empty document.
bool IntoRoot(CXmlDoc& doc) {
    ToTop(doc);
    return doc.FindElement() && doc.IntoElement();
}

// Puts the element texts of `desired` into the places of `slots` (the same elements in
// file order): every element keeps its text, the text between them stays where it
// was, and a place that keeps its element is not touched.
void WriteInOrder(CXmlDoc& doc, const std::vector<int>& slots, const std::vector<int>& desired) {
    ElementSplicer splicer(doc.GetDoc());
    std::vector<int> pieces;
    for (const int record : slots) {
        pieces.push_back(splicer.AddRecord(doc, record));
    }
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (desired[k] != slots[k]) {
            splicer.Replace(pieces[k], std::u16string(ElementText(doc, desired[k])));
        }
    }
    if (!splicer.Unchanged()) {
        ReplaceDocumentText(doc, splicer.Build());
    }
}

std::vector<std::u16string> KeysOf(const CXmlDoc& doc, const std::vector<int>& records) {
    std::vector<std::u16string> keys;
    for (const int record : records) {
        keys.push_back(AttributeOf(doc, record, u"tp_key"));
    }
    return keys;
}

// The services of a kind on the deleted transponders go, in the order one deletion per
// transponder takes them (transponder by transponder, each in file order), and their
// favourite entries with them.
void DeleteServicesOn(const std::vector<std::u16string>& deleted, int kind) {
    const char* progWork = ProgWorkOf(kind);
    CXmlDoc prog;
    LoadWorkingCopy(prog, progWork);
    std::unordered_map<std::u16string, std::size_t> firstDeleted;
    for (std::size_t k = deleted.size(); k-- > 0;) {
        firstDeleted[deleted[k]] = k;
    }
    static constexpr std::array<std::u16string_view, 3> kNames{u"sat_key", u"tp_key",
                                                               u"service_key"};
    const AttributeNames names(kNames);
    std::array<std::u16string_view, 3> values;
    std::array<std::u16string, 3> storage;
    std::vector<std::vector<std::pair<int, std::u16string>>> byTransponder(deleted.size());
    for (const int record : RootChildren(prog, u"prog")) {
        ReadAttributeViews(prog, record, names, values, storage);
        const auto found = firstDeleted.find(TransponderId(values[0], values[1]));
        if (found != firstDeleted.end()) {
            byTransponder[found->second].emplace_back(record, std::u16string(values[2]));
        }
    }
    ElementSplicer splicer(prog.GetDoc());
    std::vector<std::pair<int, std::u16string>> services;
    for (const auto& onTransponder : byTransponder) {
        services.insert(services.end(), onTransponder.begin(), onTransponder.end());
    }
    std::vector<int> pieces;
    for (const auto& [record, key] : services) {
        pieces.push_back(splicer.AddRecord(prog, record));
    }
    std::vector<std::u16string> serviceKeys;
    for (std::size_t k = 0; k < services.size(); ++k) {
        splicer.Remove(pieces[k]);
        serviceKeys.push_back(services[k].second);
    }
    if (!serviceKeys.empty()) {
        RemoveFromFavourites(FavWorkOf(kind), serviceKeys);
        ReplaceDocumentText(prog, splicer.Build());
    }
    SaveWorkingCopy(prog, progWork);
}

}  // namespace

int CTransponderPage::DeleteSelectedTransponders(int satIndex) {
    m_lastKept = false;
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    std::vector<int> remaining = TransponderRecords(doc, satIndex);
    m_tpCount = satIndex < 0 ? -1 : static_cast<int>(remaining.size());

    // List and file lose the same rows in the same order, so the row index of a
    // selected row names its transponder at the moment it is deleted.
    std::vector<int> selected;
    for (int row = GetSelectedRow(); row >= 0; row = m_transponderList.GetNextSelected(row)) {
        selected.push_back(row);
    }
    std::vector<int> removedRecords;
    std::vector<std::u16string> deleted;  // sat_key and tp_key of each, in order
    std::vector<int> listRows;            // rows taken off the list (original indexes)
    int lastRemovedAt = -1;
    for (const int row : selected) {
        const int at = row - static_cast<int>(listRows.size());
        if (at < static_cast<int>(remaining.size())) {
            if (m_tpCount <= 1) {
                // A satellite keeps one transponder; its row stays in view.
                m_lastKept = true;
                continue;
            }
            const int record = remaining[static_cast<std::size_t>(at)];
            const std::u16string tpKey = AttributeOf(doc, record, u"tp_key");
            m_deletedKeys.push_back(tpKey);
            deleted.push_back(TransponderId(AttributeOf(doc, record, u"sat_key"), tpKey));
            removedRecords.push_back(record);
            remaining.erase(remaining.begin() + at);
            --m_tpCount;
        }
        listRows.push_back(row);
        lastRemovedAt = at;
    }

    if (!deleted.empty()) {
        DeleteServicesOn(deleted, 1);
        DeleteServicesOn(deleted, 0);
        ElementSplicer splicer(doc.GetDoc());
        std::vector<int> pieces;
        for (const int record : removedRecords) {
            pieces.push_back(splicer.AddRecord(doc, record));
        }
        for (const int piece : pieces) {
            splicer.Remove(piece);
        }
        ReplaceDocumentText(doc, splicer.Build());
    }
    SaveWorkingCopy(doc, m_traits.work);

    m_transponderList.BeginUpdate();
    for (auto row = listRows.rbegin(); row != listRows.rend(); ++row) {
        m_transponderList.DeleteItem(*row);
    }
    if (lastRemovedAt >= 0 && lastRemovedAt < m_transponderList.GetItemCount()) {
        m_transponderList.SetSelected(lastRemovedAt, true);
        m_transponderList.SetFocused(lastRemovedAt, true);
    }
    m_transponderList.EndUpdate();
    return static_cast<int>(listRows.size());
}

int CTransponderPage::DeleteTransponderServices(std::u16string_view satKey,
                                                std::u16string_view tpKey, int kind) {
    const char* progWork = ProgWorkOf(kind);
    if (!progWork) {
        return 0;
    }
    CXmlDoc prog;
    LoadWorkingCopy(prog, progWork);
    int removed = 0;
    if (IntoRoot(prog)) {
        while (prog.FindElement(u"prog")) {
            if (prog.GetAttribute(u"sat_key") == satKey && prog.GetAttribute(u"tp_key") == tpKey) {
                RemoveServiceFromFavourites(prog.GetAttribute(u"service_key"), kind);
                prog.RemoveElement();
                ++removed;
            }
        }
    }
    SaveWorkingCopy(prog, progWork);
    return removed;
}

int CTransponderPage::RemoveServiceFromFavourites(std::u16string_view serviceKey, int kind) {
    const char* favWork = FavWorkOf(kind);
    if (!favWork) {
        return 0;
    }
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, favWork);
    int removed = 0;
    if (IntoRoot(favourites)) {
        while (favourites.FindElement(u"fav")) {
            favourites.IntoElement();
            while (favourites.FindElement(u"prog")) {
                if (favourites.GetAttribute(u"service_key") == serviceKey) {
                    favourites.RemoveElement();
                    ++removed;
                }
            }
            favourites.OutOfElement();
        }
    }
    SaveWorkingCopy(favourites, favWork);
    return removed;
}

// The rows a drop re-places are the first run of selected rows (the moved block) and
// the row next to it, after an anchor: the row above the block, or two above when the
// block ends the list. Each is taken out of the file and put in again after the one
// placed before it; a moved transponder keeps its whole text.
void CTransponderPage::CommitDrop(int satIndex) {
    const CDragListCtrl& list = m_transponderList;
    const int rows = list.GetItemCount();
    const int first = list.GetNextSelected();
    if (first < 0) {
        return;
    }
    int block = 0;
    while (first + block < rows && list.IsSelected(first + block)) {
        ++block;
    }
    const int keyColumn = list.GetColumnCount() - 1;
    const int anchor = first + block == rows ? first - 2 : first - 1;
    std::vector<std::u16string> placed;
    for (int row = anchor + 1; anchor >= 0 && row <= anchor + 1 + block && row < rows; ++row) {
        placed.push_back(list.GetItemText(row, keyColumn));
    }
    const bool anyEmpty = std::any_of(placed.begin(), placed.end(),
                                      [](const std::u16string& key) { return key.empty(); });
    if (anchor < 0 || anyEmpty || list.GetItemText(anchor, keyColumn).empty()) {
        UndoDrop(satIndex);
        return;
    }

    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    const std::vector<int> slots = TransponderRecords(doc, satIndex);
    const std::vector<std::u16string> fileKeys = KeysOf(doc, slots);
    std::vector<std::u16string> listKeys;
    for (int row = 0; row < rows; ++row) {
        listKeys.push_back(list.GetItemText(row, keyColumn));
    }
    if (listKeys == fileKeys) {
        return;  // dropped where it was: nothing to write
    }
    // The moves on the file's order, each transponder found by its key.
    std::vector<int> order = slots;
    const auto positionOf = [&](std::u16string_view key) {
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (AttributeOf(doc, order[k], u"tp_key") == key) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    const int anchorAt = positionOf(list.GetItemText(anchor, keyColumn));
    if (anchorAt < 0) {
        UndoDrop(satIndex);
        return;
    }
    int previous = order[static_cast<std::size_t>(anchorAt)];
    for (const std::u16string& key : placed) {
        const int at = positionOf(key);
        if (at < 0) {
            UndoDrop(satIndex);
            return;
        }
        const int record = order[static_cast<std::size_t>(at)];
        if (record == previous) {
            continue;
        }
        order.erase(order.begin() + at);
        const auto after = std::find(order.begin(), order.end(), previous);
        order.insert(after + 1, record);
        previous = record;
    }
    if (order == slots) {
        return;
    }
    WriteInOrder(doc, slots, order);
    SaveWorkingCopy(doc, m_traits.work);
}

// The list shows the file again, with the rows where the drag left its block selected.
void CTransponderPage::UndoDrop(int satIndex) {
    CDragListCtrl& list = m_transponderList;
    FillTransponderList(satIndex);
    const int last = list.m_dropIndex - 1;
    for (int row = last; row >= list.m_dropIndex - list.m_draggedCount && row >= 0; --row) {
        list.SetSelected(row, true);
        list.SetFocused(row, true);
    }
    list.EnsureVisible(last);
    list.m_draggedCount = 0;
}

void CTransponderPage::AfterListEvent() {
    CDragListCtrl& list = m_transponderList;
    if (list.m_dropped) {
        list.m_dropped = false;
        // A release without a drag of rows is a plain click: nothing moved in the list,
        // so nothing is rewritten in the file.
        if (list.m_draggedCount > 0) {
            CommitDrop(CurrentSatIndex());
            RenumberRows();
            list.m_draggedCount = 0;
        }
    }
    TakeSelectedTransponder();
}

// Transponders that have no row (a list that does not show them all) keep their
// place after the listed ones instead of being lost.
void CTransponderPage::RewriteInListOrder(int satIndex) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    const std::vector<int> slots = TransponderRecords(doc, satIndex);
    const std::vector<std::u16string> fileKeys = KeysOf(doc, slots);
    const int keyColumn = m_transponderList.GetColumnCount() - 1;
    std::vector<bool> used(slots.size(), false);
    std::vector<int> order;
    for (int row = 0; row < m_transponderList.GetItemCount(); ++row) {
        const std::u16string& key = m_transponderList.GetItemText(row, keyColumn);
        for (std::size_t k = 0; k < slots.size(); ++k) {
            if (!used[k] && fileKeys[k] == key) {
                used[k] = true;
                order.push_back(slots[k]);
                break;
            }
        }
    }
    const bool allListed = order.size() == slots.size();
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (!used[k]) {
            order.push_back(slots[k]);
        }
    }
    if (order == slots) {
        return;
    }
    WriteInOrder(doc, slots, order);
    SaveWorkingCopy(doc, m_traits.work);
    if (!allListed) {
        FillTransponderRows(doc, satIndex);
    }
}

}  // namespace vesko
