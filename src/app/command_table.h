#pragma once
// The command table: every command of the editor is one row, with the number that the
// menus, toolbar, context menus and list keys send, a name (the Qt action's object
// name, so tests trigger actions by name), where it sits, which keys and clicks raise
// it on which list, its handler, whether it can run now and whether it changes data.
// The main window's menus, toolbar and context menus and every list's keys are built
// from it; a page brings its rows and its context menus along.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/page_input.h"
#include "pages/page.h"

namespace vesko {

// Where a row is offered outside the context menus.
enum class CommandPlace {
    None,  // context menus, keys and other commands only
    FileMenu,
    EditMenu,
    MenuBar,  // an entry of the menu bar itself (About, History)
    Toolbar,
};

// How many selected rows an input needs on its list.
enum class SelectionNeed { Any, None, One, Several, AtLeastOne };

bool SelectionMeets(SelectionNeed need, int selectedCount);

// A key or a double-click on one list of the row's page that raises the command.
struct ListInput {
    static constexpr int kEveryList = -1;  // on every list of every page
    int list = 0;                          // index in the page's Lists()
    KeyPress key;
    SelectionNeed need = SelectionNeed::Any;
};

struct CommandRow {
    int number = 0;
    std::string_view name;        // unique, e.g. "tv.delete"
    std::optional<PageTab> page;  // the page whose lists raise it; none: the window's own
    CommandPlace place = CommandPlace::None;
    std::u16string_view menuText;     // its text in the menu bar or on the toolbar
    std::u16string_view shortcut;     // a window-wide shortcut shown beside the menu text
    std::u16string_view altShortcut;  // a second one for the same command
    std::vector<ListInput> inputs;    // keys and double-clicks on the page's lists
    std::function<void()> run;        // the handler
    std::function<bool()> enabled;    // empty: always enabled
    bool changesData = false;         // may write a working copy
    // What Undo calls the step the command makes, told before it runs ("Delete 3
    // services"); empty: the text of its menu entry.
    std::function<std::u16string()> describe;
    // The menu text as it is now, for an entry whose text changes ("Undo Delete 3
    // services"); empty: menuText.
    std::function<std::u16string()> liveText;
};

// "Delete 3 services", "Delete 1 service".
std::u16string CountedText(std::u16string_view verb, int count, std::u16string_view one,
                           std::u16string_view many, std::u16string_view tail = {});

// A context menu of a list, shown for a selection of the given size.
struct ContextMenuDef {
    PageTab page;
    int list = 0;
    SelectionNeed when = SelectionNeed::One;
    ContextMenu entries;  // an entry's command 0 is a separator
};

class CommandTable {
public:
    void Add(CommandRow row);
    void AddContextMenu(ContextMenuDef menu);

    const std::vector<CommandRow>& Rows() const { return m_rows; }
    const std::vector<ContextMenuDef>& ContextMenus() const { return m_menus; }
    const CommandRow* Find(int number) const;
    const CommandRow* FindByName(std::string_view name) const;
    // True when the command has a row and that row may run now.
    bool IsEnabled(int number) const;
    // What Undo will call the step the command is about to make: its describe, else the
    // text of its menu or first context-menu entry without the key hint.
    std::u16string StepText(int number) const;

    // The command a key or double-click on a list raises; 0 for none.
    int CommandForInput(PageTab page, int list, const KeyPress& key, int selectedCount) const;
    // The context menu of a list for its selection (empty: none). Entries whose command
    // cannot run now come greyed.
    ContextMenu ContextMenuFor(PageTab page, int list, int selectedCount) const;

private:
    std::vector<CommandRow> m_rows;
    std::vector<ContextMenuDef> m_menus;
};

}  // namespace vesko
