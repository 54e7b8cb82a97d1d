#include "pages/services/add_to_fav_dlg.h"

#include <vector>

#include "database/working_copy.h"
#include "pages/favourites/fav_file.h"
#include "pages/favourites/fav_page.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_page.h"
#include "xml/xml_doc.h"

namespace vesko {

void CAddToFavDlg::Open() {
    m_captions.fill({});
    m_offered.fill(false);
    if (m_page == nullptr)
        return;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_page->Traits().favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    for (size_t k = 0; k < groups.size() && k < m_captions.size(); ++k) {
        m_captions[k] = favourites.GetAttributeOf(groups[k].record, u"name");
        m_offered[k] = true;
    }
}

bool CAddToFavDlg::Ok() {
    if (m_page != nullptr)
        AddSelectedToFavourites(*m_page, m_checks);
    return true;
}

void AddSelectedToFavourites(CServicePage& page,
                             const std::array<int, CAddToFavDlg::kBoxCount>& checks) {
    std::vector<int> groups;
    for (int k = 0; k < CAddToFavDlg::kBoxCount; ++k) {
        if (checks[static_cast<size_t>(k)] != 0)
            groups.push_back(k);
    }
    CDragListCtrl& list = page.List();
    std::vector<int> rows;
    std::vector<std::u16string> keys;
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row)) {
        rows.push_back(row);
        keys.push_back(list.GetItemText(row, kColSerKey));
    }
    if (groups.empty() || rows.empty())
        return;
    const char* favWork = page.Traits().favWork;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, favWork);
    if (AddMembers(favourites, keys, groups, CFavPage::kMemberLimit))
        SaveWorkingCopy(favourites, favWork);
    // The heart shows where the service really is in a group now; a full group or a
    // group the file does not have leaves it as it was.
    const FavouriteMembers members(favourites);
    list.BeginUpdate();
    for (size_t k = 0; k < rows.size(); ++k) {
        if (members.Contains(keys[k]))
            list.SetItemImage(rows[k], kColFav, CDragListCtrl::kImageHeart);
    }
    list.EndUpdate();
}

}  // namespace vesko
