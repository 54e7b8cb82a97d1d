// The main window's service commands on the real pages, with the scripted platform
// playing the user's part in the edit dialog.

#include "app/service_commands.h"

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
        m_editor.TvPage().Reload();
        m_editor.RadioPage().Reload();
    }
    CServicePage& Tv() { return m_editor.TvPage(); }
    int MainChanges() const { return m_editor.Folder().GetChangeCount(); }
    std::u16string Stored(int row, std::u16string_view name) {
        std::u16string value;
        Tv().GetServiceAttribute(row, name, value);
        return value;
    }

    FakePlatform m_platform;
    CEditorDlg m_editor{m_platform};
};

TEST_F(ServiceCommandsTest, EditRunsTheDialogAndCountsOnlyOnOk) {
    // Nothing selected: no dialog, nothing counted.
    Tv().List().ClearSelection();
    EXPECT_TRUE(HandleServiceCommand(m_editor, kCmdTvEdit));
    EXPECT_EQ(m_platform.dialogsRun, 0);

    Select(Tv().List(), {2});
    const std::string before = ReadBytes("temp_tv_prog.xml");
    m_platform.runDialog = [](CDialogForm&) { return false; };  // Cancel
    HandleServiceCommand(m_editor, kCmdTvEdit);
    EXPECT_EQ(m_platform.dialogsRun, 1);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    EXPECT_EQ(MainChanges(), 0);

    m_platform.runDialog = [](CDialogForm& form) {
        auto& dlg = dynamic_cast<CServiceEditDlg&>(form);
        EXPECT_EQ(dlg.Title(), u"TV Service information");
        EXPECT_EQ(dlg.m_name, u"Channel 102");  // opened before it is shown
        dlg.m_name = u"Renamed";
        dlg.m_lock = CServiceEditDlg::kYes;
        return dlg.Ok();
    };
    HandleServiceCommand(m_editor, kCmdTvEdit);
    EXPECT_EQ(Stored(2, u"name"), u"Renamed");
    EXPECT_EQ(Stored(2, u"block"), u"1");
    EXPECT_EQ(Tv().List().GetItemText(2, kColName), u"Renamed");
    EXPECT_EQ(Tv().List().GetItemImage(2, kColLock), CDragListCtrl::kImagePadlock);
    EXPECT_TRUE(Tv().List().IsFocused(2));
    EXPECT_EQ(MainChanges(), 1);
}

TEST_F(ServiceCommandsTest, DeleteAndMovesCountWhenTheyChangeSomething) {
    Tv().List().ClearSelection();
    HandleServiceCommand(m_editor, kCmdTvDelete);
    EXPECT_EQ(MainChanges(), 0);

    Select(Tv().List(), {1, 2});
    HandleServiceCommand(m_editor, kCmdTvDelete);
    EXPECT_EQ(Tv().List().GetItemCount(), 8);
    EXPECT_EQ(Tv().List().GetItemText(7, kColNumber), u"8");  // renumbered
    EXPECT_EQ(MainChanges(), 1);

    Select(Tv().List(), {0});
    HandleServiceCommand(m_editor, kCmdTvMoveUp);
    EXPECT_EQ(m_platform.MessageTexts(),
              std::vector<std::u16string>{u"The item is the first row!"});
    EXPECT_EQ(MainChanges(), 1);
    HandleServiceCommand(m_editor, kCmdTvMoveDown);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[1], u"100");
    EXPECT_EQ(MainChanges(), 2);
}

TEST_F(ServiceCommandsTest, LockAndSkipLeaveTheMainCounterButNotTheExitQuestion) {
    Select(Tv().List(), {1});
    const int pageChanges = m_editor.PageChangeCount();
    HandleServiceCommand(m_editor, kCmdTvLock);
    EXPECT_EQ(Stored(1, u"block"), u"1");
    HandleServiceCommand(m_editor, kCmdTvSkip);
    EXPECT_EQ(Stored(1, u"bskip"), u"1");
    EXPECT_EQ(MainChanges(), 0);
    EXPECT_GT(m_editor.PageChangeCount(), pageChanges);

    // The radio numbers reach the radio page: 32811 is its Lock, 32812 its Skip.
    Select(m_editor.RadioPage().List(), {0});
    HandleServiceCommand(m_editor, kCmdRadioLock);
    std::u16string value;
    m_editor.RadioPage().GetServiceAttribute(0, u"block", value);
    EXPECT_EQ(value, u"1");
    m_editor.RadioPage().GetServiceAttribute(0, u"bskip", value);
    EXPECT_EQ(value, u"0");
    EXPECT_EQ(Stored(0, u"block"), u"1");  // the TV file is not touched

    EXPECT_FALSE(HandleServiceCommand(m_editor, kCmdHistory));
}

}  // namespace
}  // namespace vesko::testing
