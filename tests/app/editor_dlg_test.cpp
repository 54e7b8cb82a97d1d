#include "app/editor_dlg.h"

#include <gtest/gtest.h>

#include "app/tiny_database.h"
#include "base/commands.h"
#include "database/working_copies.h"
#include "fake_platform.h"
#include "fault_file_system.h"
#include "pages/satellites/satellite_page.h"
#include "pages/services/service_page.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteTinyDatabase;

constexpr std::u16string_view kExitQuestion = u"         Save and leave ?";

struct EditorFixture : ::testing::Test {
    EditorFixture() { WorkingCopies::Current().Reset(); }
    ~EditorFixture() override { WorkingCopies::Current().Reset(); }

    TempDir work{true};  // the working folder, current while the test runs
    TempDir scratch;     // the database folders
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    std::filesystem::path folder = WriteTinyDatabase(scratch.Path() / "db", 2);

    void OpenTiny() {
        ASSERT_TRUE(editor.OpenDroppedFolder(folder));
        platform.messages.clear();
    }
    CServicePage& Tv() { return editor.Page<CServicePage>(PageTab::Tv); }
    // A real change of a working copy: the first TV service locked.
    void MakeChanges() {
        Tv().List().ClearSelection();
        Tv().List().SetSelected(0, true);
        editor.OnCommand(kCmdTvLock);
        ASSERT_TRUE(editor.HasUnsavedChanges());
    }
};

TEST_F(EditorFixture, OpenByDropMakesWorkingCopiesAndReloadsPages) {
    OpenTiny();
    EXPECT_TRUE(editor.Folder().IsDatabaseOpen());
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    for (const char* copy : {"temp_sat.xml", "temp_tv_prog.xml", "temp_radio_prog.xml",
                             "temp_tv_fav.xml", "temp_radio_fav.xml"}) {
        EXPECT_TRUE(std::filesystem::exists(work.Path() / copy)) << copy;
    }
    // Two tuners in the satellite file: the Satellite page offers its tuner button.
    EXPECT_TRUE(editor.Page<CSatellitePage>(PageTab::Satellite).IsTunerButtonVisible());
    EXPECT_EQ(settings.Value(SettingKey::LastFolder), folder.u16string());
    EXPECT_FALSE(editor.HasUnsavedChanges());
}

TEST_F(EditorFixture, FailedOpenKeepsTheOpenDatabase) {
    OpenTiny();
    const auto broken = scratch.Path() / "broken";
    WriteTinyDatabase(broken, 1, "Other");
    std::filesystem::remove(broken / "radio_fav.xml");

    EXPECT_FALSE(editor.OpenDroppedFolder(broken));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::u16string>{
                  u"ERROR! Can not open :radio_fav.xml",
                  u"Unable to load all the documents or file missing,please check your files"}));
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    EXPECT_NE(ReadBytes(work.Path() / "temp_tv_prog.xml").find("Alpha"), std::string::npos);
    EXPECT_TRUE(editor.Page<CSatellitePage>(PageTab::Satellite).IsTunerButtonVisible());
}

TEST_F(EditorFixture, OpenCommandsUseTheFolderChooser) {
    editor.OnCommand(kCmdMenuOpen);  // leads to the toolbar's open
    EXPECT_EQ(platform.chooserTitles, (std::vector<std::u16string>{u"please select XML dir"}));
    EXPECT_FALSE(editor.Folder().IsDatabaseOpen());  // chooser cancelled: nothing happens

    platform.folders.push_back(folder);
    editor.OnCommand(kCmdOpenFolder);
    EXPECT_TRUE(editor.Folder().IsDatabaseOpen());

    // The chooser starts in the folder opened last (remembered between runs), never in
    // the working folder; the first time it starts in the home folder (an empty start).
    editor.OnCommand(kCmdSaveTo);
    ASSERT_EQ(platform.chooserStarts.size(), 3u);
    EXPECT_TRUE(platform.chooserStarts[0].empty());
    EXPECT_EQ(platform.chooserStarts[2], editor.Folder().GetFolderPath());
    MemorySettings remembered;
    remembered.SetValue(SettingKey::LastFolder, scratch.Path().u16string());
    CEditorDlg next(platform, remembered);
    next.OnCommand(kCmdMenuOpen);
    EXPECT_EQ(platform.chooserStarts.back(), scratch.Path());
}

TEST_F(EditorFixture, OpeningAnotherFolderAsksAboutUnsavedChangesFirst) {
    OpenTiny();
    MakeChanges();
    const auto other = WriteTinyDatabase(scratch.Path() / "other", 1, "Bravo");

    platform.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.OpenDroppedFolder(other));
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::u16string>{std::u16string(kExitQuestion)}));
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    EXPECT_TRUE(editor.HasUnsavedChanges());

    // Cancelled from the chooser path too: the chooser is not even shown.
    platform.answers.push_back(MessageAnswer::Cancel);
    editor.OnCommand(kCmdOpenFolder);
    EXPECT_TRUE(platform.chooserTitles.empty());

    platform.answers.push_back(MessageAnswer::No);
    EXPECT_TRUE(editor.OpenDroppedFolder(other));
    EXPECT_EQ(editor.Folder().GetFolderPath(), other);
    EXPECT_FALSE(editor.HasUnsavedChanges());
    EXPECT_NE(ReadBytes(work.Path() / "temp_tv_prog.xml").find("Bravo"), std::string::npos);
    // "No" gave up the changes: the first folder was not written.
    EXPECT_NE(ReadBytes(folder / "tv_prog.xml").find("Alpha"), std::string::npos);
}

TEST_F(EditorFixture, SaveWritesTheFolderAndCountsAsSaved) {
    OpenTiny();
    MakeChanges();
    WriteBytes(work.Path() / "temp_tv_prog.xml",
               "<programs>\r\n<prog service_key=\"10\" name=\"Edited\"/>\r\n</programs>\r\n");

    editor.OnCommand(kCmdToolbarSave);  // leads to Save
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"),
              "<programs><prog service_key=\"10\" name=\"Edited\"/></programs>");
    EXPECT_FALSE(editor.HasUnsavedChanges());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EditorFixture, FailedSaveKeepsTheChangesUnsaved) {
    OpenTiny();
    MakeChanges();
    // A folder where the file should be: the write of tv_prog.xml cannot succeed.
    std::filesystem::remove(folder / "tv_prog.xml");
    std::filesystem::create_directory(folder / "tv_prog.xml");

    editor.OnCommand(kCmdMenuSave);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, u"VeksoEditor");
    EXPECT_TRUE(editor.HasUnsavedChanges());
}

TEST_F(EditorFixture, SaveToLeavesFolderAndChangesAlone) {
    OpenTiny();
    MakeChanges();
    const auto target = scratch.Path() / "copy";
    std::filesystem::create_directory(target);
    platform.folders.push_back(target);
    editor.OnCommand(kCmdSaveTo);
    EXPECT_TRUE(std::filesystem::exists(target / "sat.xml"));
    EXPECT_EQ(editor.Folder().GetFolderPath(), folder);
    EXPECT_TRUE(editor.HasUnsavedChanges());
}

TEST_F(EditorFixture, ExitAnswers) {
    OpenTiny();
    MakeChanges();

    platform.answers.push_back(MessageAnswer::Cancel);
    editor.OnCommand(kCmdToolbarExit);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::u16string>{std::u16string(kExitQuestion)}));
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(platform.endedWith, -1);
    EXPECT_TRUE(std::filesystem::exists(work.Path() / "temp_sat.xml"));

    WriteBytes(work.Path() / "temp_tv_prog.xml", "<programs name=\"saved\"/>");
    platform.answers.push_back(MessageAnswer::Yes);
    editor.OnCommand(kCmdMenuExit);
    EXPECT_EQ(platform.endedWith, 0);
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), "<programs name=\"saved\"/>");
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "temp_sat.xml"));
}

TEST_F(EditorFixture, ExitWithNoDiscardsWithoutSaving) {
    OpenTiny();
    MakeChanges();
    WriteBytes(work.Path() / "temp_tv_prog.xml", "<programs name=\"lost\"/>");
    platform.answers.push_back(MessageAnswer::No);
    editor.OnCommand(kCmdMenuExit);
    EXPECT_EQ(platform.endedWith, 0);
    EXPECT_NE(ReadBytes(folder / "tv_prog.xml").find("Alpha"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "temp_tv_prog.xml"));
}

TEST_F(EditorFixture, ExitAsksNothingWithoutChangesOrWithoutDatabase) {
    editor.OnCommand(kCmdMenuExit);  // no database open yet
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.endedWith, 0);

    FakePlatform second;
    CEditorDlg other(second, settings);
    ASSERT_TRUE(other.OpenDroppedFolder(folder));
    other.OnCommand(kCmdMenuExit);
    EXPECT_TRUE(second.messages.empty());
    EXPECT_EQ(second.endedWith, 0);
}

TEST_F(EditorFixture, ExitAfterFailedSaveStaysOpen) {
    OpenTiny();
    MakeChanges();
    std::filesystem::remove(folder / "sat.xml");
    std::filesystem::create_directory(folder / "sat.xml");
    platform.answers.push_back(MessageAnswer::Yes);
    editor.OnCommand(kCmdMenuExit);
    EXPECT_EQ(platform.endedWith, -1);
    EXPECT_TRUE(std::filesystem::exists(work.Path() / "temp_sat.xml"));
}

// A command whose working-copy write fails changes nothing: every copy it wrote is put
// back, the lists show the copies again, nothing counts as a change, and the user is
// told once which file and why. A copy that cannot be read is never written at all.
TEST_F(EditorFixture, AFailedWorkingCopyWriteIsUndoneReloadedAndToldOnce) {
    OpenTiny();
    testing::FaultyFileSystem fs;
    WorkingCopies::Current().SetFileSystem(fs);
    const std::string prog = ReadBytes(work.Path() / "temp_tv_prog.xml");
    const std::string fav = ReadBytes(work.Path() / "temp_tv_fav.xml");

    // Delete writes the favourites first, then the services: the second write fails.
    Tv().List().SelectAndShow(0);
    fs.Arm(2, "Rename");
    fs.cause = std::errc::no_space_on_device;
    editor.OnCommand(kCmdTvDelete);
    EXPECT_EQ(platform.MessageTexts(),
              (std::vector<std::u16string>{
                  u"The change could not be made and was undone:\nthe working copy of "
                  u"tv_prog.xml could not be written: no space left on the device"}));
    EXPECT_EQ(ReadBytes(work.Path() / "temp_tv_prog.xml"), prog);
    EXPECT_EQ(ReadBytes(work.Path() / "temp_tv_fav.xml"), fav);
    EXPECT_EQ(Tv().List().GetItemCount(), 1);
    EXPECT_FALSE(editor.HasUnsavedChanges());
    EXPECT_FALSE(WorkingCopies::Current().IsModified());

    // A copy taken away by a temporary-file cleaner: Lock says so and recreates nothing,
    // and Save leaves the folder as it was.
    fs.Arm(0);
    platform.messages.clear();
    std::filesystem::remove(work.Path() / "temp_tv_prog.xml");
    Tv().List().SelectAndShow(0);
    editor.OnCommand(kCmdTvLock);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(
                  u"the working copy of tv_prog.xml could not be read: the file is missing"),
              std::u16string::npos);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "temp_tv_prog.xml"));
    EXPECT_FALSE(editor.HasUnsavedChanges());
    const std::string saved = ReadBytes(folder / "tv_prog.xml");
    platform.messages.clear();
    editor.OnCommand(kCmdMenuSave);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(
                  u"tv_prog.xml: not found (its working copy could not be read)"),
              std::u16string::npos);
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), saved);
}

TEST_F(EditorFixture, AboutAndHistoryRunTheirForms) {
    std::vector<std::string> kinds;
    platform.runDialog = [&](CDialogForm& form) {
        kinds.push_back(typeid(form).name());
        return true;
    };
    int refreshes = 0;
    editor.SetRefreshHandler([&] { ++refreshes; });
    editor.OnCommand(kCmdAbout);
    editor.OnCommand(kCmdHistory);
    ASSERT_EQ(kinds.size(), 2u);
    EXPECT_NE(kinds[0].find("CAboutDlg"), std::string::npos);
    EXPECT_NE(kinds[1].find("CHistoryDlg"), std::string::npos);
    EXPECT_EQ(refreshes, 2);
}

}  // namespace
}  // namespace vesko
