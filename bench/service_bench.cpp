// The TV page's commands on 10,000 services.

#include "command_bench.h"
#include "database/schema.h"
#include "pages/search/search_dlg.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"

namespace vesko::bench {

namespace {

CServicePage& Tv(CEditorDlg& editor) {
    return editor.Page<CServicePage>(PageTab::Tv);
}

// The TV list filled, and the given rows selected.
std::function<void(CEditorDlg&)> TvWithRows(int first, int count, int step) {
    return [=](CEditorDlg& editor) {
        Tv(editor).Reload();
        SelectRows(Tv(editor).List(), first, count, step);
    };
}

}  // namespace

std::vector<BenchCase> ServiceCases(BenchPlatform& platform) {
    const std::vector<const char*> progAndFav{kTvProgWork, kTvFavWork};
    return {
        {"Reload (10,000 rows)",
         {kTvProgWork, kTvFavWork, kSatWork, kSatTerWork, kSatCableWork},
         {},
         [](CEditorDlg& editor) { Tv(editor).Reload(); }},
        {"delete 1,000 selected services", progAndFav, TvWithRows(3, 1000, 9),
         [](CEditorDlg& editor) {
             Tv(editor).DeleteSelected();
             Tv(editor).RenumberRows();
         }},
        {"move a service down", progAndFav, TvWithRows(5000, 1, 1),
         [&platform](CEditorDlg& editor) { Tv(editor).MoveDown(platform); }},
        {"toggle lock on 1,000 services",
         {kTvProgWork},
         TvWithRows(7, 1000, 9),
         [](CEditorDlg& editor) { Tv(editor).ToggleLock(); }},
        {"drag 100 rows", progAndFav,
         [](CEditorDlg& editor) {
             TvWithRows(2000, 100, 1)(editor);
             Tv(editor).List().BeginDrag();
             Tv(editor).List().HighlightDropRow(7000);
         },
         [](CEditorDlg& editor) { Tv(editor).List().OnLeftButtonUp(); }},
        // Open reads the service and where it is received; OK writes name, lock and skip.
        {"edit a service (open and OK)",
         {kTvProgWork, kSatWork},
         TvWithRows(5000, 1, 1),
         [&platform](CEditorDlg& editor) {
             CServiceEditDlg form(platform);
             form.m_page = &Tv(editor);
             form.Open();
             form.m_name = u"Renamed";
             form.m_lock = CServiceEditDlg::kYes;
             form.Ok();
         }},
        // A search reads no file: its floor is what reading the programme file once
        // would cost, to show that typing never waits for the disk.
        {"TvSearch: type one character (10,000 rows)",
         {kTvProgWork},
         TvWithRows(0, 1, 1),
         [](CEditorDlg& editor) {
             CSearchDlg form(SearchKind::Tv);
             form.m_list = &Tv(editor).List();
             form.SetText(u"b");
         }},
    };
}

}  // namespace vesko::bench
