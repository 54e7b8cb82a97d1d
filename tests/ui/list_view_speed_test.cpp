// Not a timed assertion: prints how long the TV list takes to show 10,000 rows.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "app/test_folder.h"
#include "fake_platform.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"

namespace vesko {
namespace {

TEST(ListViewSpeed, TvPageShowsTenThousandRows) {
    testing::TestApp();
    testing::FakePlatform platform;
    CEditorDlg editor(platform);
    ui::MainWindow window(editor);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* view = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    CDragListCtrl& list = editor.TvPage().List();
    ASSERT_EQ(list.GetColumnCount(), 13);

    QElapsedTimer fill;
    fill.start();
    list.BeginUpdate();
    for (int row = 0; row < 10000; ++row) {
        const std::u16string number = QString::number(row + 1).toStdU16String();
        list.InsertItem(row, number);
        list.SetItemText(row, 1, u"Service " + number);
        list.SetItemText(row, 2, u"Provider");
        list.SetItemText(row, 3, u"11778/27500/V");
        for (int column = 4; column < 8; ++column) {
            list.SetItemImage(row, column, row % 3 == 0 ? CDragListCtrl::kImagePadlock : 0);
        }
        for (int column = 8; column < 13; ++column) {
            list.SetItemText(row, column, number);
        }
    }
    const qint64 fillMs = fill.elapsed();

    QElapsedTimer show;
    show.start();
    list.EndUpdate();  // the view hears one reset
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 showMs = show.elapsed();

    QElapsedTimer scroll;
    scroll.start();
    list.SelectAndShow(9999);
    view->viewport()->repaint();
    QApplication::processEvents();
    const qint64 scrollMs = scroll.elapsed();

    // A drag of 100 rows from all over the list, with the view following every step.
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

    // 1,000 rows deleted one at a time, as a page deletes its selected rows.
    QElapsedTimer remove;
    remove.start();
    for (int n = 0; n < 1000; ++n) {
        list.DeleteItem(list.GetItemCount() / 2);
    }
    QApplication::processEvents();
    const qint64 removeMs = remove.elapsed();

    std::printf("[ timing ] fill 10,000 x 13 rows: %lld ms; view shows them: %lld ms; "
                "select and show the last row: %lld ms; drag 100 rows: %lld ms; "
                "delete 1,000 rows one by one: %lld ms\n",
                static_cast<long long>(fillMs), static_cast<long long>(showMs),
                static_cast<long long>(scrollMs), static_cast<long long>(dragMs),
                static_cast<long long>(removeMs));
    EXPECT_EQ(view->model()->rowCount(), 9000);
}

}  // namespace
}  // namespace vesko
