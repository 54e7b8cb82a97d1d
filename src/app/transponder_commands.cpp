// The transponder commands of the three transponder pages: each calls the page's
// operations, runs the page's edit dialog and keeps the other pages in step.

#include "app/transponder_commands.h"

#include "app/editor_dlg.h"
#include "app/favourite_commands.h"
#include "app/search_commands.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/satellites/transponder_page.h"
#include "pages/search/search_dlg.h"
#include "pages/services/service_page.h"

namespace vesko {

namespace {

// After transponders took services along: both favourites pages show their groups
// again, with the services of the group each shows.
void RefreshFavouritePages(CEditorDlg& editor) {
    RefreshFavourites(editor, ServiceKind::Tv);
    RefreshFavourites(editor, ServiceKind::Radio);
}

// The row selected and in view, with its services beside it.
void ShowRow(CTransponderPage& page, int row) {
    page.TransponderList().SelectAndShow(row);
    page.m_selectedRow = row;
    page.RefreshServiceList();
}

void EditTransponder(CEditorDlg& editor, CTransponderPage& page) {
    const int row = page.GetSelectedRow();
    if (row < 0) {
        return;
    }
    // A satellite transponder is checked against the LNB of the tuner the Satellite
    // page shows.
    const int tuner = page.Traits().hasSatelliteChoice
                          ? editor.Page<CSatellitePage>(PageTab::Satellite).m_tunerIndex
                          : 0;
    CTpEditDlg form(editor.GetPlatform(), page, false, tuner);
    form.Open();
    const std::u16string before = page.ServiceTransponderText(row);
    if (!editor.GetPlatform().RunDialog(form)) {
        return;
    }
    page.FillTransponderList(page.CurrentSatIndex());
    ShowRow(page, row);
    // The services on the transponder show where they are received.
    const std::u16string after = page.ServiceTransponderText(row);
    if (after != before) {
        const CDragListCtrl& list = page.TransponderList();
        const std::u16string& tpKey = list.GetItemText(row, list.GetColumnCount() - 1);
        for (const PageTab tab : {PageTab::Tv, PageTab::Radio}) {
            editor.Page<CServicePage>(tab).ReplaceTransponderText(tpKey, before, after);
        }
    }
}

void AddTransponder(CEditorDlg& editor, CTransponderPage& page) {
    CTpEditDlg form(editor.GetPlatform(), page, true);
    form.Open();
    if (!editor.GetPlatform().RunDialog(form)) {
        return;
    }
    // The new transponder is the selected row.
    page.m_selectedRow = page.GetSelectedRow();
    page.RefreshServiceList();
}

void DeleteTransponders(CEditorDlg& editor, CTransponderPage& page) {
    page.DeleteSelectedTransponders(page.CurrentSatIndex());
    for (const PageTab tab : {PageTab::Tv, PageTab::Radio}) {
        auto& services = editor.Page<CServicePage>(tab);
        services.RemoveRowsOnTransponders(page.m_deletedKeys);
        services.RenumberRows();
    }
    page.m_deletedKeys.clear();
    RefreshFavouritePages(editor);
    // The satellite list itself does not change; the services it shows beside it only
    // when they are those of this satellite.
    auto& satellites = editor.Page<CSatellitePage>(PageTab::Satellite);
    if (page.Traits().hasSatelliteChoice &&
        satellites.ShowsServicesOf(page.CurrentSatelliteKey())) {
        satellites.RefreshServiceList();
    }
    // The list lost the same rows as the file: it needs no refill, only new numbers.
    page.RenumberRows();
    ShowRow(page, page.GetSelectedRow());
    if (page.LastTransponderKept()) {
        editor.GetPlatform().ShowMessage(kMessageCaption, kLastTransponderKept, MessageButtons::Ok);
    }
}

// The names of a kind's commands: "satTp.edit", "terTp.edit", ...
struct CommandNames {
    std::string_view edit, remove, add, search;
};
constexpr CommandNames kSatTpNames{"satTp.edit", "satTp.delete", "satTp.add", "satTp.search"};
constexpr CommandNames kTerTpNames{"terTp.edit", "terTp.delete", "terTp.add", "terTp.search"};
constexpr CommandNames kCableTpNames{"cableTp.edit", "cableTp.delete", "cableTp.add",
                                     "cableTp.search"};

const CommandNames& NamesOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Terrestrial:
            return kTerTpNames;
        case TransponderKind::Cable:
            return kCableTpNames;
        default:
            return kSatTpNames;
    }
}

}  // namespace

void AddTransponderCommands(CommandTable& table, CEditorDlg& editor, CTransponderPage& page) {
    const TransponderPageTraits& t = page.Traits();
    const CommandNames& names = NamesOf(t.kind);
    const PageTab tab = page.Tab();
    const auto on = [](PageKey key, SelectionNeed need = SelectionNeed::Any, bool ctrl = false) {
        return ListInput{0, {key, ctrl}, need};
    };

    table.Add({.number = t.cmdEdit,
               .name = names.edit,
               .page = tab,
               .inputs = {on(PageKey::Enter, SelectionNeed::One), on(PageKey::DoubleClick)},
               .run = [&editor, &page] { EditTransponder(editor, page); },
               .changesData = true});
    table.Add({.number = t.cmdDelete,
               .name = names.remove,
               .page = tab,
               .inputs = {on(PageKey::Delete), on(PageKey::KeypadDecimal),
                          on(PageKey::LetterD, SelectionNeed::Any, true)},
               .run = [&editor, &page] { DeleteTransponders(editor, page); },
               .changesData = true});
    table.Add({.number = t.cmdAdd,
               .name = names.add,
               .page = tab,
               .inputs = {on(PageKey::Insert)},
               .run = [&editor, &page] { AddTransponder(editor, page); },
               .changesData = true});
    const SearchKind search = t.kind == TransponderKind::Satellite     ? SearchKind::SatTp
                              : t.kind == TransponderKind::Terrestrial ? SearchKind::TerTp
                                                                       : SearchKind::CableTp;
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
                           {u"Add", t.cmdAdd},
                           {u"Search  F3", t.cmdSearch}}});
    table.AddContextMenu({tab,
                          0,
                          SelectionNeed::Several,
                          {{u"Edit", t.cmdEdit, true},
                           {u"Delete", t.cmdDelete},
                           {u"Add", t.cmdAdd, true},
                           {u"Search  F3", t.cmdSearch}}});
}

}  // namespace vesko
