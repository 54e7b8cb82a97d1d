// The favourites commands: each calls the page's operations, runs the dialog that
// belongs to it and keeps the partner page and the service page of the same kind in
// step. Whether the database changed is not counted here: the working copies tell.

#include "app/favourite_commands.h"

#include <string_view>

#include "app/editor_dlg.h"
#include "app/search_commands.h"
#include "base/commands.h"
#include "pages/favourites/fav_page.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/search/search_dlg.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_page.h"

namespace vesko {

namespace {

CFavPage& FavPageOf(CEditorDlg& editor, FavKind kind) {
    return editor.Page<CFavPage>(kind == FavKind::Tv ? PageTab::FavTv : PageTab::FavRadio);
}

CFavPage& OtherPage(CEditorDlg& editor, const CFavPage& page) {
    return FavPageOf(editor, page.Kind() == FavKind::Tv ? FavKind::Radio : FavKind::Tv);
}

CServicePage& ServicePageOf(CEditorDlg& editor, FavKind kind) {
    return editor.Page<CServicePage>(kind == FavKind::Tv ? PageTab::Tv : PageTab::Radio);
}

// The groups again, and the services of the group the page calls current.
void ShowAgain(CFavPage& page) {
    page.FillGroupList();
    page.FillGroupServices(page.m_currentGroup);
}

void RenameGroup(CEditorDlg& editor, CFavPage& page) {
    const int row = page.GetSelectedRow();
    if (row == -1)
        return;
    CFavRenameDlg form(editor.GetPlatform());
    form.m_page = &page;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form))
        return;
    page.FillGroupList();
    page.GroupList().SelectAndShow(row);
    page.FillGroupServices(row);
    ShowAgain(OtherPage(editor, page));
}

void RemoveServices(CEditorDlg& editor, CFavPage& page) {
    // The services the list shows are those of the group it was filled with.
    page.RemoveSelectedServices(page.ShownGroup());
    page.RenumberServiceRows();
    ServicePageOf(editor, page.Kind()).ClearFavouriteMark(page.m_orphanKeys);
}

void MoveGroup(CEditorDlg& editor, CFavPage& page, bool up) {
    Platform& platform = editor.GetPlatform();
    if (up ? page.MoveGroupUp(platform) : page.MoveGroupDown(platform))
        ShowAgain(OtherPage(editor, page));
}

void MoveService(CEditorDlg& editor, CFavPage& page, bool up) {
    Platform& platform = editor.GetPlatform();
    if (up ? page.MoveServiceUp(platform) : page.MoveServiceDown(platform))
        page.RenumberServiceRows();
}

// A group drag on either page: both files take the new order in this one command, the
// other page shows the groups again and empties its service list.
void CompleteGroupDrag(CEditorDlg& editor) {
    for (FavKind kind : {FavKind::Tv, FavKind::Radio}) {
        CFavPage& page = FavPageOf(editor, kind);
        CFavPage& other = OtherPage(editor, page);
        if (page.CompleteGroupDrop(&other))
            other.ClearServiceList();
    }
    editor.Page<CTransponderPage>(PageTab::SatTp).FillSatelliteChoice();
    auto& satellites = editor.Page<CSatellitePage>(PageTab::Satellite);
    satellites.FillSatelliteList(satellites.m_tunerIndex);
}

// The names of a kind's commands, and the texts that differ between the two pages'
// menus.
struct FavCommandNames {
    std::string_view rename, groupUp, groupDown, remove, serviceUp, serviceDown, search;
    std::u16string_view severalUp, severalDown, severalSearch;
};
constexpr FavCommandNames kFavTvNames{
    "favTv.rename",      "favTv.groupUp", "favTv.groupDown", "favTv.remove",  "favTv.serviceUp",
    "favTv.serviceDown", "favTv.search",  u"Move Up    +",   u"Move Down  -", u"Search    F3"};
constexpr FavCommandNames kFavRadioNames{
    "favRadio.rename",    "favRadio.groupUp",     "favRadio.groupDown", "favRadio.remove",
    "favRadio.serviceUp", "favRadio.serviceDown", "favRadio.search",    u"Move  Up  +",
    u"Move Down -",       u"Search   F3"};

}  // namespace

void AddFavouriteCommands(CommandTable& table, CEditorDlg& editor, CFavPage& page) {
    const FavPageTraits& t = page.Traits();
    const FavCommandNames& names = page.Kind() == FavKind::Tv ? kFavTvNames : kFavRadioNames;
    const PageTab tab = page.Tab();
    constexpr int kGroups = 0;
    constexpr int kServices = 1;
    const auto on = [](int list, PageKey key, SelectionNeed need = SelectionNeed::Any,
                       bool ctrl = false) {
        return ListInput{list, {key, ctrl}, need};
    };
    page.SetCommandSender([&editor](int command) { editor.OnCommand(command); });
    const auto text = [](std::u16string_view words) {
        return [words] { return std::u16string(words); };
    };

    table.Add({.number = t.cmdRename,
               .name = names.rename,
               .page = tab,
               .inputs = {on(kGroups, PageKey::Enter, SelectionNeed::One),
                          on(kGroups, PageKey::DoubleClick)},
               .run = [&editor, &page] { RenameGroup(editor, page); },
               .changesData = true,
               .describe = text(u"Rename group")});
    table.Add({.number = t.cmdGroupUp,
               .name = names.groupUp,
               .page = tab,
               .inputs = {on(kGroups, PageKey::Plus, SelectionNeed::One)},
               .run = [&editor, &page] { MoveGroup(editor, page, true); },
               .changesData = true,
               .describe = text(u"Move group up")});
    table.Add({.number = t.cmdGroupDown,
               .name = names.groupDown,
               .page = tab,
               .inputs = {on(kGroups, PageKey::Minus, SelectionNeed::One)},
               .run = [&editor, &page] { MoveGroup(editor, page, false); },
               .changesData = true,
               .describe = text(u"Move group down")});
    table.Add({.number = t.cmdRemove,
               .name = names.remove,
               .page = tab,
               .inputs = {on(kServices, PageKey::Delete), on(kServices, PageKey::KeypadDecimal),
                          on(kServices, PageKey::LetterD, SelectionNeed::Any, true)},
               .run = [&editor, &page] { RemoveServices(editor, page); },
               .changesData = true,
               .describe =
                   [&page] {
                       return CountedText(u"Remove", page.ServiceList().GetSelectedCount(),
                                          u"service", u"services", u" from the group");
                   }});
    // Moves inside a group change the file like any other edit, so they count as
    // changes too.
    table.Add({.number = t.cmdServiceUp,
               .name = names.serviceUp,
               .page = tab,
               .inputs = {on(kServices, PageKey::Plus, SelectionNeed::One)},
               .run = [&editor, &page] { MoveService(editor, page, true); },
               .changesData = true,
               .describe = text(u"Move service up in the group")});
    table.Add({.number = t.cmdServiceDown,
               .name = names.serviceDown,
               .page = tab,
               .inputs = {on(kServices, PageKey::Minus, SelectionNeed::One)},
               .run = [&editor, &page] { MoveService(editor, page, false); },
               .changesData = true,
               .describe = text(u"Move service down in the group")});
    const SearchKind search = page.Kind() == FavKind::Tv ? SearchKind::FavTv : SearchKind::FavRadio;
    table.Add({.number = t.cmdSearch,
               .name = names.search,
               .page = tab,
               .inputs = {on(kServices, PageKey::F3),
                          on(kServices, PageKey::LetterF, SelectionNeed::Any, true)},
               .run = [&editor, search] { RunSearch(editor, search); }});
    if (page.Kind() == FavKind::Radio) {
        // Raised by either page after a group drag, never by the user. It writes only
        // for a drag that is waiting, so no command of the table marks it as a change.
        table.Add({.number = kCmdFavGroupsDragged, .name = "fav.groupsDragged", .run = [&editor] {
                       CompleteGroupDrag(editor);
                   }});
    }

    table.AddContextMenu({tab,
                          kGroups,
                          SelectionNeed::One,
                          {{u"Rename", t.cmdRename},
                           {u"Move Up    +", t.cmdGroupUp},
                           {u"Move Down  -", t.cmdGroupDown}}});
    table.AddContextMenu({tab,
                          kGroups,
                          SelectionNeed::Several,
                          {{u"Rename", t.cmdRenameGrey, true},
                           {u"Move Up    +", t.cmdGroupUp, true},
                           {u"Move Down  -", t.cmdGroupDown, true}}});
    table.AddContextMenu({tab,
                          kServices,
                          SelectionNeed::One,
                          {{u"Remove", t.cmdRemove},
                           {u"Move  Up  +", t.cmdServiceUp},
                           {u"Move Down -", t.cmdServiceDown},
                           {},
                           {u"Search   F3", t.cmdSearch}}});
    table.AddContextMenu({tab,
                          kServices,
                          SelectionNeed::Several,
                          {{u"Remove", t.cmdRemove},
                           {std::u16string(names.severalUp), t.cmdServiceUp, true},
                           {std::u16string(names.severalDown), t.cmdServiceDown, true},
                           {},
                           {std::u16string(names.severalSearch), t.cmdSearch}}});
}

void AddServicesToFavourites(CEditorDlg& editor, CServicePage& page) {
    if (page.GetSelectedRow() < 0)
        return;
    CAddToFavDlg form;
    form.m_page = &page;
    form.m_mode = page.Kind() == ServiceKind::Tv ? 0 : 1;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form))
        return;
    RefreshFavourites(editor, page.Kind());
}

void RefreshFavourites(CEditorDlg& editor, ServiceKind kind) {
    ShowAgain(FavPageOf(editor, kind == ServiceKind::Tv ? FavKind::Tv : FavKind::Radio));
}

}  // namespace vesko
