#include "pages/favourites/fav_rename_dlg.h"

#include "pages/favourites/fav_page.h"

namespace vesko {

bool CFavRenameDlg::IsTvVariant() const {
    return m_page == nullptr || m_page->Kind() == FavKind::Tv;
}

void CFavRenameDlg::Open() {
    m_group = m_page != nullptr ? m_page->GetSelectedRow() : -1;
    m_name = IsTvVariant() ? u"FAV100" : u"";
    if (m_group != -1)
        m_page->GetGroupAttribute(m_group, u"name", m_name);
    m_storedName = m_name;
}

bool CFavRenameDlg::Ok() {
    const int limit = NameLimit();
    if (limit > 0 && m_name != m_storedName && m_name.size() > static_cast<size_t>(limit)) {
        m_platform->ShowMessage(kMessageCaption, kNameTooLong, MessageButtons::Ok);
        return false;
    }
    if (m_page == nullptr || m_group < 0)
        return true;
    m_page->SetGroupAttribute(m_group, u"name", m_name);
    m_page->CopyGroupNames();
    return true;
}

}  // namespace vesko
