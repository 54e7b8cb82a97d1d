// The main window's service commands on the real pages, with the scripted platform
// playing the user's part in the edit dialog.

#include <gtest/gtest.h>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/services/service_edit_dlg.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

class ServiceCommandsTest : public ServicePageTest {
protected:
    void SetUp() override {
        ServicePageTest::SetUp();
        Tv().Reload();
        Radio().Reload();
    }
    CServicePage& Tv() { return m_editor.Page<CServicePage>(PageTab::Tv); }
    CServicePage& Radio() { return m_editor.Page<CServicePage>(PageTab::Radio); }
    std::u16string Stored(int row, std::u16string_view name) {
        std::u16string value;
        Tv().GetServiceAttribute(row, name, value);
        return value;
    }

    FakePlatform m_platform;
    MemorySettings m_settings;
    CEditorDlg m_editor{m_platform, m_settings};
};

TEST_F(ServiceCommandsTest, EditRunsTheDialogAndWritesOnlyOnOk) {
    // Nothing selected: no dialog, nothing counted.
    Tv().List().ClearSelection();
    m_editor.OnCommand(kCmdTvEdit);
    EXPECT_EQ(m_platform.dialogsRun, 0);

    Select(Tv().List(), {2});
    const std::string before = ReadBytes("temp_tv_prog.xml");
    m_platform.runDialog = [](CDialogForm&) { return false; };  // Cancel
    m_editor.OnCommand(kCmdTvEdit);
    EXPECT_EQ(m_platform.dialogsRun, 1);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);

    m_platform.runDialog = [](CDialogForm& form) {
        auto& dlg = dynamic_cast<CServiceEditDlg&>(form);
        EXPECT_EQ(dlg.Title(), u"TV Service information");
        EXPECT_EQ(dlg.m_name, u"Channel 102");  // opened before it is shown
        dlg.m_name = u"Renamed";
        dlg.m_lock = CServiceEditDlg::kYes;
        return dlg.Ok();
    };
    m_editor.OnCommand(kCmdTvEdit);
    EXPECT_EQ(Stored(2, u"name"), u"Renamed");
    EXPECT_EQ(Stored(2, u"block"), u"1");
    EXPECT_EQ(Tv().List().GetItemText(2, kColName), u"Renamed");
    EXPECT_EQ(Tv().List().GetItemImage(2, kColLock), CDragListCtrl::kImagePadlock);
    EXPECT_TRUE(Tv().List().IsFocused(2));
}

TEST_F(ServiceCommandsTest, DeleteRenumbersAndMovesStopAtTheEdges) {
    Tv().List().ClearSelection();
    const std::string before = ReadBytes("temp_tv_prog.xml");
    m_editor.OnCommand(kCmdTvDelete);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);

    Select(Tv().List(), {1, 2});
    m_editor.OnCommand(kCmdTvDelete);
    EXPECT_EQ(Tv().List().GetItemCount(), 8);
    EXPECT_EQ(Tv().List().GetItemText(7, kColNumber), u"8");  // renumbered

    Select(Tv().List(), {0});
    m_editor.OnCommand(kCmdTvMoveUp);
    EXPECT_EQ(m_platform.MessageTexts(),
              std::vector<std::u16string>{u"The item is the first row!"});
    m_editor.OnCommand(kCmdTvMoveDown);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[1], u"100");
}

TEST_F(ServiceCommandsTest, LockAndSkipReachTheirOwnKindsPage) {
    Select(Tv().List(), {1});
    m_editor.OnCommand(kCmdTvLock);
    EXPECT_EQ(Stored(1, u"block"), u"1");
    m_editor.OnCommand(kCmdTvSkip);
    EXPECT_EQ(Stored(1, u"bskip"), u"1");

    // The radio numbers reach the radio page: 32811 is its Lock, 32812 its Skip.
    Select(Radio().List(), {0});
    m_editor.OnCommand(kCmdRadioLock);
    std::u16string value;
    Radio().GetServiceAttribute(0, u"block", value);
    EXPECT_EQ(value, u"1");
    Radio().GetServiceAttribute(0, u"bskip", value);
    EXPECT_EQ(value, u"0");
    EXPECT_EQ(Stored(0, u"block"), u"1");  // the TV file is not touched
}

}  // namespace
}  // namespace vesko::testing
