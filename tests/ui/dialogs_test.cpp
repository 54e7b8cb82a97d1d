#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include "fake_platform.h"
#include "ui/about_dialog.h"
#include "ui/history_dialog.h"
#include "ui/qt_test_app.h"

namespace vesko {
namespace {

TEST(AboutDialog, HandCursorAndClickInsideTheLinkOnly) {
    testing::TestApp();
    testing::FakePlatform platform;
    CAboutDlg form(platform);
    ui::AboutDialog dialog(form);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Vesko Editor"));
    EXPECT_TRUE(QString::fromStdU16String(form.GetVersionLine())
                    .startsWith(QStringLiteral("Vesko Editor 1.7 (vesko team) release time ")));

    const QRect link = dialog.LinkLabel()->geometry();
    QTest::mouseMove(&dialog, link.center());
    EXPECT_EQ(dialog.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&dialog, QPoint(link.left(), link.center().y()));  // on the border
    EXPECT_NE(dialog.cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier,
                      QPoint(link.left(), link.center().y()));
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::ControlModifier, link.center());
    QTest::mouseClick(&dialog, Qt::RightButton, Qt::NoModifier, link.center());
    EXPECT_TRUE(platform.openedUrls.empty());
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, link.topLeft() + QPoint(1, 1));
    EXPECT_EQ(platform.openedUrls.size(), 1u);
}

TEST(HistoryDialog, ShowsTheHistoryFromItsFirstLine) {
    testing::TestApp();
    CHistoryDlg form;
    ui::HistoryDialog dialog(form);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("History"));
    EXPECT_EQ(dialog.TitleLine()->text(), QStringLiteral("Vesko Editor history"));
    const QString text = dialog.TextBox()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Vesko Editor 1.7 :\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Vesko Editor 1.4 :")));
    EXPECT_EQ(dialog.TextBox()->textCursor().position(), 0);
    EXPECT_EQ(dialog.TextBox()->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(dialog.TextBox()->isReadOnly());
}

}  // namespace
}  // namespace vesko
