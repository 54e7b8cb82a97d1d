// A user's session on the demo database in the real main window: a group renamed with
// the keyboard, a group moved, five TV services added to two groups through the real
// dialog, one of them removed again, two groups dragged with the mouse, the folder
// saved. The saved files hold exactly that, and the TV page's hearts match them.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <set>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "list_rows.h"
#include "pages/favourites/fav_page.h"
#include "pages/services/service_page.h"
#include "temp_dir.h"
#include "ui/add_to_fav_dialog.h"
#include "ui/demo_window.h"
#include "ui/drag_list_view.h"
#include "ui/fav_page_widget.h"
#include "ui/fav_rename_dialog.h"
#include "ui/list_pages.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"
#include "xml/xml_doc.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

class FavSessionTest : public DemoWindowTest {
protected:
    ui::DragListView* Show(PageTab tab, int list) {
        m_window.Tabs()->setCurrentIndex(static_cast<int>(tab));
        QCoreApplication::processEvents();
        auto* page = m_window.Page(tab);
        if (tab == PageTab::Tv)
            return static_cast<ui::ServicePageWidget*>(page)->ListView();
        auto* fav = static_cast<ui::FavPageWidget*>(page);
        return list == 0 ? fav->GroupView() : fav->ServiceView();
    }
    static QPoint RowPoint(ui::DragListView* view, int row) {
        view->scrollTo(view->model()->index(row, 0));
        return {20, view->rowViewportPosition(row) + view->rowHeight(row) / 2};
    }
    static void Click(ui::DragListView* view, int row,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, RowPoint(view, row));
    }
};

TEST_F(FavSessionTest, RenameMoveAddRemoveDragAndSave) {
    const auto before = FavouriteGroups(m_folder / "tv_fav.xml");
    CFavPage& favTv = m_editor.Page<CFavPage>(PageTab::FavTv);

    // Group 3 renamed with the keyboard: Enter opens the dialog with the name selected,
    // typing replaces it, Enter is OK.
    ui::DragListView* groups = Show(PageTab::FavTv, 0);
    Click(groups, 3);
    m_platform.runDialog = [](CDialogForm& form) {
        ui::FavRenameDialog dialog(dynamic_cast<CFavRenameDlg&>(form));
        dialog.show();
        EXPECT_TRUE(dialog.NameEdit()->hasSelectedText());
        // Typed key by key, as a keyboard with Cyrillic letters sends them.
        for (const QChar c : QString::fromUtf8("Sport & Новости"))
            QTest::sendKeyEvent(QTest::Click, dialog.NameEdit(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QTest::keyClick(dialog.NameEdit(), Qt::Key_Return);
        return dialog.result() == QDialog::Accepted;
    };
    QTest::keyClick(groups, Qt::Key_Return);
    ASSERT_EQ(m_platform.dialogsRun, 1);
    EXPECT_EQ(favTv.GroupList().GetItemText(3, kGroupColName), u"Sport & Новости");

    // Group 5 up.
    Click(groups, 5);
    QTest::keyClick(groups, Qt::Key_Plus);
    EXPECT_TRUE(favTv.GroupList().IsSelected(4));

    // Five TV services into groups 1 and 7, through the dialog's boxes.
    ui::DragListView* tvView = Show(PageTab::Tv, 0);
    CServicePage& tv = m_editor.Page<CServicePage>(PageTab::Tv);
    const std::vector<int> rows{3, 7, 10, 13, 16};
    Click(tvView, rows[0]);
    for (size_t k = 1; k < rows.size(); ++k)
        Click(tvView, rows[k], Qt::ControlModifier);
    std::vector<std::u16string> added;
    for (int row : rows)
        added.push_back(tv.List().GetItemText(row, kColSerKey));
    m_platform.runDialog = [](CDialogForm& form) {
        ui::AddToFavDialog dialog(dynamic_cast<CAddToFavDlg&>(form));
        dialog.show();
        QTest::mouseClick(dialog.Box(1), Qt::LeftButton);
        QTest::mouseClick(dialog.Box(7), Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
    QTest::keyClick(tvView, Qt::Key_Insert);
    ASSERT_EQ(m_platform.dialogsRun, 2);

    // The last one taken out of group 1 again.
    groups = Show(PageTab::FavTv, 0);
    Click(groups, 1);
    ui::DragListView* services = Show(PageTab::FavTv, 1);
    const int last = favTv.ServiceList().GetItemCount() - 1;
    ASSERT_EQ(favTv.ServiceList().GetItemText(last, kFavColServiceKey), added.back());
    Click(services, last);
    QTest::keyClick(services, Qt::Key_Delete);

    // Groups 8 and 9 dragged onto the first row with the mouse.
    Click(groups, 8);
    Click(groups, 9, Qt::ControlModifier);
    QTest::mousePress(groups->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(groups, 9));
    QTest::mouseMove(groups->viewport(), RowPoint(groups, 9) - QPoint(0, 12));
    ASSERT_TRUE(favTv.GroupList().m_dragging);
    QTest::mouseMove(groups->viewport(), RowPoint(groups, 0));
    QTest::mouseRelease(groups->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(groups, 0));

    m_editor.OnCommand(kCmdToolbarSave);
    EXPECT_TRUE(m_platform.messages.empty());

    // What the files must hold: the demo's groups with these changes.
    std::vector<FavouriteGroup> expected = before;
    expected[3].name = u"Sport & Новости";
    std::swap(expected[4], expected[5]);
    for (size_t k = 0; k < added.size(); ++k) {
        if (k + 1 < added.size())
            expected[1].keys.push_back(added[k]);
        expected[7].keys.push_back(added[k]);
    }
    std::vector<FavouriteGroup> dragged{expected[0], expected[8], expected[9]};
    for (size_t k = 1; k < expected.size(); ++k) {
        if (k != 8 && k != 9)
            dragged.push_back(expected[k]);
    }
    const auto tvSaved = FavouriteGroups(m_folder / "tv_fav.xml");
    const auto radioSaved = FavouriteGroups(m_folder / "radio_fav.xml");
    ASSERT_EQ(tvSaved.size(), dragged.size());
    ASSERT_EQ(radioSaved.size(), dragged.size());
    for (size_t k = 0; k < dragged.size(); ++k) {
        EXPECT_EQ(tvSaved[k].name, dragged[k].name) << k;
        EXPECT_EQ(tvSaved[k].keys, dragged[k].keys) << k;
        EXPECT_EQ(radioSaved[k].name, dragged[k].name) << k;
    }
    // The radio groups moved with the TV groups: the demo's radio group 8 is second now.
    EXPECT_EQ(radioSaved[1].keys,
              FavouriteGroups(fs::path(VESKO_SOURCE_DIR) / "examples/demo/radio_fav.xml")[8].keys);

    std::set<std::u16string> members;
    for (const FavouriteGroup& group : tvSaved)
        members.insert(group.keys.begin(), group.keys.end());
    for (int row = 0; row < tv.List().GetItemCount(); ++row) {
        const std::u16string& key = tv.List().GetItemText(row, kColSerKey);
        EXPECT_EQ(tv.List().GetItemImage(row, kColFav) == CDragListCtrl::kImageHeart,
                  members.contains(key))
            << "row " << row;
    }
}

}  // namespace
}  // namespace vesko::testing
