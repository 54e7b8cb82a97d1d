// Undo and redo over every command of the table: random sequences on the demo are
// undone to the very bytes of the open and redone to the very bytes of their end; the
// entries name their steps, the pages follow, and the saved state follows the bytes.

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "controls/drag_list_ctrl.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "fake_platform.h"
#include "list_rows.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::Select;
using testing::TempDir;

using CopyBytes = std::map<std::string, std::string>;

struct UndoTest : ::testing::Test {
    UndoTest() { WorkingCopies::Current().Reset(); }
    ~UndoTest() override { WorkingCopies::Current().Reset(); }

    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    std::filesystem::path folder = scratch.Path() / "demo";

    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(VESKO_SOURCE_DIR) / "examples/demo", folder);
        ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    }

    // Every working copy's bytes; a missing copy is absent from the map.
    CopyBytes Copies() const {
        CopyBytes bytes;
        for (const DatabaseFile& file : kRequiredFiles) {
            bytes[std::string(file.workingCopy)] = ReadBytes(work / file.workingCopy);
        }
        for (const DatabaseFile& file : kOptionalFiles) {
            if (std::filesystem::exists(work / file.workingCopy)) {
                bytes[std::string(file.workingCopy)] = ReadBytes(work / file.workingCopy);
            }
        }
        return bytes;
    }
};

TEST_F(UndoTest, RandomCommandSequencesUndoToTheOpenAndRedoToTheirEnd) {
    std::vector<int> commands;
    for (const CommandRow& row : editor.Commands().Rows()) {
        if (row.changesData && row.run) {
            commands.push_back(row.number);
        }
    }
    ASSERT_GE(commands.size(), 12u);
    const CopyBytes opened = Copies();

    for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        const auto pick = [&random](int count) {
            return count <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(count));
        };
        // The test user changes something in every dialog it knows and cancels the rest.
        platform.runDialog = [&](CDialogForm& form) {
            if (auto* edit = dynamic_cast<CServiceEditDlg*>(&form)) {
                edit->m_name = u"Renamed " + std::u16string(1, char16_t(u'A' + pick(26)));
                return edit->Ok();
            }
            if (auto* rename = dynamic_cast<CFavRenameDlg*>(&form)) {
                rename->m_name = u"Group " + std::u16string(1, char16_t(u'A' + pick(26)));
                return rename->Ok();
            }
            if (auto* add = dynamic_cast<CAddToFavDlg*>(&form)) {
                add->m_checks[static_cast<std::size_t>(pick(4))] = 1;
                return add->Ok();
            }
            return false;
        };
        std::size_t steps = 0;
        for (int i = 0; i < 30; ++i) {
            for (const auto& page : editor.Pages()) {
                for (CDragListCtrl* list : page->Lists()) {
                    const int count = list->GetItemCount();
                    const int first = pick(count);
                    list->ClearSelection();
                    for (int n = pick(3); n >= 0 && count > 0; --n) {
                        list->SetSelected(std::min(first + n, count - 1), true);
                    }
                }
            }
            const CopyBytes before = Copies();
            editor.OnCommand(
                commands[static_cast<std::size_t>(pick(static_cast<int>(commands.size())))]);
            steps += Copies() != before ? 1 : 0;
        }
        // Moves past an end are told ("The item is the first row!"); nothing may fail.
        for (const std::u16string& text : platform.MessageTexts()) {
            ASSERT_EQ(text.find(u"undone"), std::u16string::npos) << "seed " << seed;
        }
        const CopyBytes ended = Copies();
        EXPECT_EQ(editor.History().StepCount(), steps) << "one step per command that changed bytes";

        while (editor.History().CanUndo()) {
            editor.OnCommand(kCmdUndo);
        }
        EXPECT_EQ(Copies(), opened) << "seed " << seed;
        EXPECT_FALSE(editor.HasUnsavedChanges());
        while (editor.History().CanRedo()) {
            editor.OnCommand(kCmdRedo);
        }
        EXPECT_EQ(Copies(), ended) << "seed " << seed;
        EXPECT_EQ(editor.HasUnsavedChanges(), ended != opened);
        while (editor.History().CanUndo()) {
            editor.OnCommand(kCmdUndo);
        }
    }
}

TEST_F(UndoTest, EntriesNameTheirStepsPagesFollowAndTheSavedStateFollowsTheBytes) {
    CServicePage& tv = editor.Page<CServicePage>(PageTab::Tv);
    const int services = tv.List().GetItemCount();
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo");
    EXPECT_FALSE(editor.Commands().IsEnabled(kCmdUndo));

    Select(tv.List(), {3, 4, 5});
    editor.OnCommand(kCmdTvDelete);
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Delete 3 services");
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Redo), u"Redo");
    EXPECT_EQ(tv.List().GetItemCount(), services - 3);
    Select(tv.List(), {0});
    editor.OnCommand(kCmdTvMoveDown);
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Move service down");

    // Saved after two steps: undoing makes the database unsaved again, coming back to
    // the saved bytes makes it saved.
    editor.OnCommand(kCmdMenuSave);
    EXPECT_FALSE(editor.HasUnsavedChanges());
    editor.OnCommand(kCmdUndo);
    EXPECT_TRUE(editor.HasUnsavedChanges());
    editor.OnCommand(kCmdUndo);
    EXPECT_EQ(tv.List().GetItemCount(), services);  // the page was reloaded
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Redo), u"Redo Delete 3 services");
    EXPECT_EQ(editor.ChangeCount(), 2);
    editor.OnCommand(kCmdRedo);
    editor.OnCommand(kCmdRedo);
    EXPECT_FALSE(editor.HasUnsavedChanges());
    EXPECT_EQ(editor.ChangeCount(), 0);

    // A new step after an undo forgets what could be redone; a drop is a step too.
    editor.OnCommand(kCmdUndo);
    Select(tv.List(), {1});
    editor.OnCommand(kCmdTvLock);
    EXPECT_FALSE(editor.History().CanRedo());
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Toggle lock of 1 service");
    editor.RunPageAction([&] {
        Select(tv.List(), {2});
        tv.ToggleSkip();
    });
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Drag and drop");

    // The depth comes from the settings with the next open.
    settings.SetValue(SettingKey::UndoDepth, u"2");
    platform.answers.push_back(MessageAnswer::No);
    ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    EXPECT_FALSE(editor.History().CanUndo());
    for (const int row : {1, 2, 3}) {
        Select(tv.List(), {row});
        editor.OnCommand(kCmdTvLock);
    }
    EXPECT_EQ(editor.History().StepCount(), 2u);
}

}  // namespace
}  // namespace vesko
