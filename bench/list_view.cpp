// How long the TV page takes to show and edit the large generated database in the real
// main window (offscreen unless a platform is named): open, reload, scroll, drag,
// delete. Prints milliseconds; nothing is asserted.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "database/working_folder.h"
#include "database_generator.h"
#include "pages/services/service_page.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/main_window.h"

namespace vesko {
namespace {

// Answers every message box with its first button and runs no dialog.
class SilentPlatform : public Platform {
public:
    MessageAnswer ShowMessage(std::u16string_view, std::u16string_view, MessageButtons) override {
        return MessageAnswer::No;
    }
    std::filesystem::path ChooseFolder(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    std::filesystem::path ChooseFile(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    bool RunDialog(CDialogForm&) override { return false; }
    void OpenUrl(std::u16string_view) override {}
    void EndProcess(int) override {}
};

int Run() {
    WorkingFolder work;
    const std::filesystem::path folder = work.Path().parent_path() / "list-view-bench";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (!GenerateDatabase(folder, DatabaseSize::Large())) {
        std::fprintf(stderr, "the large database could not be generated\n");
        return 1;
    }
    SilentPlatform platform;
    MemorySettings settings;
    CEditorDlg editor(platform, settings);
    ui::MainWindow window(editor);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    auto* view = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    CServicePage& tv = editor.Page<CServicePage>(PageTab::Tv);
    CDragListCtrl& list = tv.List();

    // Opening reloads every page; the TV page's share is its Reload plus the view's reset.
    QElapsedTimer open;
    open.start();
    if (!editor.OpenDroppedFolder(folder)) {
        return 1;
    }
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 openMs = open.elapsed();
    const int rows = view->model()->rowCount();

    QElapsedTimer reload;
    reload.start();
    tv.Reload();
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 reloadMs = reload.elapsed();

    QElapsedTimer scroll;
    scroll.start();
    list.SelectAndShow(9999);
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 scrollMs = scroll.elapsed();

    // A drag of 100 rows from all over the list, applied to the working copy.
    QElapsedTimer drag;
    drag.start();
    list.BeginUpdate();
    list.ClearSelection();
    for (int row = 0; row < 10000; row += 100) {
        list.SetSelected(row, true);
    }
    list.EndUpdate();
    list.BeginDrag();
    list.OnDragMove(5000, 0);
    list.OnLeftButtonUp();
    QApplication::processEvents();
    const qint64 dragMs = drag.elapsed();
    const auto selectedAfterDrag = view->selectionModel()->selectedRows().size();

    // 1,000 selected services deleted with their favourite entries.
    QElapsedTimer remove;
    remove.start();
    list.BeginUpdate();
    list.ClearSelection();
    for (int row = 0; row < 1000; ++row) {
        list.SetSelected(row * 7, true);
    }
    list.EndUpdate();
    editor.OnCommand(kCmdTvDelete);
    QApplication::processEvents();
    const qint64 removeMs = remove.elapsed();
    const int rowsAfterDelete = view->model()->rowCount();

    std::printf(
        "open the large database (all pages): %lld ms (%d rows)\n"
        "TV reload and show: %lld ms\n"
        "select and show the last row: %lld ms\n"
        "drag 100 rows: %lld ms (%lld selected after)\n"
        "delete 1,000 services: %lld ms (%d rows left)\n",
        static_cast<long long>(openMs), rows, static_cast<long long>(reloadMs),
        static_cast<long long>(scrollMs), static_cast<long long>(dragMs),
        static_cast<long long>(selectedAfterDrag), static_cast<long long>(removeMs),
        rowsAfterDelete);
    std::filesystem::remove_all(folder, ec);
    return 0;
}

}  // namespace
}  // namespace vesko

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication app(argc, argv);
    return vesko::Run();
}
