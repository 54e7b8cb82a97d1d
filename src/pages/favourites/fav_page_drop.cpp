// Drag and drop on the favourite lists: after the list control moved the dragged rows
// into one block, the files are brought into the order the list shows. The rows'
// Index texts still hold the positions they had in the file, so the new order is read
// from them, and the elements are moved whole.

#include <optional>
#include <string>
#include <vector>

#include "base/commands.h"
#include "database/working_copy.h"
#include "pages/favourites/fav_file.h"
#include "pages/favourites/fav_page.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::optional<int> ParseIndex(std::u16string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// Row j's Index text, for every row: a permutation of 0 .. rows - 1, or nothing when
// the list does not tell one (a row without an index, or two with the same).
std::vector<int> DroppedOrder(const CDragListCtrl& list, int indexColumn) {
    const int rows = list.GetItemCount();
    std::vector<int> order;
    std::vector<bool> seen(static_cast<size_t>(rows), false);
    for (int row = 0; row < rows; ++row) {
        const std::optional<int> index = ParseIndex(list.GetItemText(row, indexColumn));
        if (!index || *index >= rows || seen[static_cast<size_t>(*index)])
            return {};
        seen[static_cast<size_t>(*index)] = true;
        order.push_back(*index);
    }
    return order;
}

}  // namespace

int CFavPage::ApplyGroupDrop(const char* favWork) {
    CXmlDoc favourites;
    return ApplyGroupDrop(favWork, favourites);
}

// Leaves `favourites` holding what the file holds afterwards.
int CFavPage::ApplyGroupDrop(const char* favWork, CXmlDoc& favourites) {
    const std::vector<int> rowOrder = DroppedOrder(m_groupList, kGroupColIndex);
    if (rowOrder.empty())
        return -1;
    LoadWorkingCopy(favourites, favWork);
    const std::vector<int> groups = RootChildren(favourites, u"fav");
    const int rows = static_cast<int>(rowOrder.size());
    const int count = static_cast<int>(groups.size());
    if (favWork == std::string_view(m_traits.favWork)) {
        // The rows must be this file's groups, or a group could go missing.
        if (count != rows)
            return -1;
        for (int row = 0; row < rows; ++row) {
            const int group = groups[static_cast<size_t>(rowOrder[static_cast<size_t>(row)])];
            if (favourites.GetAttributeOf(group, u"name") !=
                m_groupList.GetItemText(row, kGroupColName))
                return -1;
        }
    }
    // The partner file may hold a different number of groups: its groups take the
    // order the rows give them, and any groups beyond the rows stay at the end.
    std::vector<int> order;
    for (int index : rowOrder) {
        if (index < count)
            order.push_back(index);
    }
    for (int index = rows; index < count; ++index)
        order.push_back(index);
    if (ReorderElements(favourites, groups, order))
        SaveWorkingCopy(favourites, favWork);
    return 0;
}

int CFavPage::ApplyServiceDrop() {
    const std::vector<int> order = DroppedOrder(m_serviceList, kFavColIndex);
    if (m_shownGroup < 0 || order.empty())
        return -1;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    if (m_shownGroup >= static_cast<int>(groups.size()))
        return -1;
    const std::vector<int>& members = groups[static_cast<size_t>(m_shownGroup)].members;
    if (members.size() != order.size())
        return -1;
    for (size_t row = 0; row < order.size(); ++row) {
        const int member = members[static_cast<size_t>(order[row])];
        if (AttributeOf(favourites, member, u"service_key") !=
            m_serviceList.GetItemText(static_cast<int>(row), kFavColServiceKey))
            return -1;
    }
    if (ReorderElements(favourites, members, order))
        SaveWorkingCopy(favourites, m_traits.favWork);
    return 0;
}

void CFavPage::AfterGroupRelease() {
    if (!m_groupList.m_dropped)
        return;
    m_groupList.m_dropped = false;
    // A release without a drag of rows is a click that picks a group.
    if (m_groupList.m_draggedCount == 0) {
        OnGroupClick();
        return;
    }
    m_groupDropPending = true;
    // Both files change together: the main window completes the drop as one command,
    // and refreshes the other favourites page.
    if (m_send) {
        m_send(kCmdFavGroupsDragged);
        return;
    }
    CompleteGroupDrop(m_partnerPage);
    if (m_partnerPage)
        m_partnerPage->ClearServiceList();
}

bool CFavPage::CompleteGroupDrop(CFavPage* partner) {
    if (!m_groupDropPending)
        return false;
    m_groupDropPending = false;
    CXmlDoc favourites;
    if (ApplyGroupDrop(m_traits.favWork, favourites) == 0) {
        // The partner follows the order the rows' Index texts tell; then the rows,
        // which stand where the file has them now, get their new Index.
        CXmlDoc partnerFavourites;
        ApplyGroupDrop(m_traits.partnerFavWork, partnerFavourites);
        RenumberGroupRows();
        if (partner)
            partner->FillGroupList(partnerFavourites);
    } else {
        FillGroupList();
        if (partner)
            partner->FillGroupList();
    }
    ClearServiceList();
    const int end = m_groupList.m_dropIndex;
    m_groupList.BeginUpdate();
    m_groupList.ClearSelection();
    for (int row = end - m_groupList.m_draggedCount; row < end; ++row) {
        m_groupList.SetSelected(row, true);
        m_groupList.SetFocused(row, true);
    }
    m_groupList.EnsureVisible(end - 1);
    m_groupList.EndUpdate();
    m_groupList.m_draggedCount = 0;
    return true;
}

void CFavPage::AfterServiceRelease() {
    if (!m_serviceList.m_dropped)
        return;
    m_serviceList.m_dropped = false;
    if (m_serviceList.m_draggedCount == 0)
        return;
    const int result = ApplyServiceDrop();
    RenumberServiceRows();
    if (result == -1)
        FillGroupServices(m_shownGroup);
    m_serviceList.m_draggedCount = 0;
}

}  // namespace vesko
