#pragma once
// The Fav Tv and Fav Radio pages: the favourite groups of one favourites file on the
// left, the services of the current group on the right. One class, parameterised by
// the files and command numbers that differ between the two.

#include <string>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"

namespace vesko {

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

class CFavPage : public CPage {
public:
    // The receiver has this many favourite groups.
    static constexpr int kGroupCount = 32;

    explicit CFavPage(FavKind kind);
    CFavPage(const CFavPage&) = delete;
    CFavPage& operator=(const CFavPage&) = delete;

    const FavPageTraits& Traits() const { return m_traits; }
    CDragListCtrl& GroupList() { return m_groupList; }
    const CDragListCtrl& GroupList() const { return m_groupList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

    // The Fav Tv page keeps the Fav Radio page to refresh it after a group drag.
    void SetPartnerPage(CFavPage* partner) { m_partnerPage = partner; }
    CFavPage* PartnerPage() const { return m_partnerPage; }

    // CPage
    PageTab Tab() const override {
        return m_traits.kind == FavKind::Tv ? PageTab::FavTv : PageTab::FavRadio;
    }
    std::vector<CDragListCtrl*> Lists() override { return {&m_groupList, &m_serviceList}; }
    std::vector<std::string_view> WorkingCopiesRead() const override {
        return {m_traits.favWork, m_traits.progWork};
    }
    // Refills the page after a folder was opened.
    void Reload() override;

    int m_currentGroup = 0;  // group whose services are shown; -1 after a click on nothing
    std::vector<std::u16string> m_orphanKeys;  // removed keys now in no group

private:
    FavPageTraits m_traits;
    CDragListCtrl m_groupList;
    CDragListCtrl m_serviceList;
    CFavPage* m_partnerPage = nullptr;
};

using CFavTvPage = CFavPage;
using CFavRadioPage = CFavPage;

}  // namespace vesko
