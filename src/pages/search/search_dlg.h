#pragma once
// CSearchDlg: the form of every search dialog. One edit box and a result list: while
// the user types, the list shows each row of the page's list whose name (or frequency)
// begins with the typed text, ignoring case; picking a result selects that row in the
// page's list. The nine dialogs differ only in the row of the table they are made from
// (SearchTraits). A search reads what the list already shows and never opens a file.
//
// The program search of the Icon page searches the page's table of services instead
// and hands a page and a slot back.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "base/platform.h"
#include "controls/drag_list_ctrl.h"

namespace vesko {

enum class SearchKind { Tv, Radio, FavTv, FavRadio, Satellite, SatTp, TerTp, CableTp, Program };

// A column of the result list: the page column it copies, or the result number.
struct SearchColumn {
    static constexpr int kResultNumber = -1;
    std::u16string_view header;
    int width;  // pixels
    int pageColumn;
};

// What makes one search dialog.
struct SearchTraits {
    SearchKind kind;
    std::u16string_view title;
    std::u16string_view label;
    int maxLength;      // characters the edit box takes; 0: no limit
    int matchedColumn;  // the page column that must begin with the typed text
    std::span<const SearchColumn> columns;
    int keyResultColumn;  // the result column holding the key ...
    int keyPageColumn;    // ... and the page column it is found in again
    // Layout in dialog units: the dialog, the edit box's width, the list's width.
    int width, editWidth, listWidth;
};

const SearchTraits& SearchTraitsOf(SearchKind kind);

// True when `text` begins with `prefix`, compared without regard to case: letters are
// folded by their Unicode case folding, so "bb" finds "BBC" and "нов" finds "Новости".
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// One service of the Icon page's table, as the program search sees it.
struct ProgramEntry {
    std::u16string_view name;
    std::u16string_view transponder;
};

class CSearchDlg : public CDialogForm {
public:
    explicit CSearchDlg(SearchKind kind);

    const SearchTraits& Traits() const { return m_traits; }
    CDragListCtrl& Results() { return m_results; }
    const CDragListCtrl& Results() const { return m_results; }
    const std::u16string& Text() const { return m_text; }

    // The search text changed: the results are those of the new text (cut to the
    // maximum length, as the edit box would).
    void SetText(std::u16string_view text);
    // A double click on result row `row` (-1: none selected): selects the page row with
    // that result's key and closes with OK.
    bool Pick(int row);
    // The OK button: the selected result row, or the first result when none is
    // selected. Always closes with OK.
    bool Ok(int selectedRow);

    // Set before the dialog runs. A list search: the list searched and what the page
    // does after a row was selected (show its services, say).
    CDragListCtrl* m_list = nullptr;
    std::function<void()> m_afterSelect;
    // The program search: how many entries there are now, and entry d.
    std::function<int()> m_entryCount;
    std::function<ProgramEntry(int)> m_entryAt;

    // The program search's answer: the page (0-based) and the slot picked.
    int m_chosenPage = 0;
    int m_chosenSlot = 0;

private:
    void FillListResults();
    void FillProgramResults();
    void SelectKey(const std::u16string& key);
    void ChooseProgram(int row, std::u16string_view noneText);

    const SearchTraits& m_traits;
    std::u16string m_text;
    CDragListCtrl m_results;
};

}  // namespace vesko
