// Not a timed assertion: prints how long the TV page takes to show and edit the large
// generated database.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "base/commands.h"
#include "database_generator.h"
#include "fake_platform.h"
#include "temp_dir.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"

namespace vesko {
namespace {

TEST(ListViewSpeed, TvPageShowsTheLargeDatabase) {
    testing::TestApp();
    testing::TempDir work{true};  // the working folder
    testing::TempDir scratch;
    const auto folder = scratch.Path() / "large";
    ASSERT_TRUE(GenerateDatabase(folder, DatabaseSize::Large()));
    testing::FakePlatform platform;
    CEditorDlg editor(platform);
    ui::MainWindow window(editor);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* view = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    CDragListCtrl& list = editor.TvPage().List();

    // Opening reloads every page; the TV page's share is its Reload plus the view's reset.
    QElapsedTimer open;
    open.start();
    ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 openMs = open.elapsed();
    ASSERT_EQ(view->model()->rowCount(), 10000);

    QElapsedTimer reload;
    reload.start();
    editor.TvPage().Reload();
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
    EXPECT_EQ(view->selectionModel()->selectedRows().size(), 100);

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
    EXPECT_EQ(view->model()->rowCount(), 9000);

    std::printf(
        "[ timing ] open the large database (all pages): %lld ms; TV reload and show "
        "10,000 rows: %lld ms; select and show the last row: %lld ms; drag 100 rows: "
        "%lld ms; delete 1,000 services: %lld ms\n",
        static_cast<long long>(openMs), static_cast<long long>(reloadMs),
        static_cast<long long>(scrollMs), static_cast<long long>(dragMs),
        static_cast<long long>(removeMs));
}

}  // namespace
}  // namespace vesko
