// The Icon page in the real main window, on a real icon folder of JPEG files written
// here: loading renames the name-based icons and shows them, clicking a picture
// replaces it and keeps the first one as the backup, keys and the wheel page.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "app/editor_dlg.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "fake_platform.h"
#include "pages/icons/icon_page.h"
#include "pages/icons/icon_test_database.h"
#include "ui/icon_page_widget.h"
#include "ui/icon_picture.h"
#include "ui/main_window.h"
#include "ui/qt_test_app.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

void WriteJpeg(const fs::path& path, Qt::GlobalColor colour) {
    QImage image(16, 10, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(Q(path), "JPG"));
}

// The colour a JPEG file shows (red, green or blue), as its middle pixel decodes.
char ColourOf(const fs::path& path) {
    const QImage image = ui::LoadIconImage(Q(path));
    if (image.isNull()) {
        return '-';
    }
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    return c.red() > 200 ? 'r' : c.green() > 200 ? 'g' : c.blue() > 200 ? 'b' : '?';
}

class IconPageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_window.Tabs()->setCurrentIndex(static_cast<int>(PageTab::Icon));
        m_view = static_cast<ui::IconPageWidget*>(m_window.Page(PageTab::Icon));
    }
    CIconPage& Page() { return m_editor.Page<CIconPage>(PageTab::Icon); }
    void Press(const char* button) {
        QTest::mouseClick(m_view->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void Load() {
        m_platform.folders.push_back(m_icons.Path());
        Press("icon.load");
    }
    std::string Label() const { return m_view->PageLabel()->text().toStdString(); }
    fs::path Icon(int record) const {
        return m_editor.Page<CIconPage>(PageTab::Icon).SlotTable()[record].iconPath;
    }

    struct App {
        App() { TestApp(); }
    } m_app;  // before any widget
    TempDir m_work{true};
    TempDir m_scratch;  // the icon folder and what lies outside it
    TempDir m_icons{false};
    FakePlatform m_platform;
    MemorySettings m_settings;
    CEditorDlg m_editor{m_platform, m_settings};
    ui::MainWindow m_window{m_editor};
    ui::IconPageWidget* m_view = nullptr;
};

// Two services share a name, one has no icon, three have names that must never reach
// outside the folder, and of two more of one name, one copy fails (its key-based name is
// taken by a folder).
TEST_F(IconPageViewTest, LoadRenamesTheIconsAndTouchesNothingElse) {
    WriteIconDatabase({{"BBC One", "1", "10", "1"},
                       {"BBC One", "1", "10", "2"},
                       {"Rai 1", "1", "10", "3"},
                       {"../outside"},
                       {"sub/inner"},
                       {""},
                       {"Stuck", "1", "10", "7"},
                       {"Stuck", "1", "10", "8"}});
    const std::string progBytes = ReadBytes(kTvProgWork);
    const std::string satBytes = ReadBytes(kSatWork);
    const auto progVersion = WorkingCopies::Current().Version(kTvProgWork);
    WriteJpeg(m_icons / "BBC One.jpg", Qt::red);
    WriteJpeg(m_icons.Path().parent_path() / "outside.jpg", Qt::green);
    fs::create_directory(m_icons / "sub");
    WriteJpeg(m_icons / "sub" / "inner.jpg", Qt::green);
    WriteJpeg(m_icons / ".jpg", Qt::green);
    WriteJpeg(m_icons / "Stuck.jpg", Qt::blue);
    fs::create_directory(m_icons / "0_0_0_C0_2E02_1_7.jpg");

    Load();
    EXPECT_EQ(ColourOf(Icon(0)), 'r');
    EXPECT_EQ(ColourOf(Icon(1)), 'r');
    EXPECT_FALSE(fs::exists(m_icons / "BBC One.jpg"));
    EXPECT_FALSE(fs::exists(Icon(2)));
    EXPECT_EQ(ColourOf(m_icons.Path().parent_path() / "outside.jpg"), 'g');
    EXPECT_EQ(ColourOf(m_icons / "sub" / "inner.jpg"), 'g');
    EXPECT_EQ(ColourOf(m_icons / ".jpg"), 'g');
    EXPECT_EQ(ColourOf(m_icons / "Stuck.jpg"), 'b');  // kept: one of its copies failed
    EXPECT_EQ(ColourOf(Icon(7)), 'b');
    ASSERT_EQ(m_platform.messages.size(), 1u);
    EXPECT_NE(m_platform.messages[0].text.find(u"Copy \"Stuck.jpg\" to \"0_0_0_C0_2E02_1_7.jpg\""),
              std::u16string::npos);
    // The folder holds exactly the renamed icons and what was not the page's to touch.
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_icons.Path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{".jpg", "0_0_0_C0_2E02_1_1.jpg",
                                            "0_0_0_C0_2E02_1_2.jpg", "0_0_0_C0_2E02_1_7.jpg",
                                            "0_0_0_C0_2E02_1_8.jpg", "Stuck.jpg", "sub"}));
    // The working copies are the page's to read only.
    EXPECT_EQ(ReadBytes(kTvProgWork), progBytes);
    EXPECT_EQ(ReadBytes(kSatWork), satBytes);
    EXPECT_EQ(WorkingCopies::Current().Version(kTvProgWork), progVersion);

    EXPECT_EQ(Label(), "001 / 001 Pages");
    EXPECT_FALSE(m_view->Slot(0).picture->ShowsDefault());
    EXPECT_TRUE(m_view->Slot(2).picture->ShowsDefault());
    EXPECT_EQ(m_view->Slot(0).serviceLine->Text(), QStringLiteral("BBC One"));
    EXPECT_EQ(m_view->Slot(0).transponderLine->Text(), QStringLiteral("11778/27500/V"));
    EXPECT_TRUE(m_view->Slot(0).satelliteLine->IsHighlighted());
    EXPECT_FALSE(m_view->Slot(1).satelliteLine->IsHighlighted());
    EXPECT_FALSE(m_view->Slot(8).picture->isEnabled());
}

TEST_F(IconPageViewTest, ReplacingTwiceKeepsTheFirstPictureAsBackup) {
    WriteIconDatabase({{"BBC One", "1", "10", "1234"}});
    WriteJpeg(m_icons / "BBC One.jpg", Qt::red);
    Load();
    const fs::path icon = m_icons / "0_0_0_C0_2E02_1_4D2.jpg";
    const fs::path backup = m_icons / "bak_0_0_0_C0_2E02_1_4D2.jpg";
    const fs::path first = m_scratch / "first.jpg";
    const fs::path second = m_scratch / "second.jpg";
    WriteJpeg(first, Qt::green);
    WriteJpeg(second, Qt::blue);
    // The TV list reordered since the load: the picture clicked is still the one replaced.
    WriteIconDatabase({{"Other", "1", "10", "99"}, {"BBC One", "1", "10", "1234"}});
    auto clickPicture = [&](const fs::path& chosen) {
        m_platform.files.push_back(chosen);
        QTest::mouseClick(m_view->Slot(0).picture, Qt::LeftButton);
    };

    clickPicture(first);
    EXPECT_EQ(ColourOf(icon), 'g');
    EXPECT_EQ(ColourOf(backup), 'r');
    EXPECT_FALSE(fs::exists(first));  // the chosen file moves into the icon folder
    clickPicture(second);
    EXPECT_EQ(ColourOf(icon), 'b');
    EXPECT_EQ(ColourOf(backup), 'r');
    // The picture shown is the new one, read again although its name stayed.
    const QImage shown = m_view->Slot(0).picture->grab().toImage();
    EXPECT_GT(shown.pixelColor(shown.width() / 2, shown.height() / 2).blue(), 200);

    clickPicture(icon);  // the icon itself: nothing to do
    clickPicture({});    // cancelled
    EXPECT_EQ(ColourOf(icon), 'b');
    EXPECT_EQ(ColourOf(backup), 'r');
    EXPECT_EQ(m_platform.fileFilters, std::vector<std::u16string>(4, u"png File (*.jpg)|*.jpg"));
    EXPECT_TRUE(m_platform.messages.empty());
}

TEST_F(IconPageViewTest, KeysWheelAndTheNumberBoxPage) {
    WriteIconDatabase(NumberedServices(37));
    m_view->setFocus();
    // Ctrl+O on the page loads icons: the database's folder chooser does not open.
    m_platform.folders.push_back(m_icons.Path());
    QTest::keyClick(m_view, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_platform.chooserTitles,
              std::vector<std::u16string>{std::u16string(kIconFolderTitle)});
    EXPECT_EQ(Label(), "001 / 003 Pages");

    QLineEdit* box = m_view->PageNumberBox();
    box->setFocus();
    const std::vector<std::pair<Qt::Key, const char*>> keys{
        {Qt::Key_PageDown, "002 / 003 Pages"}, {Qt::Key_Down, "003 / 003 Pages"},
        {Qt::Key_Down, "001 / 003 Pages"},     {Qt::Key_Up, "003 / 003 Pages"},
        {Qt::Key_PageUp, "002 / 003 Pages"},   {Qt::Key_Escape, "002 / 003 Pages"},
    };
    for (const auto& [key, label] : keys) {
        QTest::keyClick(box, key);
        EXPECT_EQ(Label(), label) << key;
    }
    auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(50, 50), m_view->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view->Slot(4).picture, &wheel);
    };
    turn(-120);
    EXPECT_EQ(Label(), "003 / 003 Pages");
    turn(60);  // half a notch of a touchpad: not yet a page
    EXPECT_EQ(Label(), "003 / 003 Pages");
    turn(60);
    EXPECT_EQ(Label(), "002 / 003 Pages");

    // The box takes digits only; Enter goes to the typed page.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("x1o"));
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Label(), "001 / 003 Pages");
    box->setText(QStringLiteral("9"));
    Press("icon.goTo");
    EXPECT_EQ(m_platform.MessageTexts(), std::vector<std::u16string>{u"Invalid input !(0 - 003 )"});
    EXPECT_TRUE(m_window.isVisible());
}

}  // namespace
}  // namespace vesko::testing
