// The question at Exit follows the working copies: every command of the table that
// changes data marks the database changed when it did its work, and nothing else does
// (clicks, selections, searches, cancelled dialogs, commands that found nothing to do).

#include <gtest/gtest.h>

#include "app/dialog_users.h"
#include "app/editor_dlg.h"
#include "app/walk_fixture.h"
#include "base/commands.h"
#include "controls/drag_list_ctrl.h"
#include "pages/services/service_edit_dlg.h"

namespace vesko {
namespace {

using testing::DialogUsers;

using ChangeTrackerTest = testing::EditorOnDemo;

TEST_F(ChangeTrackerTest, EveryDataChangingCommandMarksTheDatabaseChanged) {
    int checked = 0;
    for (const CommandRow& row : editor.Commands().Rows()) {
        if (!row.changesData || !row.run) {
            continue;
        }
        OpenFresh();
        platform.runDialog = [&](CDialogForm& form) {
            const auto user = DialogUsers().find(typeid(form));
            EXPECT_NE(user, DialogUsers().end()) << "no test user for a dialog of " << row.name;
            return user != DialogUsers().end() && user->second(form);
        };
        editor.OnCommand(row.number);
        EXPECT_TRUE(editor.HasUnsavedChanges()) << row.name;
        EXPECT_TRUE(platform.messages.empty()) << row.name;
        ++checked;
    }
    EXPECT_GE(checked, 12);  // the TV and Radio commands at least
}

TEST_F(ChangeTrackerTest, CancelledDialogsClicksAndOtherCommandsChangeNothing) {
    // Every dialog cancelled.
    for (const CommandRow& row : editor.Commands().Rows()) {
        OpenFresh();
        platform.runDialog = [](CDialogForm&) { return false; };
        if (row.number == kCmdMenuExit || row.number == kCmdToolbarExit || !row.run) {
            continue;  // the end of the editor, or a command still to come
        }
        if (row.number == kCmdMenuOpen || row.number == kCmdOpenFolder) {
            continue;  // chooser cancelled: nothing to look at
        }
        if (!row.changesData) {
            editor.OnCommand(row.number);
            EXPECT_FALSE(editor.HasUnsavedChanges()) << row.name;
        } else if (row.number == kCmdTvEdit || row.number == kCmdRadioEdit) {
            editor.OnCommand(row.number);
            EXPECT_FALSE(editor.HasUnsavedChanges()) << row.name << " cancelled";
        }
    }

    // An edit confirmed without a change writes nothing new.
    OpenFresh();
    platform.runDialog = [](CDialogForm& form) { return static_cast<CServiceEditDlg&>(form).Ok(); };
    editor.OnCommand(kCmdTvEdit);
    EXPECT_FALSE(editor.HasUnsavedChanges());

    // Plain clicks on every list: a press and a release without a drag.
    OpenFresh();
    for (const auto& page : editor.Pages()) {
        for (CDragListCtrl* list : page->Lists()) {
            list->OnLeftButtonUp();
        }
    }
    EXPECT_FALSE(editor.HasUnsavedChanges());

    // A move down and back up gives the file back as it was.
    OpenFresh();
    editor.OnCommand(kCmdTvMoveDown);
    EXPECT_TRUE(editor.HasUnsavedChanges());
    editor.OnCommand(kCmdTvMoveUp);
    EXPECT_FALSE(editor.HasUnsavedChanges());
}

TEST_F(ChangeTrackerTest, CommandsWithNothingSelectedChangeNothing) {
    OpenFresh();
    for (const auto& page : editor.Pages()) {
        for (CDragListCtrl* list : page->Lists()) {
            list->ClearSelection();
        }
    }
    platform.runDialog = [](CDialogForm&) { return true; };
    for (const CommandRow& row : editor.Commands().Rows()) {
        if (row.changesData && row.run) {
            editor.OnCommand(row.number);
            EXPECT_FALSE(editor.HasUnsavedChanges()) << row.name;
        }
    }
}

}  // namespace
}  // namespace vesko
