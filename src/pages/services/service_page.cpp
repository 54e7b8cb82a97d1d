#include "pages/services/service_page.h"

#include <string>

#include "base/commands.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_record.h"
#include "pages/services/transponder_texts.h"
#include "xml/decimal_text.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

const ServicePageTraits kTvTraits{ServiceKind::Tv, kTvProgWork,    kTvFavWork,   kCmdTvEdit,
                                  kCmdTvDelete,    kCmdTvAddToFav, kCmdTvMoveUp, kCmdTvMoveDown,
                                  kCmdTvSkip,      kCmdTvLock,     kCmdTvSearch, u"Add to FAV",
                                  kCmdTvSort};
const ServicePageTraits kRadioTraits{
    ServiceKind::Radio, kRadioProgWork,  kRadioFavWork,     kCmdRadioEdit, kCmdRadioDelete,
    kCmdRadioAddToFav,  kCmdRadioMoveUp, kCmdRadioMoveDown, kCmdRadioSkip, kCmdRadioLock,
    kCmdRadioSearch,    u"Add To Fav",   kCmdRadioSort};

std::vector<ListColumn> ServiceColumns() {
    return {{u"ProNo", 60}, {u"Name", 160}, {u"provider", 100}, {u"Transponder", 140},
            {u"Lock", 45},  {u"Skip", 45},  {u"Free", 45},      {u"Fav", 35},
            {u"Video", 50}, {u"Audio", 50}, {u"PCR", 50},       {u"SerKey", 60},
            {u"TpKey", 60}};
}

std::u16string RowNumber(int row) {
    return DecimalText(row + 1);
}

}  // namespace

CServicePage::CServicePage(ServiceKind kind)
    : m_traits(kind == ServiceKind::Tv ? kTvTraits : kRadioTraits), m_list(ServiceColumns()) {
    // Every release over the list may end a drop that the file has to follow.
    m_list.SetAfterReleaseHandler([this] { AfterListEvent(); });
}

// The services, their favourite marks and the transponder texts of the three
// transponder files.
std::vector<std::string_view> CServicePage::WorkingCopiesRead() const {
    return {m_traits.progWork, m_traits.favWork, kSatWork, kSatTerWork, kSatCableWork};
}

void CServicePage::Reload() {
    m_list.BeginUpdate();
    m_list.DeleteAllItems();
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    const FavouriteMembers favourites = FavouriteMembers::Load(m_traits.favWork);
    TransponderTexts transponders = TransponderTexts::Load();

    int row = 0;
    ShownFieldStorage storage;
    ForEachChild(prog, u"prog", [&](int) {
        const ServiceView record = ReadShownViews(prog, storage);
        m_list.InsertItem(row, RowNumber(row));
        SetRowFromRecord(row, record, transponders.Text(record[kFieldSatKey], record[kFieldTpKey]),
                         favourites);
        ++row;
        return true;
    });
    m_list.EndUpdate();
}

// Every cell of a row but column 0, from a service record.
void CServicePage::SetRowFromRecord(int row, const ServiceView& record,
                                    const std::u16string& transponderText,
                                    const FavouriteMembers& favourites) {
    m_list.SetItemText(row, kColName, record[kFieldName]);
    m_list.SetItemText(row, kColProvider, record[kFieldProvider]);
    m_list.SetItemText(row, kColTransponder, transponderText);
    SetRowImages(row, record, favourites);
    m_list.SetItemText(row, kColVideo, record[kFieldVideoPid]);
    m_list.SetItemText(row, kColAudio, record[kFieldAudioPid]);
    m_list.SetItemText(row, kColPcr, record[kFieldPcrPid]);
    m_list.SetItemText(row, kColSerKey, record[kFieldServiceKey]);
    m_list.SetItemText(row, kColTpKey, record[kFieldTpKey]);
}

// Lock and Skip only for exactly "1"; Free for anything but exactly "NULL" (absent
// included); the heart only for a real member of a group.
void CServicePage::SetRowImages(int row, const ServiceView& record,
                                const FavouriteMembers& favourites) {
    using Img = CDragListCtrl::Image;
    m_list.SetItemImage(row, kColLock,
                        record[kFieldBlock] == u"1" ? Img::kImagePadlock : Img::kImageBlank);
    m_list.SetItemImage(row, kColSkip,
                        record[kFieldBskip] == u"1" ? Img::kImageCheck : Img::kImageBlank);
    m_list.SetItemImage(row, kColFree,
                        record[kFieldEncrypt] != u"NULL" ? Img::kImageDollar : Img::kImageBlank);
    m_list.SetItemImage(
        row, kColFav,
        favourites.Contains(record[kFieldServiceKey]) ? Img::kImageHeart : Img::kImageBlank);
}

int CServicePage::GetSelectedRow() const {
    return m_list.GetNextSelected(-1);
}

void CServicePage::RenumberRows() {
    m_list.BeginUpdate();
    char16_t digits[16];
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        // Most rows already carry their number (a move changes a few); leave those.
        char16_t* end = digits + std::size(digits);
        char16_t* begin = end;
        for (unsigned n = static_cast<unsigned>(row) + 1; n != 0; n /= 10)
            *--begin = static_cast<char16_t>(u'0' + n % 10);
        const std::u16string_view number(begin, static_cast<size_t>(end - begin));
        if (m_list.GetItemText(row, kColNumber) != number)
            m_list.SetItemText(row, kColNumber, number);
    }
    m_list.EndUpdate();
}

void CServicePage::RefreshSelectedRows() {
    CXmlDoc prog;
    LoadWorkingCopy(prog, m_traits.progWork);
    std::vector<std::u16string> keys;
    for (int row = m_list.GetNextSelected(-1); row >= 0; row = m_list.GetNextSelected(row)) {
        keys.push_back(m_list.GetItemText(row, kColSerKey));
    }
    RefreshSelectedRows(ReadServiceRecords(prog, keys));
}

// The same from the records of the first service with each key.
void CServicePage::RefreshSelectedRows(const RecordsByKey& records) {
    const FavouriteMembers favourites = FavouriteMembers::Load(m_traits.favWork);
    const ServiceRecord missing;
    for (int row = m_list.GetNextSelected(-1); row >= 0; row = m_list.GetNextSelected(row)) {
        const auto it = records.find(m_list.GetItemText(row, kColSerKey));
        ShowNameAndImages(row, it == records.end() ? missing : it->second, favourites);
    }
}

void CServicePage::ShowNameAndImages(int row, const ServiceRecord& record,
                                     const FavouriteMembers& favourites) {
    m_list.SetItemText(row, kColName, record[kFieldName]);
    SetRowImages(row, ViewOf(record), favourites);
}

}  // namespace vesko
