#include "app/file_commands.h"

#include "app/editor_dlg.h"
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
