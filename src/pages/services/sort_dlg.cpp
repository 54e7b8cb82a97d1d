#include "pages/services/sort_dlg.h"

#include <algorithm>

#include "pages/services/service_page.h"
#include "xml/decimal_text.h"

namespace vesko {

namespace {

// "name", "provider", "satellite", "service id": the field as it stands in a sentence.
constexpr std::array<std::u16string_view, 4> kFieldWords{u"name", u"provider", u"satellite",
                                                         u"service id"};

}  // namespace

void CSortServicesDlg::Open() {
    m_selectedCount = 0;
    m_serviceCount = 0;
    if (m_page != nullptr) {
        m_selectedCount = m_page->List().GetSelectedCount();
        m_serviceCount = m_page->List().GetItemCount();
    }
    m_selectedOnly = CanSortSelection();
}

SortChoice CSortServicesDlg::Choice() const {
    SortChoice choice;
    choice.field = static_cast<SortField>(std::clamp(m_field, 0, int(kFieldTexts.size()) - 1));
    choice.descending = m_descending;
    choice.selectedOnly = m_selectedOnly && CanSortSelection();
    return choice;
}

bool CSortServicesDlg::Ok() {
    if (m_page != nullptr)
        m_page->Sort(Choice());
    return true;
}

std::u16string CSortServicesDlg::StepText() const {
    const SortChoice choice = Choice();
    const int count = choice.selectedOnly ? m_selectedCount : m_serviceCount;
    const bool radio = m_page != nullptr && m_page->Kind() == ServiceKind::Radio;
    std::u16string text = u"Sort " + DecimalText(count) + (radio ? u" radio" : u" TV") +
                          (count == 1 ? u" service" : u" services") + u" by " +
                          std::u16string(kFieldWords[static_cast<size_t>(choice.field)]);
    if (choice.descending)
        text += u", descending";
    return text;
}

}  // namespace vesko
