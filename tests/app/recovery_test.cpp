// Crash recovery: an editor process that is killed (SIGKILL, nothing of it runs after)
// in the middle of a session leaves its working folder; the next start offers the
// unsaved work back and cleans up only after the answer.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/editor_dlg.h"
#include "app/recovery.h"
#include "app/tiny_database.h"
#include "base/commands.h"
#include "database/working_copies.h"
#include "database/working_folder.h"
#include "fake_platform.h"
#include "pages/services/service_page.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;

// Runs an editor in a child process on `folder` with its working folder under `root`:
// it deletes the first TV service (and saves when told), says so, and is killed.
void RunKilledEditor(const std::filesystem::path& root, const std::filesystem::path& folder,
                     bool saveFirst) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        WorkingCopies::Current().Reset();
        WorkingFolder working(root);
        FakePlatform platform;
        MemorySettings settings;
        CEditorDlg editor(platform, settings);
        if (!working.Ready() || !editor.OpenDroppedFolder(folder)) {
            ::_exit(1);
        }
        CDragListCtrl& tv = editor.Page<CServicePage>(PageTab::Tv).List();
        tv.SetSelected(0, true);
        editor.OnCommand(kCmdTvDelete);
        if (saveFirst) {
            editor.OnCommand(kCmdMenuSave);
        }
        const char done = 'x';
        (void)!::write(ready[1], &done, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1) << "the editor did not get through its command";
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
}

TEST(Recovery, AKilledEditorsUnsavedWorkIsOfferedAndTakenBackOnlyWhenAskedFor) {
    struct Case {
        const char* name;
        bool saveFirst;
        MessageAnswer answer;
        bool asked, recovered, leftStays;
    };
    const Case cases[] = {
        {"Yes recovers", false, MessageAnswer::Yes, true, true, false},
        {"No throws away", false, MessageAnswer::No, true, false, false},
        {"Cancel keeps for later", false, MessageAnswer::Cancel, true, false, true},
        {"saved work is not offered", true, MessageAnswer::Yes, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir base;
        const auto root = base / "root";
        const auto folder = testing::WriteTinyDatabase(base / "db");
        testing::WriteBytes(folder / "tv_prog.xml",
                            "<programs>\n<prog sat_key=\"1\" tp_key=\"1\" service_key=\"10\" "
                            "name=\"Alpha\"/>\n<prog sat_key=\"1\" tp_key=\"1\" service_key=\"11\" "
                            "name=\"Bravo\"/>\n</programs>\n");
        const std::string original = ReadBytes(folder / "tv_prog.xml");
        RunKilledEditor(root, folder, c.saveFirst);
        if (HasFatalFailure()) {
            return;
        }

        WorkingCopies::Current().Reset();
        WorkingFolder next(root);
        ASSERT_TRUE(next.Ready());
        const std::size_t offered = next.LeftSessions().size();
        const std::filesystem::path left = offered ? next.LeftSessions()[0].path : "";
        FakePlatform platform;
        platform.answers.push_back(c.answer);
        MemorySettings settings;
        CEditorDlg editor(platform, settings);
        EXPECT_EQ(OfferRecovery(editor, next), c.recovered);

        EXPECT_EQ(offered, c.asked ? 1u : 0u);
        if (c.asked) {
            ASSERT_FALSE(platform.messages.empty());
            EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_NE(platform.messages[0].text.find(folder.u16string()), std::u16string::npos);
            EXPECT_NE(platform.messages[0].text.find(u"1 change,"), std::u16string::npos);
            EXPECT_EQ(std::filesystem::exists(left), c.leftStays);
        }
        // Nothing but this editor's own folder is left, unless kept for later.
        std::size_t folders = 0;
        for (const auto& entry : std::filesystem::directory_iterator(root)) {
            folders += entry.path().filename().string().starts_with("work-") ? 1 : 0;
        }
        EXPECT_EQ(folders, c.leftStays ? 2u : 1u);

        EXPECT_EQ(editor.Folder().IsDatabaseOpen(), c.recovered);
        if (c.recovered) {
            // The deleted service is gone again, as unsaved work that one Undo takes back;
            // the folder itself was not touched.
            CDragListCtrl& tv = editor.Page<CServicePage>(PageTab::Tv).List();
            ASSERT_EQ(tv.GetItemCount(), 1);
            EXPECT_TRUE(editor.HasUnsavedChanges());
            EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), original);
            EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Recover unsaved changes");
            editor.OnCommand(kCmdUndo);
            EXPECT_EQ(tv.GetItemCount(), 2);
            EXPECT_FALSE(editor.HasUnsavedChanges());
        }
    }
    WorkingCopies::Current().Reset();
}

}  // namespace
}  // namespace vesko
