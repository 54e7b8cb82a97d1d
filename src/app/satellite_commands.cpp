// The satellite commands: each calls the page's operations, runs the dialog that
// belongs to it and keeps the other pages in step.

#include "app/satellite_commands.h"

#include "app/editor_dlg.h"
#include "app/search_commands.h"
#include "base/commands.h"
#include "pages/satellites/sat_edit_dlg.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/search/search_dlg.h"

namespace vesko {

namespace {

void EditSatellite(CEditorDlg& editor, CSatellitePage& page) {
    const int row = page.GetSelectedRow();
    if (row == -1) {
        return;
    }
    CSatEditDlg form(editor.GetPlatform());
    form.m_page = &page;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form)) {
        return;
    }
    page.FillSatelliteList(page.m_tunerIndex);
    page.SatelliteList().SelectAndShow(row);
    // The choice names the satellites.
    editor.Page<CTransponderPage>(PageTab::SatTp).FillSatelliteChoice();
}

}  // namespace

void AddSatelliteCommands(CommandTable& table, CEditorDlg& editor, CSatellitePage& page) {
    const PageTab tab = page.Tab();
    const auto on = [](PageKey key, SelectionNeed need = SelectionNeed::Any, bool ctrl = false) {
        return ListInput{0, {key, ctrl}, need};
    };
    table.Add({.number = kCmdSatEdit,
               .name = "satellite.edit",
               .page = tab,
               .inputs = {on(PageKey::Enter, SelectionNeed::One), on(PageKey::DoubleClick)},
               .run = [&editor, &page] { EditSatellite(editor, page); },
               .changesData = true});
    table.Add({.number = kCmdSatSearch,
               .name = "satellite.search",
               .page = tab,
               .inputs = {on(PageKey::F3), on(PageKey::LetterF, SelectionNeed::Any, true)},
               .run = [&editor] { RunSearch(editor, SearchKind::Satellite); }});

    table.AddContextMenu(
        {tab, 0, SelectionNeed::One, {{u"Edit", kCmdSatEdit}, {u"Search   F3", kCmdSatSearch}}});
    table.AddContextMenu({tab,
                          0,
                          SelectionNeed::Several,
                          {{u"Edit", kCmdSatEditGrey, true}, {u"Search   F3", kCmdSatSearch}}});
}

void RefreshSatelliteServiceLists(CEditorDlg& editor) {
    for (const PageTab tab : {PageTab::SatTp, PageTab::TerTp, PageTab::CableTp}) {
        auto& transponders = editor.Page<CTransponderPage>(tab);
        if (const int row = transponders.GetSelectedRow(); row >= 0) {
            transponders.m_selectedRow = row;
        }
        transponders.RefreshServiceList();
    }
    editor.Page<CSatellitePage>(PageTab::Satellite).RefreshServiceList();
}

}  // namespace vesko
