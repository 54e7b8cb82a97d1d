// The editing operations of the service pages: delete, move, lock and skip, and the
// attribute access used by the edit dialog. Each loads the programme working copy
// once, gathers its edits, and writes the file once.

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/platform.h"
#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::vector<int> SelectedRows(const CDragListCtrl& list) {
    std::vector<int> rows;
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

// Takes the given rows (ascending) out of the list in one pass: the rows after the
// first of them move up once each, instead of once per deleted row.
void RemoveRows(CDragListCtrl& list, const std::vector<int>& rows) {
    if (rows.empty())
        return;
    const int count = list.GetItemCount();
    const int columns = list.GetColumnCount();
    // The focus stays with its row, or goes when its row goes.
    int focused = -1;
    for (int row = 0; row < count && focused < 0; ++row) {
        if (list.IsFocused(row))
            focused = row;
    }
    list.BeginUpdate();
    if (focused >= 0)
        list.SetFocused(focused, false);
    int write = rows.front();
    size_t next = 0;
    for (int read = rows.front(); read < count; ++read) {
        if (next < rows.size() && rows[next] == read) {
            ++next;
            if (read == focused)
                focused = -1;
            continue;
        }
        for (int column = 0; column < columns; ++column) {
            list.SetItemText(write, column, list.GetItemText(read, column));
            list.SetItemImage(write, column, list.GetItemImage(read, column));
        }
        list.SetSelected(write, list.IsSelected(read));
        if (read == focused)
            focused = write;
        ++write;
    }
    while (list.GetItemCount() > write)
        list.DeleteItem(list.GetItemCount() - 1);
    if (focused >= 0)
        list.SetFocused(focused, true);
    list.EndUpdate();
}

// Exchanges the services at positions a and b: each element's whole text goes to the
// other's place, so every attribute a service carries moves with it, in its order, and
// nothing else in the file changes.
void SwapServices(CXmlDoc& prog, int a, int b) {
    if (a < 0 || b < 0 || a == b)
        return;
    const int first = std::min(a, b);
    const int second = std::max(a, b);
    int records[2] = {-1, -1};
    int position = 0;
    prog.ResetPosition();
    ForEachChild(prog, u"prog", [&](int record) {
        if (position == first)
            records[0] = record;
        if (position == second)
            records[1] = record;
        return ++position <= second;
    });
    if (records[1] < 0)
        return;
    const int swapped[2] = {1, 0};
    ReplaceDocumentText(prog, RearrangedText(prog, records, swapped));
}

// Lock and Skip show the flag on only for exactly "1", so an absent or empty value is
// off like "0" and turns on; any other value turns off.
std::u16string_view Toggled(std::u16string_view value) {
    return value == u"0" || value.empty() ? u"1" : u"0";
}

}  // namespace

int CServicePage::DeleteSelected() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const std::vector<int> rows = SelectedRows(m_list);
    const std::vector<int> services = RootChildren(prog, u"prog");

    // Deleting the first selected row again and again removes, one after the other,
    // the services that stood at the selected positions: gather them in that order.
    ElementSplicer splicer(prog.GetDoc());
    std::vector<int> pieces;
    std::vector<std::u16string> deletedKeys;
    for (int row : rows) {
        if (row >= static_cast<int>(services.size()))
            break;
        const int element = services[static_cast<size_t>(row)];
        pieces.push_back(splicer.AddRecord(prog, element));
        deletedKeys.push_back(AttributeOf(prog, element, u"service_key"));
    }
    for (int piece : pieces)
        splicer.Remove(piece);

    RemoveRows(m_list, rows);

    if (!deletedKeys.empty())
        RemoveFromFavourites(m_traits.favWork, deletedKeys);
    if (!splicer.Unchanged())
        ReplaceDocumentText(prog, splicer.Build());
    SaveWorkingCopy(prog, m_traits.progWork);

    if (!rows.empty()) {
        const int next = rows.back() - static_cast<int>(rows.size()) + 1;
        if (next < m_list.GetItemCount()) {
            m_list.SetSelected(next, true);
            m_list.SetFocused(next, true);
        }
    }
    return static_cast<int>(rows.size());
}

bool CServicePage::MoveUp(Platform& platform) {
    return Move(platform, -1);
}
bool CServicePage::MoveDown(Platform& platform) {
    return Move(platform, +1);
}

bool CServicePage::Move(Platform& platform, int delta) {
    const int row = GetSelectedRow();
    if (row < 0)
        return false;
    if (delta < 0 && row == 0) {
        platform.ShowMessage(kMessageCaption, kFirstRowMessage, MessageButtons::Ok);
        return false;
    }
    if (delta > 0 && row == m_list.GetItemCount() - 1) {
        platform.ShowMessage(kMessageCaption, kLastRowMessage, MessageButtons::Ok);
        return false;
    }
    const int target = row + delta;
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const FavouriteMembers favourites = FavouriteMembers::Load(m_traits.favWork);
    const std::u16string transponderText = m_list.GetItemText(row, kColTransponder);
    const ServiceRecord record = ReadServiceRecord(prog, m_list.GetItemText(row, kColSerKey));

    SwapServices(prog, row, target);
    SaveWorkingCopy(prog, m_traits.progWork);

    m_list.BeginUpdate();
    m_list.DeleteItem(row);
    m_list.InsertItem(target, u"");
    SetRowFromRecord(target, ViewOf(record), transponderText, favourites);
    m_list.EndUpdate();
    m_list.SelectAndShow(target);
    RenumberRows();
    return true;
}

void CServicePage::ToggleLock() {
    Toggle(u"block", kColLock, CDragListCtrl::kImagePadlock);
}
void CServicePage::ToggleSkip() {
    Toggle(u"bskip", kColSkip, CDragListCtrl::kImageCheck);
}

// One walk for all selected rows: each row's service is searched from where the
// previous row's search stopped, as list order and file order agree.
void CServicePage::Toggle(std::u16string_view attribute, int column, int onImage) {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    struct Flip {
        int row;
        int record;
        std::u16string value;
    };
    std::vector<Flip> flips;
    const std::vector<int> services = RootChildren(prog, u"prog");
    size_t next = 0;
    for (int row : SelectedRows(m_list)) {
        const std::u16string& key = m_list.GetItemText(row, kColSerKey);
        while (next < services.size()) {
            const int record = services[next++];
            if (AttributeOf(prog, record, u"service_key") != key)
                continue;
            flips.push_back(
                {row, record, std::u16string(Toggled(AttributeOf(prog, record, attribute)))});
            break;
        }
    }

    ElementSplicer splicer(prog.GetDoc());
    std::vector<int> pieces;
    for (const Flip& flip : flips)
        pieces.push_back(splicer.AddRecord(prog, flip.record));
    for (size_t k = 0; k < flips.size(); ++k) {
        splicer.Replace(pieces[k], WithAttributes(ElementText(prog, flips[k].record),
                                                  {{attribute, flips[k].value}}));
    }
    if (!splicer.Unchanged())
        ReplaceDocumentText(prog, splicer.Build());
    SaveWorkingCopy(prog, m_traits.progWork);

    m_list.BeginUpdate();
    for (const Flip& flip : flips) {
        m_list.SetItemImage(flip.row, column,
                            flip.value == u"1" ? onImage : CDragListCtrl::kImageBlank);
    }
    m_list.EndUpdate();
}

int CServicePage::RemoveRowsOnTransponders(std::span<const std::u16string> tpKeys) {
    if (tpKeys.empty())
        return 0;
    const std::unordered_set<std::u16string> keys(tpKeys.begin(), tpKeys.end());
    std::vector<int> rows;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (keys.count(m_list.GetItemText(row, kColTpKey)) != 0)
            rows.push_back(row);
    }
    RemoveRows(m_list, rows);
    return static_cast<int>(rows.size());
}

void CServicePage::ReplaceTransponderText(std::u16string_view tpKey, std::u16string_view oldText,
                                          std::u16string_view newText) {
    m_list.BeginUpdate();
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (m_list.GetItemText(row, kColTpKey) == tpKey &&
            m_list.GetItemText(row, kColTransponder) == oldText) {
            m_list.SetItemText(row, kColTransponder, newText);
        }
    }
    m_list.EndUpdate();
}

void CServicePage::ClearFavouriteMark(std::span<const std::u16string> serviceKeys) {
    if (serviceKeys.empty())
        return;
    const std::unordered_set<std::u16string> keys(serviceKeys.begin(), serviceKeys.end());
    m_list.BeginUpdate();
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        if (keys.count(m_list.GetItemText(row, kColSerKey)) != 0) {
            m_list.SetItemImage(row, kColFav, CDragListCtrl::kImageBlank);
        }
    }
    m_list.EndUpdate();
}

namespace {

// Walks to the row-th service; calls `atService` there. Returns the row when it was
// found, otherwise the number of services.
template <class Visit>
int VisitServiceAt(CXmlDoc& prog, int row, Visit&& atService) {
    int position = 0;
    bool found = false;
    prog.ResetPosition();
    ForEachChild(prog, u"prog", [&](int) {
        if (position == row) {
            atService();
            found = true;
            return false;
        }
        ++position;
        return true;
    });
    return found ? row : position;
}

}  // namespace

int CServicePage::GetServiceAttribute(int row, std::u16string_view name,
                                      std::u16string& value) const {
    return GetServiceAttributes(row, {{name, &value}});
}

int CServicePage::SetServiceAttribute(int row, std::u16string_view name,
                                      std::u16string_view value) {
    return SetServiceAttributes(row, {{name, value}});
}

int CServicePage::GetServiceAttributes(int row, AttributeReads reads) const {
    if (row < 0)
        return -1;
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    return VisitServiceAt(prog, row, [&] {
        for (const auto& [name, value] : reads)
            *value = prog.GetAttribute(name);
    });
}

// The values are set in the order given, on one document: the bytes saved are those of
// setting each one with a load and a save of its own.
int CServicePage::SetServiceAttributes(int row, AttributeWrites writes) {
    if (row < 0)
        return -1;
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const int result = VisitServiceAt(prog, row, [&] {
        for (const auto& [name, value] : writes)
            prog.SetAttribute(name, value);
    });
    SaveWorkingCopy(prog, m_traits.progWork);
    return result;
}

}  // namespace vesko
