// The editing operations of the service pages: delete, move, lock and skip, and the
// attribute access used by the edit dialog. Each loads the programme working copy
// once, gathers its edits, and writes the file once.

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/platform.h"
#include "pages/services/element_splicer.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "pages/services/working_copy.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::vector<int> SelectedRows(const CDragListCtrl& list) {
    std::vector<int> rows;
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row)) rows.push_back(row);
    return rows;
}

// The records of the services at positions a and b (empty when a position is not there).
std::pair<ServiceRecord, ServiceRecord> ReadRecordsAt(CXmlDoc& prog, int a, int b) {
    std::pair<ServiceRecord, ServiceRecord> records;
    int position = 0;
    prog.ResetPosition();
    ForEachChild(prog, u"prog", [&](int) {
        if (position == a) records.first = ReadRecordHere(prog);
        if (position == b) records.second = ReadRecordHere(prog);
        return ++position <= std::max(a, b);
    });
    prog.ResetPosition();
    return records;
}

// Exchanges the 19 attribute values of the services at positions a and b; element
// positions and any other attributes stay. An attribute absent on one side becomes
// present with the empty value on the other.
void SwapServices(CXmlDoc& prog, int a, int b) {
    if (a < 0 || b < 0 || a == b) return;
    const ServiceFileIndex services(prog);
    // A position past the file would write empty values over a real service.
    if (a >= services.Count() || b >= services.Count()) return;
    const auto [recordA, recordB] = ReadRecordsAt(prog, a, b);
    ElementSplicer splicer(prog.GetDoc());
    const int pieceA = splicer.AddRecord(prog, services.Record(a));
    const int pieceB = splicer.AddRecord(prog, services.Record(b));
    splicer.Replace(pieceA, WithAttributes(ElementText(prog, services.Record(a)), recordB.Attributes()));
    splicer.Replace(pieceB, WithAttributes(ElementText(prog, services.Record(b)), recordA.Attributes()));
    ReplaceDocumentText(prog, splicer.Build());
}

}  // namespace

int CServicePage::DeleteSelected() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const std::vector<int> rows = SelectedRows(m_list);
    const ServiceFileIndex services(prog);

    // Deleting the first selected row again and again removes, one after the other,
    // the services that stood at the selected positions: gather them in that order.
    ElementSplicer splicer(prog.GetDoc());
    std::vector<int> pieces;
    std::vector<std::u16string> deletedKeys;
    for (int row : rows) {
        if (row >= services.Count()) break;
        pieces.push_back(splicer.AddRecord(prog, services.Record(row)));
        deletedKeys.push_back(services.Key(row));
    }
    for (int piece : pieces) splicer.Remove(piece);

    m_list.BeginUpdate();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) m_list.DeleteItem(*it);
    m_list.EndUpdate();

    if (!deletedKeys.empty()) RemoveFromFavourites(m_traits.favWork, deletedKeys);
    if (!splicer.Unchanged()) ReplaceDocumentText(prog, splicer.Build());
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

bool CServicePage::MoveUp(Platform& platform) { return Move(platform, -1); }
bool CServicePage::MoveDown(Platform& platform) { return Move(platform, +1); }

bool CServicePage::Move(Platform& platform, int delta) {
    const int row = GetSelectedRow();
    if (row < 0) return false;
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
    SetRowFromRecord(target, record, transponderText, favourites);
    m_list.EndUpdate();
    m_list.SelectAndShow(target);
    RenumberRows();
    return true;
}

void CServicePage::ToggleLock() { Toggle(u"block", kColLock, CDragListCtrl::kImagePadlock); }
void CServicePage::ToggleSkip() { Toggle(u"bskip", kColSkip, CDragListCtrl::kImageCheck); }

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
    prog.ResetPosition();
    for (int row : SelectedRows(m_list)) {
        const std::u16string& key = m_list.GetItemText(row, kColSerKey);
        ForEachChild(prog, u"prog", [&](int record) {
            if (prog.GetAttribute(u"service_key") != key) return true;
            flips.push_back({row, record, prog.GetAttribute(attribute) == u"0" ? u"1" : u"0"});
            return false;
        });
    }

    ElementSplicer splicer(prog.GetDoc());
    std::vector<int> pieces;
    for (const Flip& flip : flips) pieces.push_back(splicer.AddRecord(prog, flip.record));
    for (size_t k = 0; k < flips.size(); ++k) {
        splicer.Replace(pieces[k], WithAttributes(ElementText(prog, flips[k].record),
                                                  {{attribute, flips[k].value}}));
    }
    if (!splicer.Unchanged()) ReplaceDocumentText(prog, splicer.Build());
    SaveWorkingCopy(prog, m_traits.progWork);

    m_list.BeginUpdate();
    for (const Flip& flip : flips) {
        m_list.SetItemImage(flip.row, column, flip.value == u"1" ? onImage : CDragListCtrl::kImageBlank);
    }
    m_list.EndUpdate();
}

int CServicePage::RemoveRowsOnTransponders(std::span<const std::u16string> tpKeys) {
    if (tpKeys.empty()) return 0;
    const std::unordered_set<std::u16string> keys(tpKeys.begin(), tpKeys.end());
    int removed = 0;
    m_list.BeginUpdate();
    for (int row = m_list.GetItemCount() - 1; row >= 0; --row) {
        if (keys.count(m_list.GetItemText(row, kColTpKey)) == 0) continue;
        m_list.DeleteItem(row);
        ++removed;
    }
    m_list.EndUpdate();
    return removed;
}

void CServicePage::ClearFavouriteMark(std::span<const std::u16string> serviceKeys) {
    if (serviceKeys.empty()) return;
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

int CServicePage::GetServiceAttribute(int row, std::u16string_view name, std::u16string& value) const {
    if (row < 0) return -1;
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    return VisitServiceAt(prog, row, [&] { value = prog.GetAttribute(name); });
}

int CServicePage::SetServiceAttribute(int row, std::u16string_view name, std::u16string_view value) {
    if (row < 0) return -1;
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const int result = VisitServiceAt(prog, row, [&] { prog.SetAttribute(name, value); });
    SaveWorkingCopy(prog, m_traits.progWork);
    return result;
}

}  // namespace vesko
