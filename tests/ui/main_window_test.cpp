#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include "app/tiny_database.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/services/service_page.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"
#include "ui/qt_platform.h"
#include "ui/qt_test_app.h"
#include "ui/startup.h"

namespace vesko {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

struct MainWindowFixture : ::testing::Test {
    MainWindowFixture() {
        testing::TestApp();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // A real change of a working copy: the TV service locked.
    void MakeChange() {
        CDragListCtrl& tv = editor.Page<CServicePage>(PageTab::Tv).List();
        tv.ClearSelection();
        tv.SetSelected(0, true);
        editor.OnCommand(kCmdTvLock);
        ASSERT_TRUE(editor.HasUnsavedChanges());
    }

    void Drop(const std::filesystem::path& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdU16String(path.u16string()))});
        const QPoint at(window.width() / 2, window.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    }

    testing::TempDir work{true};  // the working folder, current while the test runs
    testing::TempDir scratch;     // the database folders
    testing::FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    ui::MainWindow window{editor};
    std::filesystem::path folder = testing::WriteTinyDatabase(scratch.Path() / "db", 3);
};

TEST_F(MainWindowFixture, WindowMenusToolbarAndTabs) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vesko Editor"));
    EXPECT_FALSE(window.windowIcon().isNull());
    // Opens at its described size and can grow: the lists grow with it.
    EXPECT_LT(window.minimumSize().width(), window.width());
    auto* tvList = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    const int listHeight = tvList->height();
    window.resize(window.width() + 200, window.height() + 300);
    QApplication::processEvents();
    EXPECT_GT(tvList->height(), listHeight + 200);

    QStringList tabs;
    for (int i = 0; i < window.Tabs()->count(); ++i) {
        tabs << window.Tabs()->tabText(i);
    }
    EXPECT_EQ(tabs, (QStringList{"TV", "Radio", "Fav Tv", "Fav Radio", "Sat Tp", "Satellite",
                                 "Ter Tp", "Cable Tp", "Icon"}));

    QStringList bar;
    for (QAction* action : window.menuBar()->actions()) {
        bar << action->text();
    }
    EXPECT_EQ(bar, (QStringList{"File", "Edit", "About", "History"}));
    QStringList file;
    for (QAction* action : window.menuBar()->actions().front()->menu()->actions()) {
        if (!action->isSeparator()) {
            file << action->text();
        }
    }
    EXPECT_EQ(file,
              (QStringList{"&Open...", "Save(&s)", "&Save to", "Restore backup...",
                           "Check database...", "Apply order from another database...", "&Exit"}));
    QStringList tools;
    for (QAction* action : window.findChild<QToolBar*>()->actions()) {
        tools << action->text();
    }
    EXPECT_EQ(tools, (QStringList{"Open", "Save", "Exit"}));

    // Every action is named after its command, and the menu shows the shortcuts.
    auto* open = window.findChild<QAction*>(QStringLiteral("file.open"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("file.save"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_NE(window.findChild<QAction*>(QStringLiteral("toolbar.exit")), nullptr);
    window.findChild<QAction*>(QStringLiteral("help.history"))->trigger();
    EXPECT_EQ(platform.dialogsRun, 1);
}

TEST_F(MainWindowFixture, DroppedFolderOpensAndPagesFollow) {
    Drop(folder);
    EXPECT_TRUE(editor.Folder().IsDatabaseOpen());
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    auto* satellite = static_cast<ui::SatellitePageWidget*>(window.Page(PageTab::Satellite));
    EXPECT_FALSE(satellite->TunerButton()->isHidden());  // three tuners in the tiny database

    // Wherever a folder lands, the window takes it: no control keeps the drop for itself.
    for (QWidget* child : window.findChildren<QWidget*>()) {
        EXPECT_FALSE(child->acceptDrops()) << child->metaObject()->className();
    }

    // A drop of something that is no database shows every message and opens nothing.
    platform.messages.clear();
    Drop(scratch.Path());
    EXPECT_EQ(platform.messages.size(), 6u);
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
}

TEST_F(MainWindowFixture, CommandLineNamesAFolderOrAsksForHelp) {
    std::filesystem::current_path(scratch.Path());
    const ui::CommandLine named = ui::ParseCommandLine({"vesko-editor", "db"});
    EXPECT_EQ(named.folder, folder);
    EXPECT_FALSE(named.exitCode);
    EXPECT_TRUE(ui::ParseCommandLine({"vesko-editor"}).folder.empty());
    const ui::CommandLine help = ui::ParseCommandLine({"vesko-editor", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.contains(QStringLiteral("[folder]")));
    EXPECT_EQ(ui::ParseCommandLine({"vesko-editor", "--version"}).exitCode, 0);
    EXPECT_EQ(ui::ParseCommandLine({"vesko-editor", "--bogus"}).exitCode, 2);

    EXPECT_TRUE(editor.OpenNamedFolder(named.folder));
    EXPECT_TRUE(editor.Folder().IsDatabaseOpen());
    // A folder that is not there: one message saying so, and the open database stays.
    platform.messages.clear();
    EXPECT_FALSE(editor.OpenNamedFolder(scratch.Path() / "nowhere"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(u"There is no such folder"), std::u16string::npos);
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("db \u2014 Vesko Editor"));
}

TEST_F(MainWindowFixture, ShortcutsRunOnceWhereverTheFocusIs) {
    window.Tabs()->tabBar()->setFocus();
    QTest::keyClick(window.Tabs()->tabBar(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.chooserTitles.size(), 1u);

    // The satellite list turns Ctrl+O into its own command; still one chooser.
    window.Tabs()->setCurrentIndex(static_cast<int>(PageTab::Satellite));
    auto* satellite = static_cast<ui::SatellitePageWidget*>(window.Page(PageTab::Satellite));
    satellite->SatelliteView()->setFocus();
    QTest::keyClick(satellite->SatelliteView(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.chooserTitles.size(), 2u);

    // Ctrl+S saves the open folder.
    ASSERT_TRUE(window.OpenFolder(folder));
    WriteBytes(work.Path() / "temp_radio_prog.xml", "<programs edited=\"1\"/>");
    window.Tabs()->tabBar()->setFocus();
    QTest::keyClick(window.Tabs()->tabBar(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(folder / "radio_prog.xml"), "<programs edited=\"1\"/>");
}

TEST_F(MainWindowFixture, EditMenuNamesTheStepAndItsShortcutsUndoAndRedo) {
    auto* undo = window.findChild<QAction*>(QStringLiteral("edit.undo"));
    auto* redo = window.findChild<QAction*>(QStringLiteral("edit.redo"));
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo"));

    ASSERT_TRUE(window.OpenFolder(folder));
    MakeChange();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo Toggle lock of 1 service"));
    // The keys work with the focus in a list, which takes its own keys first.
    auto* list = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(editor.HasUnsavedChanges());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("Redo Toggle lock of 1 service"));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(editor.HasUnsavedChanges());
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(editor.HasUnsavedChanges());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("db \u2014 Vesko Editor *"));
}

TEST_F(MainWindowFixture, EnterAndEscapeNeverCloseTheWindow) {
    auto* tv = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv));
    QTest::keyClick(tv->ListView(), Qt::Key_Escape);
    QTest::keyClick(tv->ListView(), Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Enter);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(platform.endedWith, -1);
}

TEST_F(MainWindowFixture, CloseButtonAsksTheExitQuestion) {
    ASSERT_TRUE(window.OpenFolder(folder));
    MakeChange();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("db \u2014 Vesko Editor *"));

    platform.answers.push_back(MessageAnswer::Cancel);
    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(platform.endedWith, -1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"         Save and leave ?");

    WriteBytes(work.Path() / "temp_tv_prog.xml", "<programs kept=\"yes\"/>");
    platform.answers.push_back(MessageAnswer::Yes);
    window.close();
    EXPECT_EQ(platform.endedWith, 0);
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), "<programs kept=\"yes\"/>");
}

TEST_F(MainWindowFixture, ExitAnsweredNoLeavesTheFolderUntouched) {
    ASSERT_TRUE(window.OpenFolder(folder));
    const std::string before = ReadBytes(folder / "tv_prog.xml");
    MakeChange();
    WriteBytes(work.Path() / "temp_tv_prog.xml", "<programs/>");
    platform.answers.push_back(MessageAnswer::No);
    window.findChild<QAction*>(QStringLiteral("toolbar.exit"))->trigger();
    EXPECT_EQ(platform.endedWith, 0);
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), before);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "temp_tv_prog.xml"));
}

}  // namespace
}  // namespace vesko

namespace vesko {
namespace {

TEST_F(MainWindowFixture, QtPlatformEndsByClosingTheWindowWithoutAsking) {
    ASSERT_TRUE(window.OpenFolder(folder));
    MakeChange();  // would make the close button ask
    ui::QtPlatform qtPlatform;
    qtPlatform.SetParentWindow(&window);
    qtPlatform.EndProcess(0);
    EXPECT_TRUE(window.isVisible());  // the command that ends the editor returns first
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(platform.messages.empty());
}

TEST(QtPlatformFilter, DesktopFilterBecomesQtFilter) {
    EXPECT_EQ(ui::QtPlatform::ToQtFilter(u"png File (*.jpg)|*.jpg"),
              QStringLiteral("png File (*.jpg)"));
    EXPECT_EQ(ui::QtPlatform::ToQtFilter(u"Pictures|*.jpg;*.jpeg|All|*.*"),
              QStringLiteral("Pictures (*.jpg *.jpeg);;All (*.*)"));
    EXPECT_EQ(ui::QtPlatform::ToQtFilter(u""), QString());
}

}  // namespace
}  // namespace vesko

namespace vesko {
namespace {

// What the user looks at survives a reload the user did not ask for: the selection,
// the focused row and the scroll position.
TEST_F(MainWindowFixture, ViewStateComesBackAfterAReload) {
    const auto demo = scratch.Path() / "demo";
    std::filesystem::copy(std::filesystem::path(VESKO_SOURCE_DIR) / "examples/demo", demo);
    ASSERT_TRUE(window.OpenFolder(demo));
    auto* view = static_cast<ui::ServicePageWidget*>(window.Page(PageTab::Tv))->ListView();
    CServicePage& tv = editor.Page<CServicePage>(PageTab::Tv);
    tv.List().SelectAndShow(120);
    tv.List().ScrollToTop(100);
    QApplication::processEvents();
    ASSERT_EQ(view->rowAt(0), 100);

    const PageViewState state = tv.SaveViewState();
    tv.Reload();
    view->scrollToTop();
    QApplication::processEvents();
    tv.RestoreViewState(state);
    QApplication::processEvents();
    EXPECT_EQ(view->rowAt(0), 100);
    EXPECT_TRUE(tv.List().IsSelected(120));
    EXPECT_TRUE(tv.List().IsFocused(120));
    EXPECT_EQ(view->currentIndex().row(), 120);
}

}  // namespace
}  // namespace vesko
