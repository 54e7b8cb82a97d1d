#include "pages/search/search_dlg.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <array>
#include <charconv>
#include <string>

#include "xml/decimal_text.h"

namespace vesko {

namespace {

constexpr int kNumber = SearchColumn::kResultNumber;

constexpr std::array<SearchColumn, 4> kServiceColumns{
    {{u"ProNo", 60, kNumber}, {u"Service Name", 160, 1}, {u"TpInfo", 120, 3}, {u"SerKey", 60, 11}}};
constexpr std::array<SearchColumn, 3> kFavColumns{
    {{u"Index", 60, kNumber}, {u"Service Name", 160, 3}, {u"SerKey", 60, 2}}};
constexpr std::array<SearchColumn, 3> kSatelliteColumns{
    {{u"Index", 60, kNumber}, {u"Satellite", 160, 1}, {u"SatKey", 60, 11}}};
constexpr std::array<SearchColumn, 3> kSatTpColumns{
    {{u"Index", 60, kNumber}, {u"Frequency", 160, 1}, {u"TpKey", 60, 6}}};
constexpr std::array<SearchColumn, 3> kTerCableColumns{
    {{u"Index", 60, kNumber}, {u"Frequency", 160, 1}, {u"TpKey", 60, 4}}};
// The program search copies no page column: its texts come from the Icon page's table.
constexpr std::array<SearchColumn, 5> kProgramColumns{{{u"No", 40, kNumber},
                                                       {u"Service Name", 140, kNumber},
                                                       {u"TpInfo", 120, kNumber},
                                                       {u"Page", 45, kNumber},
                                                       {u"idx", 40, kNumber}}};
constexpr int kProgramPageColumn = 3;
constexpr int kProgramSlotColumn = 4;
constexpr int kSlotsPerPage = 18;

constexpr std::u16string_view kServiceLabel = u"Search Service Name:";
constexpr std::u16string_view kFrequencyLabel = u"Search Tp Frequency:";

const std::array<SearchTraits, 9> kSearchTable{{
    {SearchKind::Tv, u"TvSearch", kServiceLabel, 50, 1, kServiceColumns, 3, 11, 226, 144, 210},
    {SearchKind::Radio, u"Radio Search", kServiceLabel, 50, 1, kServiceColumns, 3, 11, 221, 132,
     205},
    {SearchKind::FavTv, u"FavTvSearch", kServiceLabel, 50, 3, kFavColumns, 2, 2, 187, 94, 170},
    {SearchKind::FavRadio, u"FavRadioSearch", kServiceLabel, 50, 3, kFavColumns, 2, 2, 187, 94,
     170},
    {SearchKind::Satellite, u"Satellite Search", u"Search Satellite Name:", 0, 1, kSatelliteColumns,
     2, 11, 187, 94, 170},
    {SearchKind::SatTp, u"TpSearch", kFrequencyLabel, 40, 1, kSatTpColumns, 2, 6, 187, 94, 170},
    {SearchKind::TerTp, u"Ter TpSearch", kFrequencyLabel, 10, 1, kTerCableColumns, 2, 4, 187, 94,
     170},
    {SearchKind::CableTp, u"Cable TpSearch", kFrequencyLabel, 10, 1, kTerCableColumns, 2, 4, 187,
     94, 170},
    {SearchKind::Program, u"Search program", kServiceLabel, 40, 0, kProgramColumns, 0, 0, 219, 116,
     205},
}};

std::vector<ListColumn> ResultColumns(const SearchTraits& traits) {
    std::vector<ListColumn> columns;
    for (const SearchColumn& column : traits.columns) {
        columns.push_back({std::u16string(column.header), column.width});
    }
    return columns;
}

// The next code point of `text` from `at`, folded.
UChar32 NextFolded(std::u16string_view text, std::size_t& at) {
    const char16_t unit = text[at];
    if (unit < 0x80) {
        ++at;
        return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
    }
    UChar32 c = 0;
    U16_NEXT(text.data(), at, text.size(), c);
    return u_foldCase(c, U_FOLD_CASE_DEFAULT);
}

// A number typed into a result cell, read as the program search reads its page and
// slot texts: leading decimal digits with an optional sign; anything else is 0.
int ReadNumber(const std::u16string& text) {
    std::string narrow;
    for (const char16_t c : text) {
        if (c >= 0x80) {
            break;
        }
        narrow.push_back(static_cast<char>(c));
    }
    int value = 0;
    std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    return value;
}

}  // namespace

const SearchTraits& SearchTraitsOf(SearchKind kind) {
    return kSearchTable[static_cast<std::size_t>(kind)];
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    std::size_t t = 0;
    std::size_t p = 0;
    while (p < prefix.size()) {
        if (t >= text.size() || NextFolded(text, t) != NextFolded(prefix, p)) {
            return false;
        }
    }
    return true;
}

CSearchDlg::CSearchDlg(SearchKind kind)
    : m_traits(SearchTraitsOf(kind)), m_results(ResultColumns(m_traits)) {
    m_results.SetSingleSelection(true);
}

void CSearchDlg::SetText(std::u16string_view text) {
    if (m_traits.maxLength > 0 && text.size() > static_cast<std::size_t>(m_traits.maxLength)) {
        text = text.substr(0, static_cast<std::size_t>(m_traits.maxLength));
    }
    m_text = text;
    m_results.BeginUpdate();
    m_results.DeleteAllItems();
    if (!m_text.empty()) {
        if (m_traits.kind == SearchKind::Program) {
            FillProgramResults();
        } else {
            FillListResults();
        }
    }
    m_results.EndUpdate();
}

void CSearchDlg::FillListResults() {
    if (m_list == nullptr) {
        return;
    }
    const int rows = m_list->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (!StartsWithIgnoringCase(m_list->GetItemText(row, m_traits.matchedColumn), m_text)) {
            continue;
        }
        const int result = m_results.InsertItem(m_results.GetItemCount(), {});
        for (std::size_t column = 0; column < m_traits.columns.size(); ++column) {
            const int pageColumn = m_traits.columns[column].pageColumn;
            m_results.SetItemText(result, static_cast<int>(column),
                                  pageColumn == kNumber ? DecimalText(result + 1)
                                                        : m_list->GetItemText(row, pageColumn));
        }
    }
}

void CSearchDlg::FillProgramResults() {
    if (!m_entryCount || !m_entryAt) {
        return;
    }
    const int count = m_entryCount();
    for (int entry = 0; entry < count; ++entry) {
        const ProgramEntry found = m_entryAt(entry);
        if (!StartsWithIgnoringCase(found.name, m_text)) {
            continue;
        }
        const int result = m_results.InsertItem(m_results.GetItemCount(), {});
        m_results.SetItemText(result, 0, DecimalText(result + 1));
        m_results.SetItemText(result, 1, found.name);
        m_results.SetItemText(result, 2, found.transponder);
        m_results.SetItemText(result, kProgramPageColumn,
                              DecimalText((entry + 1 + kSlotsPerPage - 1) / kSlotsPerPage));
        m_results.SetItemText(result, kProgramSlotColumn, DecimalText(entry % kSlotsPerPage));
    }
}

bool CSearchDlg::Pick(int row) {
    if (m_traits.kind == SearchKind::Program) {
        ChooseProgram(row, u"-1");
        return true;
    }
    SelectKey(m_results.GetItemText(row, m_traits.keyResultColumn));
    return true;
}

bool CSearchDlg::Ok(int selectedRow) {
    const bool selected = selectedRow >= 0 && selectedRow < m_results.GetItemCount();
    const int row = selected ? selectedRow : 0;
    if (m_traits.kind == SearchKind::Program) {
        ChooseProgram(row, u"");
        return true;
    }
    const std::u16string& key = m_results.GetItemText(row, m_traits.keyResultColumn);
    if (!key.empty() || selected) {
        SelectKey(key);
    }
    return true;
}

// The first page row with exactly this key becomes the only selected one; then the
// page does what follows a pick on it (show the row's services).
void CSearchDlg::SelectKey(const std::u16string& key) {
    if (m_list == nullptr) {
        return;
    }
    m_list->ClearSelection();
    const int rows = m_list->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (m_list->GetItemText(row, m_traits.keyPageColumn) == key) {
            m_list->SelectAndShow(row);
            break;
        }
    }
    if (m_afterSelect) {
        m_afterSelect();
    }
}

// Without a result row the page and slot are read from `none`: "-1" after a double
// click beside the results, empty after OK on an empty list.
void CSearchDlg::ChooseProgram(int row, std::u16string_view noneText) {
    const bool isResult = row >= 0 && row < m_results.GetItemCount();
    const std::u16string none(noneText);
    m_chosenPage = ReadNumber(isResult ? m_results.GetItemText(row, kProgramPageColumn) : none) - 1;
    m_chosenSlot = ReadNumber(isResult ? m_results.GetItemText(row, kProgramSlotColumn) : none);
}

}  // namespace vesko
