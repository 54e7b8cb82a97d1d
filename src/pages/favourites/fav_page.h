#pragma once
// The Fav Tv and Fav Radio pages: the favourite groups of one favourites file on the
// left, the services of the current group on the right. One class, parameterised by
// the files and command numbers that differ between the two.
//
// Row n of the group list is the n-th `fav` of the favourites working copy; row j of
// the service list is the j-th member of the group the list shows. The Index column of
// both lists holds the row's position in the file, which is how a drop tells which
// group or member a row stands for. TV and radio groups are parallel: names, moves and
// drags of groups go into both favourites files.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"

namespace vesko {

class CXmlDoc;
class Platform;

enum class FavKind { Tv = 0, Radio = 1 };

// What differs between the Fav Tv and the Fav Radio page.
struct FavPageTraits {
    FavKind kind;
    const char* favWork;         // favourites working copy shown by the page
    const char* partnerFavWork;  // the other kind's favourites (names and order follow)
    const char* progWork;        // programme working copy for the service names
    int cmdRename, cmdGroupUp, cmdGroupDown;
    int cmdRenameGrey;  // the first entry of the several-groups menu
    int cmdRemove, cmdServiceUp, cmdServiceDown, cmdSearch;
};

// Columns of the group list and of the service list.
enum FavGroupColumn : int { kGroupColIndex = 0, kGroupColName };
enum FavServiceColumn : int {
    kFavColIndex = 0,
    kFavColGroupName,
    kFavColServiceKey,
    kFavColServiceName,
};

class CFavPage : public CPage {
public:
    // The receiver has this many favourite groups.
    static constexpr int kGroupCount = 32;
    // A group takes services up to this many members.
    static constexpr int kMemberLimit = 300;

    explicit CFavPage(FavKind kind);
    CFavPage(const CFavPage&) = delete;
    CFavPage& operator=(const CFavPage&) = delete;

    const FavPageTraits& Traits() const { return m_traits; }
    FavKind Kind() const { return m_traits.kind; }
    CDragListCtrl& GroupList() { return m_groupList; }
    const CDragListCtrl& GroupList() const { return m_groupList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

    // The Fav Tv page keeps the Fav Radio page to refresh it after a group drag.
    void SetPartnerPage(CFavPage* partner) { m_partnerPage = partner; }
    CFavPage* PartnerPage() const { return m_partnerPage; }
    // How the page raises a command to the main window (the one that completes a group
    // drag). Without one, the page completes the drag itself.
    void SetCommandSender(std::function<void(int)> send) { m_send = std::move(send); }

    // CPage
    PageTab Tab() const override {
        return m_traits.kind == FavKind::Tv ? PageTab::FavTv : PageTab::FavRadio;
    }
    std::vector<CDragListCtrl*> Lists() override { return {&m_groupList, &m_serviceList}; }
    std::vector<std::string_view> WorkingCopiesRead() const override {
        return {m_traits.favWork, m_traits.progWork};
    }
    // Refills the page after a folder was opened: the groups, and the services of the
    // current group.
    void Reload() override;

    // One row per group: Index and FAV Name (from the working copy, or from a document
    // that holds it already).
    void FillGroupList();
    void FillGroupList(CXmlDoc& favourites);
    // One row per member of the group (none when there is no such group).
    void FillGroupServices(int group);
    void ClearServiceList();
    // The group whose members the service list shows; -1 when it shows none.
    int ShownGroup() const { return m_shownGroup; }
    // First selected row of the group list, -1 when none.
    int GetSelectedRow() const;

    // Value of an attribute of group `group` ("" when absent). Returns the group, the
    // number of groups when it is past the last (value untouched), -1 when negative.
    int GetGroupAttribute(int group, std::u16string_view name, std::u16string& value) const;
    // Sets it and saves the favourites file; returns like GetGroupAttribute. A value
    // equal to the stored one writes nothing.
    int SetGroupAttribute(int group, std::u16string_view name, std::u16string_view value);
    // Gives each group of the partner file the name of the group at the same position
    // here (up to 32) and saves the partner file when a name changed.
    void CopyGroupNames();

    // Exchange the selected group with the one above / below, in both files. At the edge
    // the user is told so and nothing changes. True when a move was made.
    bool MoveGroupUp(Platform& platform);
    bool MoveGroupDown(Platform& platform);

    // Takes the selected services out of group `group`; m_orphanKeys then holds the
    // removed keys that are in no group any more. Returns how many went, -1 for no group.
    int RemoveSelectedServices(int group);
    // Exchange the selected service with the one above / below in its group.
    bool MoveServiceUp(Platform& platform);
    bool MoveServiceDown(Platform& platform);
    // Exchanges members k1 and k2 of group `group`, whole.
    void SwapServiceKeys(int group, int k1, int k2);
    // The Index column of every service row becomes its position.
    void RenumberServiceRows();

    // Appends a member with `key` to group `group` and saves: 1 when added, 0 when the
    // group holds the key already, -1 when there is no such group.
    int AddServiceToGroup(int group, std::u16string_view key);
    // The name of the first service with this key in the programme file, "" for none.
    std::u16string LookupServiceName(std::u16string_view key) const;

    // A click on the group list (a release without a drag): its first selected group
    // becomes the current one and its services are shown.
    void OnGroupClick();
    // Up or down arrow on the group list, before the list moves its selection.
    void OnGroupArrow(int delta);

    // Drag and drop. ApplyGroupDrop brings a favourites file into the group order the
    // list shows after a drop (this page's file, or the partner's, which follows it);
    // ApplyServiceDrop the shown group into the order of the service list. 0 when done
    // (or nothing moved), -1 when the list does not match the file (nothing written).
    int ApplyGroupDrop(const char* favWork);
    int ApplyServiceDrop();
    // Completes a group drop the list reported: both files, then this page's lists and
    // the group list of `partner` (the page of the other file; may be null). False when
    // no drop was waiting.
    bool CompleteGroupDrop(CFavPage* partner);

    int m_currentGroup = 0;  // group whose services are shown; -1 after a click on nothing
    std::vector<std::u16string> m_orphanKeys;  // removed keys now in no group

protected:
    std::vector<int> SaveChoices() const override { return {m_currentGroup, m_shownGroup}; }
    void RestoreChoices(const std::vector<int>& choices) override;

private:
    bool MoveGroup(Platform& platform, int delta);
    bool MoveService(Platform& platform, int delta);
    bool AtEdge(Platform& platform, int row, int delta, int rows) const;
    void AfterGroupRelease();
    void AfterServiceRelease();
    int ApplyGroupDrop(const char* favWork, CXmlDoc& favourites);
    void RenumberGroupRows();

    FavPageTraits m_traits;
    CDragListCtrl m_groupList;
    CDragListCtrl m_serviceList;
    CFavPage* m_partnerPage = nullptr;
    std::function<void(int)> m_send;
    int m_shownGroup = -1;
    bool m_groupDropPending = false;
};

using CFavTvPage = CFavPage;
using CFavRadioPage = CFavPage;

}  // namespace vesko
