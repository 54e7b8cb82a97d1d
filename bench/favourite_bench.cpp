// The favourites commands on 32 groups of up to 300 services, run through the editor
// as the user runs them (the dialogs answered by the case).

#include "base/commands.h"
#include "command_bench.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/favourites/fav_file.h"
#include "pages/favourites/fav_page.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_page.h"

namespace vesko::bench {

namespace {

CFavPage& FavTv(CEditorDlg& editor) {
    return editor.Page<CFavPage>(PageTab::FavTv);
}

// Both favourites pages filled as after an open, the current group shown.
void ReloadFavourites(CEditorDlg& editor) {
    FavTv(editor).Reload();
    editor.Page<CFavPage>(PageTab::FavRadio).Reload();
}

// The TV group with the most members.
int LargestGroup() {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, kTvFavWork);
    int best = 0;
    for (int group = 1; group < CFavPage::kGroupCount; ++group) {
        if (CountGroupServices(favourites, group) > CountGroupServices(favourites, best))
            best = group;
    }
    return best;
}

}  // namespace

std::vector<BenchCase> FavouriteCases(BenchPlatform& platform) {
    const std::vector<const char*> bothFavs{kTvFavWork, kRadioFavWork};
    const std::vector<const char*> favsAndProgs{kTvFavWork, kRadioFavWork, kTvProgWork,
                                                kRadioProgWork};
    return {
        // The refresh afterwards shows the current group's services: names from tv_prog.
        {"add 1,000 TV services to 5 groups",
         {kTvFavWork, kTvProgWork},
         [&platform](CEditorDlg& editor) {
             CServicePage& tv = editor.Page<CServicePage>(PageTab::Tv);
             tv.Reload();
             SelectRows(tv.List(), 3, 1000, 9);
             ReloadFavourites(editor);
             platform.dialog = [](CDialogForm& form) {
                 auto& add = dynamic_cast<CAddToFavDlg&>(form);
                 for (int group : {0, 5, 10, 20, 31})
                     add.m_checks[static_cast<size_t>(group)] = 1;
                 return add.Ok();
             };
         },
         [](CEditorDlg& editor) { editor.OnCommand(kCmdTvAddToFav); }},
        {"remove 300 selected services from a group",
         {kTvFavWork},
         [](CEditorDlg& editor) {
             ReloadFavourites(editor);
             CFavPage& page = FavTv(editor);
             page.m_currentGroup = LargestGroup();
             page.FillGroupServices(page.m_currentGroup);
             SelectRows(page.ServiceList(), 0, page.ServiceList().GetItemCount(), 1);
         },
         [](CEditorDlg& editor) { editor.OnCommand(kCmdFavTvRemove); }},
        // The group the user looks at moves: its new services are looked up.
        {"swap two groups (the shown one up)", favsAndProgs,
         [](CEditorDlg& editor) {
             ReloadFavourites(editor);
             CFavPage& page = FavTv(editor);
             page.m_currentGroup = 5;
             page.FillGroupServices(5);
             SelectRows(page.GroupList(), 5, 1, 1);
         },
         [](CEditorDlg& editor) { editor.OnCommand(kCmdFavTvGroupUp); }},
        {"drag 5 groups", bothFavs,
         [](CEditorDlg& editor) {
             ReloadFavourites(editor);
             CDragListCtrl& groups = FavTv(editor).GroupList();
             SelectRows(groups, 10, 5, 1);
             groups.BeginDrag();
             groups.HighlightDropRow(25);
         },
         [](CEditorDlg& editor) { FavTv(editor).GroupList().OnLeftButtonUp(); }},
        {"rename a group (open and OK)", favsAndProgs,
         [&platform](CEditorDlg& editor) {
             ReloadFavourites(editor);
             SelectRows(FavTv(editor).GroupList(), 3, 1, 1);
             platform.dialog = [](CDialogForm& form) {
                 auto& rename = dynamic_cast<CFavRenameDlg&>(form);
                 rename.m_name = u"Sport & News";
                 return rename.Ok();
             };
         },
         [](CEditorDlg& editor) { editor.OnCommand(kCmdFavTvRename); }},
    };
}

}  // namespace vesko::bench
