// The TV page in the real main window: keys, double-click and mouse drags on its list
// view reach the page's commands and the working copies.

#include <gtest/gtest.h>

#include <QTest>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_fixture.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"

namespace vesko::testing {
namespace {

class ServicePageViewTest : public ServicePageTest {
protected:
    void SetUp() override {
        ServicePageTest::SetUp();
        m_editor.Page<CServicePage>(PageTab::Tv).Reload();
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_view = static_cast<ui::ServicePageWidget*>(m_window.Page(PageTab::Tv))->ListView();
        ASSERT_NE(m_view, nullptr);
        m_view->setFocus();
    }

    QWidget* Viewport() { return m_view->viewport(); }
    QPoint RowPoint(int row) {
        return {30, m_view->rowViewportPosition(row) + m_view->rowHeight(row) / 2};
    }
    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(Viewport(), Qt::LeftButton, modifiers, RowPoint(row));
    }
    CDragListCtrl& List() { return m_editor.Page<CServicePage>(PageTab::Tv).List(); }

    struct App {
        App() { TestApp(); }
    } m_app;  // before any widget
    FakePlatform m_platform;
    MemorySettings m_settings;
    CEditorDlg m_editor{m_platform, m_settings};
    ui::MainWindow m_window{m_editor};
    ui::DragListView* m_view = nullptr;
};

TEST_F(ServicePageViewTest, DeleteKeysRemoveServicesFromListAndFile) {
    Click(2);
    QTest::keyClick(m_view, Qt::Key_Delete);
    EXPECT_EQ(List().GetItemCount(), 9);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[2], u"103");
    EXPECT_EQ(List().GetItemText(2, kColNumber), u"3");

    Click(0);
    QTest::keyClick(m_view, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[0], u"101");
    // Two rows and the keypad's decimal key.
    Click(0);
    Click(1, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(List().GetItemCount(), 6);
    // The favourite entries of the deleted services went too.
    EXPECT_EQ(ReadBytes("temp_tv_fav.xml").find("\"100\""), std::string::npos);
}

// The keys that move through a list select the row they reach, alone, and never edit.
TEST_F(ServicePageViewTest, HomeEndAndPageKeysMoveTheSelection) {
    const std::string before = ReadBytes("temp_tv_prog.xml");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
    } cases[] = {
        {Qt::Key_End, Qt::NoModifier, 9},      {Qt::Key_Home, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, 9}, {Qt::Key_Home, Qt::ControlModifier, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 9}, {Qt::Key_PageUp, Qt::NoModifier, 0},
    };
    Click(4);
    for (const auto& c : cases) {
        QTest::keyClick(m_view, c.key, c.modifiers);
        EXPECT_EQ(List().GetSelectedCount(), 1) << c.key;
        EXPECT_TRUE(List().IsSelected(c.row)) << c.key;
    }
    QTest::keyClicks(m_view, QStringLiteral("xyz"));
    EXPECT_EQ(m_view->indexWidget(m_view->currentIndex()), nullptr);  // no editor opened
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
}

TEST_F(ServicePageViewTest, PlusAndMinusMoveOneSelectedService) {
    Click(3);
    QTest::keyClick(m_view, Qt::Key_Plus);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[2], u"103");
    EXPECT_EQ(List().GetItemText(2, kColSerKey), u"103");
    EXPECT_TRUE(List().IsSelected(2));
    QTest::keyClick(m_view, Qt::Key_Minus);
    QTest::keyClick(m_view, Qt::Key_Minus);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[4], u"103");
    EXPECT_EQ(List().GetItemText(4, kColSerKey), u"103");
    // The main keyboard's equals key is a plus key too.
    QTest::keyClick(m_view, Qt::Key_Equal);
    EXPECT_EQ(List().GetItemText(3, kColSerKey), u"103");
}

TEST_F(ServicePageViewTest, DoubleClickOpensTheEditDialog) {
    std::u16string shownName;
    m_platform.runDialog = [&](CDialogForm& form) {
        auto& dlg = dynamic_cast<CServiceEditDlg&>(form);
        shownName = dlg.m_name;
        dlg.m_skip = CServiceEditDlg::kYes;
        return dlg.Ok();
    };
    QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(4));
    EXPECT_EQ(m_platform.dialogsRun, 1);
    EXPECT_EQ(shownName, u"Channel 104");
    EXPECT_EQ(List().GetItemImage(4, kColSkip), CDragListCtrl::kImageCheck);
}

TEST_F(ServicePageViewTest, MouseDragReordersTheFileAndAClickChangesNothing) {
    const std::string before = ReadBytes("temp_tv_prog.xml");
    Click(5);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);

    Click(3);
    Click(4, Qt::ControlModifier);
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(4));
    QTest::mouseMove(Viewport(), RowPoint(4) + QPoint(0, 12));
    ASSERT_TRUE(List().m_dragging);
    QTest::mouseMove(Viewport(), RowPoint(7));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(7));

    const std::vector<std::u16string> order{u"100", u"101", u"102", u"105", u"106",
                                            u"107", u"103", u"104", u"108", u""};
    EXPECT_EQ(ListColumn(List(), kColSerKey), order);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml"), order);
    EXPECT_EQ(List().GetItemText(6, kColNumber), u"7");
    EXPECT_EQ(List().GetItemImage(6, kColFav), CDragListCtrl::kImageHeart);
}

}  // namespace
}  // namespace vesko::testing
