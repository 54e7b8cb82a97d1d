#include "ui/drag_list_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "base/commands.h"
#include "ui/qt_test_app.h"

namespace vesko {
namespace {

std::u16string Num(int n) {
    return QString::number(n).toStdU16String();
}

struct DragListViewFixture : ::testing::Test {
    DragListViewFixture() {
        testing::TestApp();
        list.SetColumns({{u"No", 60}, {u"Name", 120}});
        for (int n = 0; n < 10; ++n) {
            list.InsertItem(n, Num(n));
            list.SetItemText(n, 1, u"name " + Num(n));
        }
        view = std::make_unique<ui::DragListView>(list);
        view->resize(300, 400);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QWidget* Viewport() { return view->viewport(); }
    QPoint RowPoint(int row) {
        return {20, view->rowViewportPosition(row) + view->rowHeight(row) / 2};
    }
    std::vector<int> Order() {
        std::vector<int> order;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            order.push_back(QString::fromStdU16String(list.GetItemText(row, 0)).toInt());
        }
        return order;
    }
    std::vector<int> ViewSelection() {
        std::vector<int> rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (view->selectionModel()->isRowSelected(row, {})) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    CDragListCtrl list;
    std::unique_ptr<ui::DragListView> view;
};

TEST_F(DragListViewFixture, MouseDragMovesSelectedRowsBelowTheRowUnderTheCursor) {
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(2));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(5));
    EXPECT_TRUE(list.IsSelected(2));
    EXPECT_TRUE(list.IsSelected(5));
    EXPECT_EQ(list.m_dropCount, 2);  // every release counts, clicks included

    // Pressing on a selected row keeps both rows selected for the drag.
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(5));
    QTest::mouseMove(Viewport(), RowPoint(5) + QPoint(0, 12));
    ASSERT_TRUE(list.m_dragging);
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_NE(Viewport()->findChild<QLabel*>(), nullptr);  // the drag image follows
    QTest::mouseMove(Viewport(), RowPoint(7));
    EXPECT_EQ(list.m_dropIndex, 7);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(7));

    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 3, 4, 6, 7, 2, 5, 8, 9}));
    EXPECT_TRUE(list.IsSelected(6) && list.IsSelected(7));
    EXPECT_EQ(list.GetSelectedCount(), 2);
    EXPECT_EQ(ViewSelection(), (std::vector<int>{6, 7}));
    EXPECT_EQ(list.m_dropIndex, 8);
    EXPECT_EQ(list.m_dropCount, 3);
    EXPECT_FALSE(list.m_dragging);
    EXPECT_NE(Viewport()->cursor().shape(), Qt::SizeAllCursor);
    // The moved rows' texts travelled with them.
    EXPECT_EQ(view->model()->index(6, 1).data().toString(), QStringLiteral("name 2"));
}

TEST_F(DragListViewFixture, PlainClickOnSelectedRowSelectsItAloneAndMovesNothing) {
    list.SetSelected(1, true);
    list.SetSelected(3, true);
    EXPECT_EQ(ViewSelection(), (std::vector<int>{1, 3}));  // control to view
    int releases = 0;
    list.SetAfterReleaseHandler([&] { ++releases; });

    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(3));
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(list.IsSelected(1));  // view to control
    EXPECT_TRUE(list.IsSelected(3));
    EXPECT_TRUE(list.IsFocused(3));
    EXPECT_TRUE(list.m_dropped);
    EXPECT_EQ(releases, 1);
}

TEST_F(DragListViewFixture, DragAboveTheRowsScrollsAndMovesTheHighlightUp) {
    for (int n = 10; n < 200; ++n) {
        list.InsertItem(n, Num(n));
        list.SetItemText(n, 1, u"name " + Num(n));
    }
    QApplication::processEvents();
    view->scrollTo(view->model()->index(100, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    const int top = view->verticalScrollBar()->value();
    const int firstVisible = view->rowAt(1);
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(firstVisible + 3));
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(firstVisible + 3));
    QTest::mouseMove(Viewport(), RowPoint(firstVisible + 3) + QPoint(0, -12));
    QTest::mouseMove(Viewport(), RowPoint(firstVisible + 1));
    EXPECT_EQ(list.m_dropIndex, firstVisible + 1);

    QTest::mouseMove(Viewport(), QPoint(20, -5));  // above the rows, over the header
    EXPECT_EQ(list.m_scrollDirection, 1);
    QTest::qWait(450);
    EXPECT_LT(view->verticalScrollBar()->value(), top);
    EXPECT_LT(list.m_dropIndex, firstVisible + 1);

    QTest::mouseMove(Viewport(), RowPoint(view->rowAt(40)));  // back inside: it stops
    EXPECT_EQ(list.m_scrollDirection, 0);
    const int stopped = view->verticalScrollBar()->value();
    QTest::qWait(250);
    EXPECT_EQ(view->verticalScrollBar()->value(), stopped);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(view->rowAt(40)));
}

TEST(DragListViewKeys, KeysAndDoubleClicksReachThePageAsItsKeys) {
    testing::TestApp();
    CDragListCtrl services({{u"Index", 60}});
    services.InsertItem(0, u"0");
    services.InsertItem(1, u"1");
    ui::DragListView view(services);
    // Every key the pages know raises a number made of the key and Ctrl; Escape and
    // the keys no page knows raise nothing.
    const auto code = [](const KeyPress& key) {
        if (key.key == PageKey::Other || key.key == PageKey::Escape) {
            return 0;
        }
        return 100 * static_cast<int>(key.key) + (key.ctrl ? 1 : 0);
    };
    view.SetHooks({
        .commandForKey = code,
        .commandForDoubleClick = [] { return 4242; },
    });
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QSignalSpy commands(&view, &ui::DragListView::command);

    services.SetSelected(0, true);
    QTest::keyClick(&view, Qt::Key_Delete);
    QTest::keyClick(&view, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(&view, Qt::Key_Equal);  // the main keyboard's =/+ key
    QTest::keyClick(&view, Qt::Key_Minus);
    QTest::keyClick(&view, Qt::Key_F3);
    QTest::keyClick(&view, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Escape);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));

    std::vector<int> raised;
    for (const auto& args : commands) {
        raised.push_back(args.at(0).toInt());
    }
    EXPECT_EQ(raised,
              (std::vector<int>{code({PageKey::Delete}), code({PageKey::LetterD, true}),
                                code({PageKey::KeypadDecimal}), code({PageKey::Plus}),
                                code({PageKey::Plus}), code({PageKey::Minus}), code({PageKey::F3}),
                                code({PageKey::LetterO, true}), 4242}));
}

}  // namespace
}  // namespace vesko
