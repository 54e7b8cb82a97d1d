// The search dialogs in the real main window on the demo: F3 and Ctrl+F open them,
// typing shows the results at once, a double click or Enter picks, Escape leaves the
// page as it was.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "list_rows.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"
#include "ui/demo_window.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/search_dialog.h"

namespace vesko::testing {
namespace {

class SearchDialogTest : public DemoWindowTest {
protected:
    // Runs the next dialog with the user's steps on the real widgets.
    void WhenSearching(std::function<void(ui::SearchDialog&)> steps) {
        m_platform.runDialog = [steps](CDialogForm& form) {
            ui::SearchDialog dialog(dynamic_cast<CSearchDlg&>(form));
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            EXPECT_EQ(dialog.focusWidget(), dialog.TextEdit());
            steps(dialog);
            return dialog.result() == QDialog::Accepted;
        };
    }
};

TEST_F(SearchDialogTest, TypingListsMatchesAndPicksSelectTheRow) {
    CServicePage& tv = m_editor.Page<CServicePage>(PageTab::Tv);
    auto* view = static_cast<ui::ServicePageWidget*>(m_window.Page(PageTab::Tv))->ListView();
    std::vector<int> expected;  // names starting with "bb" in any case, in list order
    for (int row = 0; row < tv.List().GetItemCount(); ++row) {
        if (QString::fromStdU16String(tv.List().GetItemText(row, kColName))
                .startsWith(QStringLiteral("bb"), Qt::CaseInsensitive)) {
            expected.push_back(row);
        }
    }
    ASSERT_GE(expected.size(), 2u);
    tv.List().SelectAndShow(0);

    // Escape after typing: the page keeps its selection.
    WhenSearching([&](ui::SearchDialog& dialog) {
        QTest::keyClicks(dialog.TextEdit(), QStringLiteral("bB"));
        QAbstractItemModel* results = dialog.ResultView()->model();
        ASSERT_EQ(results->rowCount(), static_cast<int>(expected.size()));
        for (int k = 0; k < results->rowCount(); ++k) {
            EXPECT_EQ(results->index(k, 0).data().toString(), QString::number(k + 1));
            EXPECT_EQ(results->index(k, 1).data().toString().toStdU16String(),
                      tv.List().GetItemText(expected[static_cast<std::size_t>(k)], kColName));
        }
        QTest::keyClick(dialog.TextEdit(), Qt::Key_Escape);
    });
    QTest::keyClick(view, Qt::Key_F3);
    EXPECT_EQ(Selected(tv.List()), std::vector<int>{0});

    // A double click on the second result selects its row.
    WhenSearching([&](ui::SearchDialog& dialog) {
        QTest::keyClicks(dialog.TextEdit(), QStringLiteral("bb"));
        QTableView* results = dialog.ResultView();
        const QRect cell = results->visualRect(results->model()->index(1, 1));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    });
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(m_platform.dialogsRun, 2);
    EXPECT_EQ(Selected(tv.List()), std::vector<int>{expected[1]});
    EXPECT_FALSE(m_editor.HasUnsavedChanges());
}

// On Sat Tp, Enter takes the first result and the page shows that transponder's
// services; the terrestrial search's box takes ten characters.
TEST_F(SearchDialogTest, TransponderSearchShowsTheServicesOfThePick) {
    m_window.Tabs()->setCurrentIndex(static_cast<int>(PageTab::SatTp));
    auto& satTp = m_editor.Page<CTransponderPage>(PageTab::SatTp);
    auto* view =
        static_cast<ui::TransponderPageWidget*>(m_window.Page(PageTab::SatTp))->TransponderView();
    const int last = satTp.TransponderList().GetItemCount() - 1;
    const std::u16string frequency = satTp.TransponderList().GetItemText(last, 1);
    WhenSearching([&](ui::SearchDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("TpSearch"));
        QTest::keyClicks(dialog.TextEdit(), QString::fromStdU16String(frequency));
        QTest::keyClick(dialog.TextEdit(), Qt::Key_Return);
    });
    QTest::keyClick(view, Qt::Key_F3);
    const int picked = satTp.TransponderList().GetNextSelected();
    ASSERT_GE(picked, 0);
    EXPECT_EQ(satTp.TransponderList().GetItemText(picked, 1), frequency);
    CTransponderPage fresh(TransponderKind::Satellite);
    fresh.FillServiceList(satTp.CurrentSatelliteKey(),
                          satTp.TransponderList().GetItemText(picked, 6), 0);
    EXPECT_EQ(satTp.ServiceList().GetItemCount(), fresh.ServiceList().GetItemCount());

    CSearchDlg ter(SearchKind::TerTp);
    ui::SearchDialog dialog(ter);
    QTest::keyClicks(dialog.TextEdit(), QStringLiteral("12345678901"));
    EXPECT_EQ(dialog.TextEdit()->text(), QStringLiteral("1234567890"));
}

}  // namespace
}  // namespace vesko::testing
