#include "pages/favourites/fav_page.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "base/commands.h"
#include "base/platform.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/favourites/fav_file.h"
#include "pages/services/element_splicer.h"
#include "pages/services/service_page.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

const FavPageTraits kFavTvTraits{FavKind::Tv,        kTvFavWork,           kRadioFavWork,
                                 kTvProgWork,        kCmdFavTvRename,      kCmdFavTvGroupUp,
                                 kCmdFavTvGroupDown, kCmdFavTvRename,      kCmdFavTvRemove,
                                 kCmdFavTvServiceUp, kCmdFavTvServiceDown, kCmdFavTvSearch};
const FavPageTraits kFavRadioTraits{
    FavKind::Radio,        kRadioFavWork,           kTvFavWork,
    kRadioProgWork,        kCmdFavRadioRename,      kCmdFavRadioGroupUp,
    kCmdFavRadioGroupDown, kCmdFavRadioRenameGrey,  kCmdFavRadioRemove,
    kCmdFavRadioServiceUp, kCmdFavRadioServiceDown, kCmdFavRadioSearch};

std::vector<ListColumn> GroupColumns() {
    return {{u"Index", 60}, {u"FAV Name", 120}};
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"FAV Name", 120}, {u"Service key", 100}, {u"Service Name", 120}};
}

// The names of the services with the given keys: the first service of the programme
// file carrying a key gives its name. One walk of the file for all of them.
std::unordered_map<std::u16string, std::u16string> ServiceNames(
    const char* progWork, const std::vector<std::u16string>& keys) {
    std::unordered_map<std::u16string, std::u16string> names;
    std::unordered_set<std::u16string> wanted(keys.begin(), keys.end());
    if (wanted.empty())
        return names;
    CXmlDoc prog;
    LoadWorkingCopy(prog, progWork);
    for (int record : RootChildren(prog, u"prog")) {
        const auto it = wanted.find(AttributeOf(prog, record, u"service_key"));
        if (it == wanted.end())
            continue;
        names.emplace(*it, prog.GetAttributeOf(record, u"name"));
        wanted.erase(it);
        if (wanted.empty())
            break;
    }
    return names;
}

std::vector<int> SelectedRows(const CDragListCtrl& list) {
    std::vector<int> rows;
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row))
        rows.push_back(row);
    return rows;
}

void SelectOnly(CDragListCtrl& list, int row) {
    list.BeginUpdate();
    list.ClearSelection();
    list.SelectAndShow(row);
    list.EndUpdate();
}

}  // namespace

CFavPage::CFavPage(FavKind kind)
    : m_traits(kind == FavKind::Tv ? kFavTvTraits : kFavRadioTraits),
      m_groupList(GroupColumns()),
      m_serviceList(ServiceColumns()) {
    // Every release over a list may be a click that picks a group or the end of a drop
    // that the files have to follow.
    m_groupList.SetAfterReleaseHandler([this] { AfterGroupRelease(); });
    m_serviceList.SetAfterReleaseHandler([this] { AfterServiceRelease(); });
}

void CFavPage::Reload() {
    FillGroupList();
    FillGroupServices(m_currentGroup);
}

void CFavPage::RestoreChoices(const std::vector<int>& choices) {
    if (choices.size() < 2)
        return;
    m_currentGroup = choices[0];
    if (choices[1] >= 0)
        FillGroupServices(choices[1]);
    else
        ClearServiceList();
}

void CFavPage::FillGroupList() {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    FillGroupList(favourites);
}

void CFavPage::FillGroupList(CXmlDoc& favourites) {
    m_groupList.BeginUpdate();
    m_groupList.DeleteAllItems();
    int row = 0;
    for (int group : RootChildren(favourites, u"fav")) {
        m_groupList.InsertItem(row, DecimalText(row));
        m_groupList.SetItemText(row, kGroupColName, favourites.GetAttributeOf(group, u"name"));
        ++row;
    }
    m_groupList.EndUpdate();
}

void CFavPage::FillGroupServices(int group) {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    m_serviceList.BeginUpdate();
    m_serviceList.DeleteAllItems();
    m_shownGroup = -1;
    if (group >= 0 && group < static_cast<int>(groups.size())) {
        m_shownGroup = group;
        const FavGroup& shown = groups[static_cast<size_t>(group)];
        const std::u16string name = favourites.GetAttributeOf(shown.record, u"name");
        std::vector<std::u16string> keys;
        for (int member : shown.members)
            keys.push_back(AttributeOf(favourites, member, u"service_key"));
        const auto names = ServiceNames(m_traits.progWork, keys);
        for (size_t row = 0; row < keys.size(); ++row) {
            const int r = static_cast<int>(row);
            m_serviceList.InsertItem(r, DecimalText(r));
            m_serviceList.SetItemText(r, kFavColGroupName, name);
            m_serviceList.SetItemText(r, kFavColServiceKey, keys[row]);
            const auto found = names.find(keys[row]);
            if (found != names.end())
                m_serviceList.SetItemText(r, kFavColServiceName, found->second);
        }
    }
    m_serviceList.EndUpdate();
}

void CFavPage::ClearServiceList() {
    m_serviceList.DeleteAllItems();
    m_shownGroup = -1;
}

int CFavPage::GetSelectedRow() const {
    return m_groupList.GetNextSelected(-1);
}

int CFavPage::GetGroupAttribute(int group, std::u16string_view name, std::u16string& value) const {
    if (group < 0)
        return -1;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    if (group >= static_cast<int>(groups.size()))
        return static_cast<int>(groups.size());
    value = favourites.GetAttributeOf(groups[static_cast<size_t>(group)].record, name);
    return group;
}

int CFavPage::SetGroupAttribute(int group, std::u16string_view name, std::u16string_view value) {
    if (group < 0)
        return -1;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    if (!EnterGroup(favourites, group))
        return static_cast<int>(ReadGroups(favourites).size());
    if (favourites.GetAttribute(name) != value) {
        favourites.SetAttribute(name, value);
        SaveWorkingCopy(favourites, m_traits.favWork);
    }
    return group;
}

void CFavPage::CopyGroupNames() {
    CXmlDoc own;
    CXmlDoc partner;
    LoadWorkingCopy(own, m_traits.favWork);
    LoadWorkingCopy(partner, m_traits.partnerFavWork);
    const std::vector<FavGroup> ownGroups = ReadGroups(own);
    const std::vector<FavGroup> partnerGroups = ReadGroups(partner);
    const size_t rounds = std::min({ownGroups.size(), partnerGroups.size(), size_t{kGroupCount}});
    bool changed = false;
    for (size_t k = 0; k < rounds; ++k) {
        const std::u16string name = own.GetAttributeOf(ownGroups[k].record, u"name");
        // Only a name that differs is written: the others keep their bytes.
        if (partner.GetAttributeOf(partnerGroups[k].record, u"name") == name)
            continue;
        EnterGroup(partner, static_cast<int>(k));
        partner.SetAttribute(u"name", name);
        changed = true;
    }
    if (changed)
        SaveWorkingCopy(partner, m_traits.partnerFavWork);
}

bool CFavPage::AtEdge(Platform& platform, int row, int delta, int rows) const {
    if (delta < 0 && row == 0) {
        platform.ShowMessage(kMessageCaption, kFirstRowMessage, MessageButtons::Ok);
        return true;
    }
    if (delta > 0 && row + 1 >= rows) {
        platform.ShowMessage(kMessageCaption, kLastRowMessage, MessageButtons::Ok);
        return true;
    }
    return false;
}

bool CFavPage::MoveGroupUp(Platform& platform) {
    return MoveGroup(platform, -1);
}
bool CFavPage::MoveGroupDown(Platform& platform) {
    return MoveGroup(platform, +1);
}

bool CFavPage::MoveGroup(Platform& platform, int delta) {
    const int row = GetSelectedRow();
    if (row < 0 || AtEdge(platform, row, delta, m_groupList.GetItemCount()))
        return false;
    const int target = row + delta;
    SwapGroups(m_traits.favWork, row, target);
    SwapGroups(m_traits.partnerFavWork, row, target);

    // Each row keeps its Index (its position); the names come back from the file.
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    m_groupList.BeginUpdate();
    for (int r : {row, target}) {
        if (r < static_cast<int>(groups.size())) {
            m_groupList.SetItemText(
                r, kGroupColName,
                favourites.GetAttributeOf(groups[static_cast<size_t>(r)].record, u"name"));
        }
    }
    SelectOnly(m_groupList, target);
    m_groupList.EndUpdate();
    // The service list shows what the file now holds at the current position; it holds
    // the same as before unless the current group was one of the two.
    if (m_shownGroup != m_currentGroup || m_currentGroup == row || m_currentGroup == target)
        FillGroupServices(m_currentGroup);
    return true;
}

int CFavPage::RemoveSelectedServices(int group) {
    m_orphanKeys.clear();
    if (group < 0)
        return -1;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    if (group >= static_cast<int>(groups.size()))
        return -1;
    const std::vector<int>& members = groups[static_cast<size_t>(group)].members;
    // Row r of the list is member r of the group: that member goes, when it still
    // carries the row's key (otherwise the list is not what the file holds).
    const std::vector<int> rows = SelectedRows(m_serviceList);
    ElementSplicer splicer(favourites.GetDoc());
    std::vector<int> pieces;
    for (int member : members)
        pieces.push_back(splicer.AddRecord(favourites, member));
    std::vector<std::u16string> removed;
    bool allFound = true;
    for (int row : rows) {
        const std::u16string& key = m_serviceList.GetItemText(row, kFavColServiceKey);
        const size_t position = static_cast<size_t>(row);
        const bool found = position < members.size() &&
                           AttributeOf(favourites, members[position], u"service_key") == key;
        allFound = allFound && found;
        if (found) {
            splicer.Remove(pieces[position]);
            removed.push_back(key);
        }
    }
    // How often each removed key is a member anywhere: one whose count falls to zero
    // is in no group any more.
    std::unordered_map<std::u16string, int> memberships;
    for (const std::u16string& key : removed)
        memberships.emplace(key, 0);
    for (const FavGroup& g : groups) {
        for (int member : g.members) {
            const auto it = memberships.find(AttributeOf(favourites, member, u"service_key"));
            if (it != memberships.end())
                ++it->second;
        }
    }
    for (const std::u16string& key : removed) {
        if (--memberships[key] == 0)
            m_orphanKeys.push_back(key);
    }
    if (!splicer.Unchanged()) {
        ReplaceDocumentText(favourites, splicer.Build());
        SaveWorkingCopy(favourites, m_traits.favWork);
    }

    if (!allFound) {
        // The list did not show what the file holds: show it now.
        FillGroupServices(group);
        return static_cast<int>(removed.size());
    }
    m_serviceList.BeginUpdate();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        m_serviceList.DeleteItem(*row);
    if (!rows.empty()) {
        const int follower = rows.back() - static_cast<int>(rows.size()) + 1;
        if (follower < m_serviceList.GetItemCount()) {
            m_serviceList.SetSelected(follower, true);
            m_serviceList.SetFocused(follower, true);
        }
    }
    m_serviceList.EndUpdate();
    return static_cast<int>(removed.size());
}

bool CFavPage::MoveServiceUp(Platform& platform) {
    return MoveService(platform, -1);
}
bool CFavPage::MoveServiceDown(Platform& platform) {
    return MoveService(platform, +1);
}

bool CFavPage::MoveService(Platform& platform, int delta) {
    const int row = m_serviceList.GetNextSelected(-1);
    if (row < 0 || AtEdge(platform, row, delta, m_serviceList.GetItemCount()))
        return false;
    const int target = row + delta;
    SwapServiceKeys(m_shownGroup, row, target);
    m_serviceList.BeginUpdate();
    for (int column = 0; column < m_serviceList.GetColumnCount(); ++column) {
        const std::u16string text = m_serviceList.GetItemText(row, column);
        m_serviceList.SetItemText(row, column, m_serviceList.GetItemText(target, column));
        m_serviceList.SetItemText(target, column, text);
    }
    SelectOnly(m_serviceList, target);
    m_serviceList.EndUpdate();
    return true;
}

void CFavPage::SwapServiceKeys(int group, int k1, int k2) {
    if (k1 < 0 || k2 < 0 || k1 == k2)
        return;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    if (group < 0 || group >= static_cast<int>(groups.size()))
        return;
    const std::vector<int>& members = groups[static_cast<size_t>(group)].members;
    const int count = static_cast<int>(members.size());
    if (k1 >= count || k2 >= count)
        return;
    std::vector<int> order;
    for (int k = 0; k < count; ++k)
        order.push_back(k == k1 ? k2 : k == k2 ? k1 : k);
    ReorderElements(favourites, members, order);
    SaveWorkingCopy(favourites, m_traits.favWork);
}

void CFavPage::RenumberGroupRows() {
    m_groupList.BeginUpdate();
    for (int row = 0; row < m_groupList.GetItemCount(); ++row)
        m_groupList.SetItemText(row, kGroupColIndex, DecimalText(row));
    m_groupList.EndUpdate();
}

void CFavPage::RenumberServiceRows() {
    m_serviceList.BeginUpdate();
    for (int row = 0; row < m_serviceList.GetItemCount(); ++row) {
        const std::u16string index = DecimalText(row);
        if (m_serviceList.GetItemText(row, kFavColIndex) != index)
            m_serviceList.SetItemText(row, kFavColIndex, index);
    }
    m_serviceList.EndUpdate();
}

int CFavPage::AddServiceToGroup(int group, std::u16string_view key) {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, m_traits.favWork);
    if (!EnterGroup(favourites, group))
        return -1;
    if (key.empty())
        return 0;  // no service
    while (favourites.FindChildElement(u"prog")) {
        if (favourites.GetAttributeOf(favourites.GetChildPos(), u"service_key") == key)
            return 0;
    }
    // After the walk the last member is the child position: the new one goes after it.
    favourites.AddChildElement(u"prog");
    favourites.IntoElement();
    favourites.SetAttribute(u"service_key", key);
    SaveWorkingCopy(favourites, m_traits.favWork);
    return 1;
}

std::u16string CFavPage::LookupServiceName(std::u16string_view key) const {
    const auto names = ServiceNames(m_traits.progWork, {std::u16string(key)});
    const auto found = names.find(std::u16string(key));
    return found == names.end() ? std::u16string() : found->second;
}

void CFavPage::OnGroupClick() {
    m_currentGroup = GetSelectedRow();
    FillGroupServices(m_currentGroup);
}

void CFavPage::OnGroupArrow(int delta) {
    const int row = GetSelectedRow();
    if ((delta < 0 && row == 0) || (delta > 0 && row == m_groupList.GetItemCount() - 1))
        return;
    m_currentGroup = row + (delta < 0 ? -1 : 1);
    FillGroupServices(m_currentGroup);
}

}  // namespace vesko
