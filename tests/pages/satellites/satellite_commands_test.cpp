// The satellite and transponder commands through the main window: keys, menus, and
// the pages each command brings up to date.

#include <gtest/gtest.h>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/satellites/sat_edit_dlg.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"
#include "satellite_fixture.h"
#include "xml/decimal_text.h"

namespace vesko::testing {
namespace {

class SatelliteCommandsTest : public SatelliteTest {
protected:
    void SetUp() override {
        SatelliteTest::SetUp();
        for (const auto& page : m_editor.Pages())
            page->Reload();
    }
    CTransponderPage& SatTp() { return m_editor.Page<CTransponderPage>(PageTab::SatTp); }
    CSatellitePage& Satellites() { return m_editor.Page<CSatellitePage>(PageTab::Satellite); }
    CServicePage& Tv() { return m_editor.Page<CServicePage>(PageTab::Tv); }
    int Key(PageTab tab, PageKey key, bool ctrl = false) {
        return m_editor.CommandForInput(tab, 0, {key, ctrl});
    }
    static std::vector<std::u16string> Texts(const ContextMenu& menu) {
        std::vector<std::u16string> texts;
        for (const MenuEntry& entry : menu)
            texts.push_back(entry.text + (entry.greyed ? u" (grey)" : u""));
        return texts;
    }

    FakePlatform m_platform;
    MemorySettings m_settings;
    CEditorDlg m_editor{m_platform, m_settings};
};

// What the selection decides: Edit by Enter only for one row; with several rows the
// menus grey Edit and Add (on the Satellite page, the Edit of 32791); with none, no menu.
TEST_F(SatelliteCommandsTest, KeysAndMenusFollowTheSelection) {
    Select(SatTp().TransponderList(), {1});
    EXPECT_EQ(Key(PageTab::SatTp, PageKey::Enter), kCmdSatTpEdit);
    EXPECT_EQ(Texts(m_editor.ContextMenuFor(PageTab::SatTp, 0)),
              (std::vector<std::u16string>{u"Edit", u"Delete", u"Add", u"Search  F3"}));
    Select(SatTp().TransponderList(), {0, 1});
    EXPECT_EQ(Key(PageTab::SatTp, PageKey::Enter), 0);
    EXPECT_EQ(Key(PageTab::SatTp, PageKey::LetterD, true), kCmdSatTpDelete);
    EXPECT_EQ(
        Texts(m_editor.ContextMenuFor(PageTab::SatTp, 0)),
        (std::vector<std::u16string>{u"Edit (grey)", u"Delete", u"Add (grey)", u"Search  F3"}));
    Select(SatTp().TransponderList(), {});
    EXPECT_TRUE(m_editor.ContextMenuFor(PageTab::SatTp, 0).empty());
    EXPECT_EQ(Key(PageTab::CableTp, PageKey::Insert), kCmdCableTpAdd);

    Select(Satellites().SatelliteList(), {0, 2});
    const ContextMenu several = m_editor.ContextMenuFor(PageTab::Satellite, 0);
    ASSERT_EQ(Texts(several), (std::vector<std::u16string>{u"Edit (grey)", u"Search   F3"}));
    EXPECT_EQ(several[0].command, kCmdSatEditGrey);
}

// A deletion takes the rows of the deleted services off the TV and Radio lists,
// renumbers them, shows the services of the selected row beside the transponders and
// of the current satellite on the Satellite page; the last transponder stays, and
// the user is told why.
TEST_F(SatelliteCommandsTest, DeleteBringsTheOtherPagesUpToDate) {
    Select(Satellites().SatelliteList(), {0});
    Satellites().TakeSelectedSatellite();
    Select(SatTp().TransponderList(), {0});
    m_editor.OnCommand(kCmdSatTpDelete);
    EXPECT_EQ(Column(Tv().List(), kColSerKey).front(), u"101");
    EXPECT_EQ(Column(Tv().List(), kColNumber).back(), DecimalText(Tv().List().GetItemCount()));
    EXPECT_EQ(Column(m_editor.Page<CServicePage>(PageTab::Radio).List(), kColSerKey).front(),
              u"200");
    EXPECT_EQ(Column(Satellites().ServiceList(), 1), Words("S101"));
    EXPECT_TRUE(SatTp().TransponderList().IsSelected(0));
    EXPECT_EQ(Column(SatTp().TransponderList(), 0), Words("1 2"));
    EXPECT_EQ(Column(SatTp().ServiceList(), 1), Words("S101"));
    EXPECT_TRUE(SatTp().m_deletedKeys.empty());
    EXPECT_TRUE(m_platform.messages.empty());

    SatTp().SelectSatellite(1);
    Select(SatTp().TransponderList(), {0});
    m_editor.OnCommand(kCmdSatTpDelete);
    EXPECT_EQ(SatTp().TransponderList().GetItemCount(), 1);
    EXPECT_EQ(m_platform.MessageTexts(),
              std::vector<std::u16string>{std::u16string(kLastTransponderKept)});
}

TEST_F(SatelliteCommandsTest, DialogCommandsRefreshWhatTheyChanged) {
    Select(Satellites().SatelliteList(), {1});
    m_platform.runDialog = [](CDialogForm& form) {
        if (auto* satellite = dynamic_cast<CSatEditDlg*>(&form)) {
            satellite->m_name = u"Renamed";
            return satellite->Ok();
        }
        auto& transponder = dynamic_cast<CTpEditDlg&>(form);
        transponder.m_freq = transponder.m_addMode ? u"11000" : u"12010";
        return transponder.Ok();
    };
    m_editor.OnCommand(kCmdSatEdit);
    EXPECT_EQ(Satellites().SatelliteList().GetItemText(1, kSatColName), u"Renamed");
    EXPECT_TRUE(Satellites().SatelliteList().IsSelected(1));
    EXPECT_EQ(SatTp().SatelliteChoice()[1], u"2 : Renamed(7.5W)");

    Select(SatTp().TransponderList(), {1});
    m_editor.OnCommand(kCmdSatTpEdit);
    EXPECT_EQ(SatTp().TransponderList().GetItemText(1, 1), u"12010");
    EXPECT_TRUE(SatTp().TransponderList().IsSelected(1));
    EXPECT_EQ(Column(SatTp().ServiceList(), 1), Words("S101"));

    m_editor.OnCommand(kCmdSatTpAdd);
    EXPECT_EQ(SatTp().TransponderList().GetItemCount(), 4);
    EXPECT_EQ(SatTp().GetSelectedRow(), 3);
    EXPECT_EQ(SatTp().ServiceList().GetItemCount(), 0);

    // A renamed TV service shows its new name beside its satellite and transponder.
    Select(SatTp().TransponderList(), {0});
    SatTp().TakeSelectedTransponder();
    Select(Satellites().SatelliteList(), {0});
    Satellites().TakeSelectedSatellite();
    Select(Tv().List(), {0});
    m_platform.runDialog = [](CDialogForm& form) {
        auto& service = dynamic_cast<CServiceEditDlg&>(form);
        service.m_name = u"New name";
        return service.Ok();
    };
    m_editor.OnCommand(kCmdTvEdit);
    EXPECT_EQ(SatTp().ServiceList().GetItemText(0, 1), u"New name");
    EXPECT_EQ(Satellites().ServiceList().GetItemText(0, 1), u"New name");
}

}  // namespace
}  // namespace vesko::testing
