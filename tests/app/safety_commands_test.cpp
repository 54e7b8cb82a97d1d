// File > Check database... and File > Restore backup...: the report names every
// problem where it is and fixes only the dangling favourite entries, as one step Undo
// takes back; a backup comes back into the working copies, not straight into the folder.

#include <gtest/gtest.h>

#include "app/editor_dlg.h"
#include "app/restore_backup_form.h"
#include "app/tiny_database.h"
#include "base/commands.h"
#include "database/working_copies.h"
#include "fake_platform.h"
#include "pages/check/check_report_dlg.h"
#include "pages/services/service_page.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct SafetyCommandsTest : ::testing::Test {
    SafetyCommandsTest() { WorkingCopies::Current().Reset(); }
    ~SafetyCommandsTest() override { WorkingCopies::Current().Reset(); }

    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    std::filesystem::path folder = testing::WriteTinyDatabase(scratch / "db");
};

std::string Repeat(const std::string& text, int times, int from = 0) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        std::string item = text;
        const std::size_t at = item.find('#');
        if (at != std::string::npos) {
            item.replace(at, 1, std::to_string(from + i));
        }
        out += item;
    }
    return out;
}

TEST_F(SafetyCommandsTest, CheckReportsWhereAndFixesOnlyDanglingEntriesAsOneStep) {
    const std::string longName(41, 'N');
    const std::string longGroup(51, 'G');
    WriteBytes(folder / "sat.xml",
               "<satellites tuner_num=\"1\">\n<sat sat_key=\"1\" name=\"Astra\">\n"
               "<transponder tp_key=\"1\" sat_key=\"1\"/>\n</sat>\n"
               "<sat sat_key=\"2\" name=\"Big\">\n" +
                   Repeat("<transponder tp_key=\"#\" sat_key=\"2\"/>\n", 301, 100) +
                   "</sat>\n<sat sat_key=\"1\" name=\"Astra again\"/>\n</satellites>\n");
    WriteBytes(folder / "sat_t.xml",
               "<sats><sat><transponder tp_key=\"1\" sat_key=\"65\"/>"
               "<transponder tp_key=\"5\" sat_key=\"65\"/></sat></sats>\n");
    WriteBytes(folder / "tv_prog.xml",
               "<programs>\n<prog sat_key=\"1\" tp_key=\"1\" service_key=\"10\" name=\"Alpha\"/>\n"
               "<prog sat_key=\"9\" tp_key=\"1\" service_key=\"11\" name=\"Lost sat\"/>\n"
               "<prog sat_key=\"1\" tp_key=\"77\" service_key=\"12\" name=\"Lost tp\"/>\n"
               "<prog sat_key=\"1\" tp_key=\"1\" service_key=\"10\" name=\"" +
                   longName + "\"/>\n</programs>\n");
    WriteBytes(folder / "radio_prog.xml",
               "<programs>\n<prog sat_key=\"65\" tp_key=\"5\" service_key=\"20\" name=\"R\"/>\n"
               "</programs>\n");
    WriteBytes(folder / "tv_fav.xml",
               "<favourites>\n<fav name=\"News\" block=\"0\">\n<prog service_key=\"10\"/>\n"
               "<prog service_key=\"99\"/>\n<prog service_key=\"98\"/>\n</fav>\n<fav name=\"" +
                   longGroup + "\" block=\"0\">\n" + Repeat("<prog service_key=\"10\"/>\n", 301) +
                   "</fav>\n</favourites>\n");
    WriteBytes(folder / "radio_fav.xml",
               "<favourites>\n<fav name=\"News\" block=\"0\">\n<prog service_key=\"77\"/>\n"
               "<prog service_key=\"20\"/>\n</fav>\n<fav name=\"" +
                   longGroup + "\" block=\"0\"/>\n</favourites>\n");
    ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    const std::string tvFav = ReadBytes(work / "temp_tv_fav.xml");
    const std::string radioFav = ReadBytes(work / "temp_radio_fav.xml");

    const std::u16string group = u"Fav Tv group 2 \"" + std::u16string(51, u'G') + u"\"";
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"TV service 2 \"Lost sat\"", u"its satellite \"9\" does not exist"},
        {u"TV service 3 \"Lost tp\"", u"its transponder \"77\" of satellite \"1\" does not exist"},
        {u"Fav Tv group 1 \"News\", entry 2", u"service \"99\" does not exist in tv_prog.xml"},
        {u"Fav Tv group 1 \"News\", entry 3", u"service \"98\" does not exist in tv_prog.xml"},
        {u"Fav Radio group 1 \"News\", entry 1",
         u"service \"77\" does not exist in radio_prog.xml"},
        {u"TV services 1, 4", u"service_key \"10\" is held 2 times"},
        {u"Transponders 1, 303", u"tp_key \"1\" is held 2 times"},
        {u"Satellites 1, 3", u"sat_key \"1\" is held 2 times"},
        {group, u"it holds 301 services; a group takes 300"},
        {u"Satellite \"Big\"", u"it has 301 transponders; a satellite takes 300"},
        {u"TV service 4 \"" + std::u16string(41, u'N') + u"\"",
         u"its name has 41 characters; the edit box takes 40"},
        {group, u"its name has 51 characters; the edit box takes 50"},
    };
    int shown = 0;
    platform.runDialog = [&](CDialogForm& form) {
        auto& report = dynamic_cast<CCheckReportDlg&>(form);
        ++shown;
        std::vector<std::pair<std::u16string, std::u16string>> found;
        for (const CheckFinding& finding : report.Report().findings) {
            found.emplace_back(finding.where, finding.what);
            EXPECT_EQ(finding.fixable,
                      finding.what.find(u"does not exist in") != std::u16string::npos);
        }
        EXPECT_EQ(found, expected);
        return report.Ok();
    };
    editor.OnCommand(kCmdCheckDatabase);
    ASSERT_EQ(shown, 1);
    // The fix took the three dangling entries out and nothing else.
    const std::string fixedTv = ReadBytes(work / "temp_tv_fav.xml");
    EXPECT_EQ(fixedTv.find("\"99\""), std::string::npos);
    EXPECT_EQ(fixedTv.find("\"98\""), std::string::npos);
    EXPECT_EQ(fixedTv.size(),
              tvFav.size() - 2 * std::string("<prog service_key=\"99\"/>\n").size());
    EXPECT_EQ(ReadBytes(work / "temp_radio_fav.xml").find("\"77\""), std::string::npos);
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Remove 3 dangling entries");

    editor.OnCommand(kCmdUndo);
    EXPECT_EQ(ReadBytes(work / "temp_tv_fav.xml"), tvFav);
    EXPECT_EQ(ReadBytes(work / "temp_radio_fav.xml"), radioFav);
    EXPECT_FALSE(editor.HasUnsavedChanges());
}

TEST_F(SafetyCommandsTest, ABackupComesBackIntoTheWorkingCopiesAsAStep) {
    editor.SetBackupRoot(scratch / "backups");
    ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    const std::string opened = ReadBytes(work / "temp_tv_prog.xml");
    editor.OnCommand(kCmdRestoreBackup);
    EXPECT_EQ(platform.MessageTexts().back().find(u"There is no backup"), 0u);

    CDragListCtrl& tv = editor.Page<CServicePage>(PageTab::Tv).List();
    tv.SetSelected(0, true);
    editor.OnCommand(kCmdTvDelete);
    editor.OnCommand(kCmdMenuSave);  // backs the folder up first
    ASSERT_EQ(tv.GetItemCount(), 0);
    const std::string saved = ReadBytes(folder / "tv_prog.xml");

    platform.runDialog = [&](CDialogForm& form) {
        auto& restore = dynamic_cast<CRestoreBackupDlg&>(form);
        EXPECT_EQ(restore.m_entries.size(), 1u);
        EXPECT_NE(restore.m_entries[0].find(u"(5 files)"), std::u16string::npos);
        EXPECT_NE(restore.m_heading.find(folder.u16string()), std::u16string::npos);
        return restore.Ok();
    };
    editor.OnCommand(kCmdRestoreBackup);
    EXPECT_EQ(ReadBytes(work / "temp_tv_prog.xml"), opened);
    EXPECT_EQ(tv.GetItemCount(), 1);
    EXPECT_TRUE(editor.HasUnsavedChanges());  // the folder holds the saved delete
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), saved);
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo).find(u"Undo Restore backup of 20"), 0u);

    editor.OnCommand(kCmdUndo);
    EXPECT_EQ(tv.GetItemCount(), 0);
    EXPECT_FALSE(editor.HasUnsavedChanges());
}

}  // namespace
}  // namespace vesko
