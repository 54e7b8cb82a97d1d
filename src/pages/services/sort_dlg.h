#pragma once
// CSortServicesDlg: the form of the "Sort services" dialog of the TV and Radio pages:
// what to sort by, which way, and whether the selected rows or the whole list. OK
// sorts (CServicePage::Sort).

#include <array>
#include <string>
#include <string_view>

#include "base/platform.h"
#include "pages/services/service_sort.h"

namespace vesko {

class CServicePage;

class CSortServicesDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"Sort services";
    // The choices of the "Sort by" list, in the order of SortField.
    static constexpr std::array<std::u16string_view, 4> kFieldTexts{
        u"Name", u"Provider", u"Satellite (position, frequency)", u"Service id"};

    // Takes the page's selection: sorting the selected rows is offered from two selected
    // rows on, and is then what the dialog proposes; otherwise the whole list is.
    void Open();
    bool CanSortSelection() const { return m_selectedCount >= 2; }
    // Sorts as chosen; true (the dialog closes).
    bool Ok();
    // What Undo calls the sort: "Sort 12 TV services by name, descending".
    std::u16string StepText() const;

    CServicePage* m_page = nullptr;  // set by the main window before the dialog runs
    int m_field = 0;                 // index into kFieldTexts
    bool m_descending = false;
    bool m_selectedOnly = false;
    int m_selectedCount = 0;
    int m_serviceCount = 0;

private:
    SortChoice Choice() const;
};

}  // namespace vesko
