#include "app/file_commands.h"

#include "app/editor_dlg.h"
#include "app/order_commands.h"
#include "base/commands.h"

namespace vesko {

namespace {

// Ctrl+<letter> on any list of any page.
std::vector<ListInput> OnEveryList(PageKey letter) {
    return {{ListInput::kEveryList, {letter, true}}};
}

}  // namespace

void AddFileCommands(CommandTable& table, CEditorDlg& editor) {
    const auto open = [&editor] { editor.OpenFromChooser(); };
    const auto save = [&editor] { editor.Save(); };
    const auto exit = [&editor] { editor.Exit(); };

    // The menu entries lead to the toolbar's commands; both do the same.
    table.Add({.number = kCmdMenuOpen,
               .name = "file.open",
               .place = CommandPlace::FileMenu,
               .menuText = u"&Open...",
               .shortcut = u"Ctrl+O",
               .run = open});
    table.Add({.number = kCmdMenuSave,
               .name = "file.save",
               .place = CommandPlace::FileMenu,
               .menuText = u"Save(&s)",
               .shortcut = u"Ctrl+S",
               .run = save});
    table.Add({.number = kCmdSaveTo,
               .name = "file.saveTo",
               .place = CommandPlace::FileMenu,
               .menuText = u"&Save to",
               .run = [&editor] { editor.SaveTo(); }});
    const auto folderOpen = [&editor] { return editor.Folder().IsDatabaseOpen(); };
    // Restoring and checking write the working copies only with what a backup or a
    // report brings, which a freshly opened consistent database does not have: they are
    // not among the commands that always change data. Undo records whatever they wrote.
    table.Add({.number = kCmdRestoreBackup,
               .name = "file.restoreBackup",
               .place = CommandPlace::FileMenu,
               .menuText = u"Restore backup...",
               .run = [&editor] { editor.RestoreBackup(); },
               .enabled = folderOpen});
    table.Add({.number = kCmdCheckDatabase,
               .name = "file.checkDatabase",
               .place = CommandPlace::FileMenu,
               .menuText = u"Check database...",
               .run = [&editor] { editor.CheckDatabase(); },
               .enabled = folderOpen});
    // Applying a reference writes only where its order differs: the same database as
    // its own reference changes nothing.
    table.Add({.number = kCmdApplyReferenceOrder,
               .name = "file.applyOrder",
               .place = CommandPlace::FileMenu,
               .menuText = u"Apply order from another database...",
               .run = [&editor] { ApplyOrderFromReference(editor); },
               .enabled = folderOpen});
    table.Add({.number = kCmdMenuExit,
               .name = "file.exit",
               .place = CommandPlace::FileMenu,
               .menuText = u"&Exit",
               .run = exit});
    table.Add({.number = kCmdOpenFolder,
               .name = "toolbar.open",
               .place = CommandPlace::Toolbar,
               .menuText = u"Open",
               .inputs = OnEveryList(PageKey::LetterO),
               .run = open});
    table.Add({.number = kCmdToolbarSave,
               .name = "toolbar.save",
               .place = CommandPlace::Toolbar,
               .menuText = u"Save",
               .inputs = OnEveryList(PageKey::LetterS),
               .run = save});
    table.Add({.number = kCmdToolbarExit,
               .name = "toolbar.exit",
               .place = CommandPlace::Toolbar,
               .menuText = u"Exit",
               .run = exit});
    table.Add({.number = kCmdUndo,
               .name = "edit.undo",
               .place = CommandPlace::EditMenu,
               .menuText = u"Undo",
               .shortcut = u"Ctrl+Z",
               .run = [&editor] { editor.Undo(); },
               .enabled = [&editor] { return editor.History().CanUndo(); },
               .liveText = [&editor] { return editor.HistoryMenuText(HistoryMove::Undo); }});
    table.Add({.number = kCmdRedo,
               .name = "edit.redo",
               .place = CommandPlace::EditMenu,
               .menuText = u"Redo",
               .shortcut = u"Ctrl+Y",
               .altShortcut = u"Ctrl+Shift+Z",
               .run = [&editor] { editor.Redo(); },
               .enabled = [&editor] { return editor.History().CanRedo(); },
               .liveText = [&editor] { return editor.HistoryMenuText(HistoryMove::Redo); }});
    table.Add({.number = kCmdAbout,
               .name = "help.about",
               .place = CommandPlace::MenuBar,
               .menuText = u"About",
               .run = [&editor] { editor.RunAbout(); }});
    table.Add({.number = kCmdHistory,
               .name = "help.history",
               .place = CommandPlace::MenuBar,
               .menuText = u"History",
               .run = [&editor] { editor.RunHistory(); }});
}

}  // namespace vesko
