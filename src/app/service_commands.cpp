// The TV and Radio service commands: each calls the page's operations, runs the
// dialog that belongs to it and keeps the other pages in step. Whether the database
// changed is not counted here: the working copies tell.

#include "app/service_commands.h"

#include <string>

#include "app/editor_dlg.h"
#include "app/favourite_commands.h"
#include "app/order_commands.h"
#include "app/satellite_commands.h"
#include "app/search_commands.h"
#include "pages/search/search_dlg.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"

namespace vesko {

namespace {

// After an edited service was saved, the pages that show it again.
void RefreshOtherPagesAfterEdit(CEditorDlg& editor, ServiceKind kind) {
    // The favourites page of the same kind: its groups, and the services of its current
    // group (the group its list shows, so that what the user looks at stays in view).
    RefreshFavourites(editor, kind);
    // The service lists beside the satellites and transponders show the services of
    // each page's own current satellite or transponder again, the edited name included.
    RefreshSatelliteServiceLists(editor);
}

// After services were deleted: the favourites page of the same kind refills its group
// list and the services of its m_currentGroup, as the deleted services left its groups.
void RefreshFavouritesAfterDelete(CEditorDlg& editor, ServiceKind kind) {
    RefreshFavourites(editor, kind);
}

void EditService(CEditorDlg& editor, CServicePage& page) {
    const int row = page.GetSelectedRow();
    if (row == -1)
        return;
    CServiceEditDlg form(editor.GetPlatform());
    form.m_page = &page;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form))
        return;
    page.List().SelectAndShow(row);
    page.RefreshSelectedRows();
    RefreshOtherPagesAfterEdit(editor, page.Kind());
}

void DeleteServices(CEditorDlg& editor, CServicePage& page) {
    page.DeleteSelected();
    page.RenumberRows();
    RefreshFavouritesAfterDelete(editor, page.Kind());
}

// The names of a kind's commands: "tv.delete", "radio.delete", ...
struct CommandNames {
    std::string_view edit, remove, addToFav, moveUp, moveDown, skip, lock, search, sort;
};
constexpr CommandNames kTvNames{"tv.edit", "tv.delete", "tv.addToFav", "tv.moveUp", "tv.moveDown",
                                "tv.skip", "tv.lock",   "tv.search",   "tv.sort"};
constexpr CommandNames kRadioNames{"radio.edit",   "radio.delete",   "radio.addToFav",
                                   "radio.moveUp", "radio.moveDown", "radio.skip",
                                   "radio.lock",   "radio.search",   "radio.sort"};

}  // namespace

void AddServiceCommands(CommandTable& table, CEditorDlg& editor, CServicePage& page) {
    const ServicePageTraits& t = page.Traits();
    const CommandNames& names = page.Kind() == ServiceKind::Tv ? kTvNames : kRadioNames;
    const PageTab tab = page.Tab();
    Platform& platform = editor.GetPlatform();
    const auto on = [](PageKey key, SelectionNeed need = SelectionNeed::Any, bool ctrl = false) {
        return ListInput{0, {key, ctrl}, need};
    };
    // What Undo calls a step on the selected services: "Delete 3 services".
    const auto counted = [&page](std::u16string_view verb, std::u16string_view tail = {}) {
        return [&page, verb, tail] {
            return CountedText(verb, page.List().GetSelectedCount(), u"service", u"services", tail);
        };
    };

    table.Add({.number = t.cmdEdit,
               .name = names.edit,
               .page = tab,
               .inputs = {on(PageKey::Enter, SelectionNeed::One), on(PageKey::DoubleClick)},
               .run = [&editor, &page] { EditService(editor, page); },
               .changesData = true,
               .describe = [] { return std::u16string(u"Edit service"); }});
    table.Add({.number = t.cmdDelete,
               .name = names.remove,
               .page = tab,
               .inputs = {on(PageKey::Delete), on(PageKey::KeypadDecimal),
                          on(PageKey::LetterD, SelectionNeed::Any, true)},
               .run = [&editor, &page] { DeleteServices(editor, page); },
               .changesData = true,
               .describe = counted(u"Delete")});
    table.Add({.number = t.cmdAddToFav,
               .name = names.addToFav,
               .page = tab,
               .inputs = {on(PageKey::Insert)},
               .run = [&editor, &page] { AddServicesToFavourites(editor, page); },
               .changesData = true,
               .describe = counted(u"Add", u" to favourites")});
    table.Add({.number = t.cmdMoveUp,
               .name = names.moveUp,
               .page = tab,
               .inputs = {on(PageKey::Plus, SelectionNeed::One)},
               .run = [&page, &platform] { page.MoveUp(platform); },
               .changesData = true,
               .describe = [] { return std::u16string(u"Move service up"); }});
    table.Add({.number = t.cmdMoveDown,
               .name = names.moveDown,
               .page = tab,
               .inputs = {on(PageKey::Minus, SelectionNeed::One)},
               .run = [&page, &platform] { page.MoveDown(platform); },
               .changesData = true,
               .describe = [] { return std::u16string(u"Move service down"); }});
    table.Add({.number = t.cmdSkip,
               .name = names.skip,
               .page = tab,
               .run = [&page] { page.ToggleSkip(); },
               .changesData = true,
               .describe = counted(u"Toggle skip of")});
    table.Add({.number = t.cmdLock,
               .name = names.lock,
               .page = tab,
               .run = [&page] { page.ToggleLock(); },
               .changesData = true,
               .describe = counted(u"Toggle lock of")});
    table.Add({.number = t.cmdSort,
               .name = names.sort,
               .page = tab,
               .run = [&editor, &page] { SortServices(editor, page); },
               .changesData = true});
    const SearchKind search = page.Kind() == ServiceKind::Tv ? SearchKind::Tv : SearchKind::Radio;
    table.Add({.number = t.cmdSearch,
               .name = names.search,
               .page = tab,
               .inputs = {on(PageKey::F3), on(PageKey::LetterF, SelectionNeed::Any, true)},
               .run = [&editor, search] { RunSearch(editor, search); }});

    table.AddContextMenu({tab,
                          0,
                          SelectionNeed::One,
                          {{u"Edit", t.cmdEdit},
                           {u"Delete", t.cmdDelete},
                           {t.singleMenuAddToFav, t.cmdAddToFav},
                           {u"Move Up    +", t.cmdMoveUp},
                           {u"Move Down  -", t.cmdMoveDown},
                           {u"Skip", t.cmdSkip},
                           {u"Lock", t.cmdLock},
                           {u"Sort...", t.cmdSort},
                           {},
                           {u"Search    F3", t.cmdSearch}}});
    table.AddContextMenu({tab,
                          0,
                          SelectionNeed::Several,
                          {{u"Delete", t.cmdDelete},
                           {u"Add to Fav", t.cmdAddToFav},
                           {u"Skip", t.cmdSkip},
                           {u"Lock", t.cmdLock},
                           {u"Sort...", t.cmdSort},
                           {},
                           {u"Search  F3", t.cmdSearch}}});
}

}  // namespace vesko
