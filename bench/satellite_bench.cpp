// The satellite and transponder pages' commands on 150 satellites with 6,000
// transponders, 60 cable and 40 terrestrial ones, 10,000 TV and 2,000 radio services.

#include "base/commands.h"
#include "command_bench.h"
#include "database/schema.h"
#include "pages/satellites/sat_edit_dlg.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"

namespace vesko::bench {

namespace {

CTransponderPage& Tp(CEditorDlg& editor, PageTab tab = PageTab::SatTp) {
    return editor.Page<CTransponderPage>(tab);
}

// A satellite of the large database with at least `count` transponders, shown on Sat Tp.
void ShowSatelliteWith(CEditorDlg& editor, int count) {
    CTransponderPage& page = Tp(editor);
    page.m_satIndex = 0;
    for (int index = 100; index < 150; ++index) {
        if (page.CountTransponders(index) >= count) {
            page.m_satIndex = index;
            break;
        }
    }
    page.FillTransponderList(page.m_satIndex);
}

// The services pages filled (a deletion takes rows off them), the transponders of a
// page shown and `count` of its rows selected, `step` apart from `first`.
std::function<void(CEditorDlg&)> TransponderRows(PageTab tab, int first, int count, int step) {
    return [=](CEditorDlg& editor) {
        editor.Page<CServicePage>(PageTab::Tv).Reload();
        editor.Page<CServicePage>(PageTab::Radio).Reload();
        if (tab == PageTab::SatTp) {
            ShowSatelliteWith(editor, first + count * step + 1);
        } else {
            Tp(editor, tab).FillTransponderList(0);
        }
        SelectRows(Tp(editor, tab).TransponderList(), first, count, step);
    };
}

// The rows dragged below the last row but one.
std::function<void(CEditorDlg&)> Dragged(PageTab tab, int count) {
    return [=](CEditorDlg& editor) {
        TransponderRows(tab, 0, count, 1)(editor);
        CDragListCtrl& list = Tp(editor, tab).TransponderList();
        list.BeginDrag();
        list.HighlightDropRow(list.GetItemCount() - 2);
    };
}

// What a deletion is, as the TV page's delete case times it: the page's operation and
// the rows it takes off the TV and Radio lists (not the command's unit of work, nor the
// refill of the services shown beside).
std::function<void(CEditorDlg&)> DeleteAndRemoveRows(PageTab tab) {
    return [=](CEditorDlg& editor) {
        CTransponderPage& page = Tp(editor, tab);
        page.DeleteSelectedTransponders(page.CurrentSatIndex());
        for (const PageTab services : {PageTab::Tv, PageTab::Radio}) {
            editor.Page<CServicePage>(services).RemoveRowsOnTransponders(page.m_deletedKeys);
            editor.Page<CServicePage>(services).RenumberRows();
        }
    };
}

}  // namespace

std::vector<BenchCase> SatelliteCases(BenchPlatform& platform) {
    const std::vector<const char*> deleteTouches{kSatWork, kTvProgWork, kRadioProgWork, kTvFavWork,
                                                 kRadioFavWork};
    return {
        {"Sat Tp: pick a satellite (list, services)",
         {kSatWork, kTvProgWork},
         {},
         [](CEditorDlg& editor) { Tp(editor).SelectSatellite(120); }},
        {"Sat Tp: delete 20 transponders", deleteTouches, TransponderRows(PageTab::SatTp, 2, 20, 1),
         DeleteAndRemoveRows(PageTab::SatTp)},
        {"Sat Tp: delete 20 (whole command)", deleteTouches,
         TransponderRows(PageTab::SatTp, 2, 20, 1),
         [](CEditorDlg& editor) { editor.OnCommand(kCmdSatTpDelete); }},
        // The release also shows the services of the first moved transponder.
        {"Sat Tp: drag 10 transponders",
         {kSatWork, kTvProgWork},
         Dragged(PageTab::SatTp, 10),
         [](CEditorDlg& editor) { Tp(editor).TransponderList().OnLeftButtonUp(); }},
        {"Satellite: edit dialog (open and OK)",
         {kSatWork},
         [](CEditorDlg& editor) {
             auto& page = editor.Page<CSatellitePage>(PageTab::Satellite);
             page.m_tunerIndex = 1;
             page.FillSatelliteList(1);
             SelectRows(page.SatelliteList(), 75, 1, 1);
         },
         [&platform](CEditorDlg& editor) {
             CSatEditDlg form(platform);
             form.m_page = &editor.Page<CSatellitePage>(PageTab::Satellite);
             form.Open();
             form.m_name = u"Renamed";
             form.SelectLnb(4);
             form.Ok();
         }},
        {"Sat Tp: add a transponder (open and OK)",
         {kSatWork, kSatTerWork, kSatCableWork},
         [](CEditorDlg& editor) { ShowSatelliteWith(editor, 1); },
         [&platform](CEditorDlg& editor) {
             CTpEditDlg form(platform, Tp(editor), true);
             form.Open();
             form.m_polarization.selected = 1;  // the default frequency is V's lowest
             form.m_sym = u"1234";
             form.Ok();
         }},
        {"Cable Tp: delete 10 transponders",
         {kSatCableWork, kTvProgWork, kRadioProgWork, kTvFavWork, kRadioFavWork},
         TransponderRows(PageTab::CableTp, 2, 10, 3),
         DeleteAndRemoveRows(PageTab::CableTp)},
        {"Cable Tp: drag 10 transponders",
         {kSatCableWork, kTvProgWork},
         Dragged(PageTab::CableTp, 10),
         [](CEditorDlg& editor) {
             Tp(editor, PageTab::CableTp).TransponderList().OnLeftButtonUp();
         }},
        {"Ter Tp: delete 10 transponders",
         {kSatTerWork, kTvProgWork, kRadioProgWork, kTvFavWork, kRadioFavWork},
         TransponderRows(PageTab::TerTp, 2, 10, 3),
         DeleteAndRemoveRows(PageTab::TerTp)},
        {"Ter Tp: drag 10 transponders",
         {kSatTerWork, kTvProgWork},
         Dragged(PageTab::TerTp, 10),
         [](CEditorDlg& editor) { Tp(editor, PageTab::TerTp).TransponderList().OnLeftButtonUp(); }},
    };
}

}  // namespace vesko::bench
