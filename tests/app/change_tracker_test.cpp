// The question at Exit follows the working copies: every command of the table that
// changes data marks the database changed when it did its work, and nothing else does
// (clicks, selections, searches, cancelled dialogs, commands that found nothing to do).

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <typeindex>

#include "app/editor_dlg.h"
#include "app/restore_backup_form.h"
#include "base/commands.h"
#include "controls/drag_list_ctrl.h"
#include "fake_platform.h"
#include "pages/check/check_report_dlg.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/order/reference_order_dlg.h"
#include "pages/satellites/decimal_value.h"
#include "pages/satellites/sat_edit_dlg.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/sort_dlg.h"
#include "temp_dir.h"
#include "xml/decimal_text.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// How the test user changes something in each dialog before pressing OK. A dialog
// that arrives with a page adds its line here; a dialog without one fails the test.
const std::map<std::type_index, std::function<bool(CDialogForm&)>>& DialogUsers() {
    static const std::map<std::type_index, std::function<bool(CDialogForm&)>> users{
        {typeid(CServiceEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CServiceEditDlg&>(form);
             edit.m_name += u" (edited)";
             return edit.Ok();
         }},
        {typeid(CFavRenameDlg),
         [](CDialogForm& form) {
             auto& rename = static_cast<CFavRenameDlg&>(form);
             rename.m_name += u" (edited)";
             return rename.Ok();
         }},
        {typeid(CAddToFavDlg),
         [](CDialogForm& form) {
             auto& add = static_cast<CAddToFavDlg&>(form);
             add.m_checks.fill(1);
             return add.Ok();
         }},
        {typeid(CSatEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CSatEditDlg&>(form);
             edit.m_name += u" (edited)";
             return edit.Ok();
         }},
        {typeid(CTpEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CTpEditDlg&>(form);
             edit.m_freq = DecimalText(ParseDecimal(edit.m_freq) + (edit.m_addMode ? 0 : 1));
             return edit.Ok();
         }},
        {typeid(CCheckReportDlg),
         [](CDialogForm& form) { return static_cast<CCheckReportDlg&>(form).Ok(); }},
        {typeid(CRestoreBackupDlg),
         [](CDialogForm& form) { return static_cast<CRestoreBackupDlg&>(form).Ok(); }},
        {typeid(CSortServicesDlg),
         [](CDialogForm& form) {
             auto& sort = static_cast<CSortServicesDlg&>(form);
             sort.m_selectedOnly = false;
             sort.m_descending = true;
             return sort.Ok();
         }},
        {typeid(CReferenceOrderDlg),
         [](CDialogForm& form) {
             auto& apply = static_cast<CReferenceOrderDlg&>(form);
             apply.m_copyLockAndSkip = true;
             return apply.Ok();
         }},
    };
    return users;
}

struct ChangeTrackerTest : ::testing::Test {
    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    std::filesystem::path folder = scratch.Path() / "demo";

    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(VESKO_SOURCE_DIR) / "examples/demo", folder);
    }

    // A fresh open of the demo, with the second row of every list selected.
    void OpenFresh() {
        platform.answers.push_back(MessageAnswer::No);  // in case the last step changed data
        ASSERT_TRUE(editor.OpenDroppedFolder(folder));
        platform.answers.clear();
        platform.messages.clear();
        for (const auto& page : editor.Pages()) {
            for (CDragListCtrl* list : page->Lists()) {
                list->ClearSelection();
                list->SetSelected(std::min(1, list->GetItemCount() - 1), true);
            }
        }
        ASSERT_FALSE(editor.HasUnsavedChanges());
    }
};

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
