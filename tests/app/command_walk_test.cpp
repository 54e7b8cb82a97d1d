// Every entry the user can reach — menus, toolbar, context menus and the keys of every
// list — walked on the demo: it raises the command it names, and that command does
// something the user can see (a file, a list, a selection, a message, a chooser, a
// dialog), except the two entries that are greyed by design.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/dialog_users.h"
#include "app/editor_dlg.h"
#include "app/walk_fixture.h"
#include "base/commands.h"

namespace vesko {
namespace {

using testing::EditorOnDemo;

// A context menu as it must look for a selection of `selected` rows.
struct MenuCase {
    PageTab tab;
    int list;
    int selected;
    std::vector<MenuEntry> entries;  // greyed entries' commands are not compared
};

MenuEntry Grey(std::u16string text) {
    return {std::move(text), 0, true};
}

const std::vector<MenuCase>& ContextMenuCases() {
    static const std::vector<MenuCase> cases{
        {PageTab::Tv,
         0,
         1,
         {{u"Edit", 32780},
          {u"Delete", 32781},
          {u"Add to FAV", 32796},
          {u"Move Up    +", 32799},
          {u"Move Down  -", 32800},
          {u"Skip", 32809},
          {u"Lock", 32810},
          {u"Search    F3", 32820}}},
        {PageTab::Tv,
         0,
         3,
         {{u"Delete", 32781},
          {u"Add to Fav", 32796},
          {u"Skip", 32809},
          {u"Lock", 32810},
          {u"Search  F3", 32820}}},
        {PageTab::Radio,
         0,
         1,
         {{u"Edit", 32783},
          {u"Delete", 32784},
          {u"Add To Fav", 32785},
          {u"Move Up    +", 32802},
          {u"Move Down  -", 32803},
          {u"Skip", 32812},
          {u"Lock", 32811},
          {u"Search    F3", 32821}}},
        {PageTab::Radio,
         0,
         3,
         {{u"Delete", 32784},
          {u"Add to Fav", 32785},
          {u"Skip", 32812},
          {u"Lock", 32811},
          {u"Search  F3", 32821}}},
        {PageTab::FavTv,
         0,
         1,
         {{u"Rename", 32786}, {u"Move Up    +", 32804}, {u"Move Down  -", 32805}}},
        {PageTab::FavTv, 0, 3, {Grey(u"Rename"), Grey(u"Move Up    +"), Grey(u"Move Down  -")}},
        {PageTab::FavRadio,
         0,
         1,
         {{u"Rename", 32788}, {u"Move Up    +", 32806}, {u"Move Down  -", 32807}}},
        {PageTab::FavRadio, 0, 3, {Grey(u"Rename"), Grey(u"Move Up    +"), Grey(u"Move Down  -")}},
        {PageTab::FavTv,
         1,
         1,
         {{u"Remove", 32787},
          {u"Move  Up  +", 32816},
          {u"Move Down -", 32817},
          {u"Search   F3", 32822}}},
        {PageTab::FavTv,
         1,
         3,
         {{u"Remove", 32787},
          Grey(u"Move Up    +"),
          Grey(u"Move Down  -"),
          {u"Search    F3", 32822}}},
        {PageTab::FavRadio,
         1,
         1,
         {{u"Remove", 32790},
          {u"Move  Up  +", 32818},
          {u"Move Down -", 32819},
          {u"Search   F3", 32823}}},
        {PageTab::FavRadio,
         1,
         3,
         {{u"Remove", 32790}, Grey(u"Move  Up  +"), Grey(u"Move Down -"), {u"Search   F3", 32823}}},
        {PageTab::Satellite, 0, 1, {{u"Edit", 32792}, {u"Search   F3", 32826}}},
        {PageTab::Satellite, 0, 3, {Grey(u"Edit"), {u"Search   F3", 32826}}},
        {PageTab::SatTp,
         0,
         1,
         {{u"Edit", 32793}, {u"Delete", 32794}, {u"Add", 32795}, {u"Search  F3", 32824}}},
        {PageTab::SatTp,
         0,
         3,
         {Grey(u"Edit"), {u"Delete", 32794}, Grey(u"Add"), {u"Search  F3", 32824}}},
        {PageTab::TerTp,
         0,
         1,
         {{u"Edit", 32827}, {u"Delete", 32828}, {u"Add", 32829}, {u"Search  F3", 32830}}},
        {PageTab::TerTp,
         0,
         3,
         {Grey(u"Edit"), {u"Delete", 32828}, Grey(u"Add"), {u"Search  F3", 32830}}},
        {PageTab::CableTp,
         0,
         1,
         {{u"Edit", 32831}, {u"Delete", 32832}, {u"Add", 32833}, {u"Search  F3", 32834}}},
        {PageTab::CableTp,
         0,
         3,
         {Grey(u"Edit"), {u"Delete", 32832}, Grey(u"Add"), {u"Search  F3", 32834}}},
    };
    return cases;
}

// A key (or double-click) on a list with one row selected, and what it raises.
struct KeyCase {
    PageTab tab;
    int list;
    KeyPress key;
    int command;
};

std::vector<KeyCase> KeyCases() {
    std::vector<KeyCase> cases;
    const auto add = [&cases](PageTab tab, int list, std::initializer_list<KeyPress> keys,
                              int command) {
        for (const KeyPress& key : keys) {
            cases.push_back({tab, list, key, command});
        }
    };
    const KeyPress edit[] = {{PageKey::DoubleClick}, {PageKey::Enter}};
    const std::initializer_list<KeyPress> remove = {
        {PageKey::Delete}, {PageKey::KeypadDecimal}, {PageKey::LetterD, true}};
    const std::initializer_list<KeyPress> search = {{PageKey::F3}, {PageKey::LetterF, true}};
    const auto fileKeys = [&add](PageTab tab, int list) {
        add(tab, list, {{PageKey::LetterO, true}}, kCmdOpenFolder);
        add(tab, list, {{PageKey::LetterS, true}}, kCmdToolbarSave);
    };
    struct ServiceKeys {
        PageTab tab;
        int edit, addToFav, remove, search, up, down;
    };
    for (const ServiceKeys& s :
         {ServiceKeys{PageTab::Tv, 32780, 32796, 32781, 32820, 32799, 32800},
          ServiceKeys{PageTab::Radio, 32783, 32785, 32784, 32821, 32802, 32803}}) {
        add(s.tab, 0, {edit[0], edit[1]}, s.edit);
        add(s.tab, 0, {{PageKey::Insert}}, s.addToFav);
        add(s.tab, 0, remove, s.remove);
        add(s.tab, 0, search, s.search);
        add(s.tab, 0, {{PageKey::Plus}}, s.up);
        add(s.tab, 0, {{PageKey::Minus}}, s.down);
        fileKeys(s.tab, 0);
    }
    struct FavKeys {
        PageTab tab;
        int rename, groupUp, groupDown, remove, search, up, down;
    };
    for (const FavKeys& f :
         {FavKeys{PageTab::FavTv, 32786, 32804, 32805, 32787, 32822, 32816, 32817},
          FavKeys{PageTab::FavRadio, 32788, 32806, 32807, 32790, 32823, 32818, 32819}}) {
        add(f.tab, 0, {edit[0], edit[1]}, f.rename);
        add(f.tab, 0, {{PageKey::Plus}}, f.groupUp);
        add(f.tab, 0, {{PageKey::Minus}}, f.groupDown);
        add(f.tab, 1, remove, f.remove);
        add(f.tab, 1, search, f.search);
        add(f.tab, 1, {{PageKey::Plus}}, f.up);
        add(f.tab, 1, {{PageKey::Minus}}, f.down);
        fileKeys(f.tab, 1);
    }
    add(PageTab::Satellite, 0, {edit[0], edit[1]}, 32792);
    add(PageTab::Satellite, 0, search, 32826);
    fileKeys(PageTab::Satellite, 0);
    struct TpKeys {
        PageTab tab;
        int edit, remove, add, search;
    };
    for (const TpKeys& t : {TpKeys{PageTab::SatTp, 32793, 32794, 32795, 32824},
                            TpKeys{PageTab::TerTp, 32827, 32828, 32829, 32830},
                            TpKeys{PageTab::CableTp, 32831, 32832, 32833, 32834}}) {
        add(t.tab, 0, {edit[0], edit[1]}, t.edit);
        add(t.tab, 0, remove, t.remove);
        add(t.tab, 0, {{PageKey::Insert}}, t.add);
        add(t.tab, 0, search, t.search);
        fileKeys(t.tab, 0);
    }
    return cases;
}

struct CommandWalkTest : EditorOnDemo {
    // Runs a command on a fresh open with `selected` rows selected on the list, and
    // tells whether the user could see that anything happened.
    bool RunChanges(int command, PageTab tab, int list, int selected) {
        OpenFresh();
        SelectRows(tab, list, selected);
        const std::string before = Observed();
        editor.OnCommand(command);
        return Observed() != before;
    }
};

TEST_F(CommandWalkTest, MenusAndToolbarRaiseTheirCommandsAndEachDoesSomething) {
    struct BarCase {
        CommandPlace place;
        std::u16string_view text;
        int command;
    };
    const BarCase cases[] = {
        {CommandPlace::FileMenu, u"&Open...", 32771}, {CommandPlace::FileMenu, u"Save(&s)", 32772},
        {CommandPlace::FileMenu, u"&Save to", 32808}, {CommandPlace::FileMenu, u"&Exit", 32773},
        {CommandPlace::MenuBar, u"About", kCmdAbout}, {CommandPlace::MenuBar, u"History", 32815},
        {CommandPlace::Toolbar, u"Open", 32774},      {CommandPlace::Toolbar, u"Save", 32775},
        {CommandPlace::Toolbar, u"Exit", 32777},
    };
    for (const BarCase& c : cases) {
        const CommandRow* row = editor.Commands().Find(c.command);
        ASSERT_NE(row, nullptr) << c.command;
        EXPECT_EQ(row->place, c.place) << c.command;
        EXPECT_EQ(row->menuText, c.text) << c.command;
        EXPECT_TRUE(RunChanges(c.command, PageTab::Tv, 0, 1)) << c.command;
    }
}

TEST_F(CommandWalkTest, ContextMenuEntriesRaiseTheirCommandsAndEachDoesSomething) {
    for (const MenuCase& c : ContextMenuCases()) {
        const std::string where = std::to_string(static_cast<int>(c.tab)) + "/" +
                                  std::to_string(c.list) + " x" + std::to_string(c.selected);
        OpenFresh();
        SelectRows(c.tab, c.list, c.selected);
        ContextMenu shown = editor.ContextMenuFor(c.tab, c.list);
        // Separators and the editor's own additions (Sort...) are left out: the table
        // holds the entries every editor of this receiver offers.
        std::erase_if(shown, [](const MenuEntry& entry) {
            return entry.text.empty() || entry.command == kCmdTvSort ||
                   entry.command == kCmdRadioSort;
        });
        ASSERT_EQ(shown.size(), c.entries.size()) << where;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const MenuEntry& expected = c.entries[i];
            EXPECT_EQ(shown[i].text, expected.text) << where;
            EXPECT_EQ(shown[i].greyed, expected.greyed) << where << " " << i;
            if (expected.greyed) {
                continue;
            }
            EXPECT_EQ(shown[i].command, expected.command) << where;
            EXPECT_TRUE(RunChanges(shown[i].command, c.tab, c.list, c.selected))
                << where << " " << expected.command;
        }
    }
    // The two commands only ever seen on greyed entries have no handler.
    for (const int greyed : {kCmdSatEditGrey, kCmdFavRadioRenameGrey}) {
        EXPECT_FALSE(editor.Commands().IsEnabled(greyed));
    }
}

TEST_F(CommandWalkTest, ListKeysRaiseTheirCommandsAndEachDoesSomething) {
    std::set<int> ran;  // a command several keys raise is run once
    for (const KeyCase& c : KeyCases()) {
        const std::string where = std::to_string(static_cast<int>(c.tab)) + "/" +
                                  std::to_string(c.list) + " key " +
                                  std::to_string(static_cast<int>(c.key.key));
        OpenFresh();
        SelectRows(c.tab, c.list, 1);
        EXPECT_EQ(editor.CommandForInput(c.tab, c.list, c.key), c.command) << where;
        if (ran.insert(c.command).second) {
            EXPECT_TRUE(RunChanges(c.command, c.tab, c.list, 1)) << where;
        }
    }
}

// A search picks a row and shows its services, but writes nothing.
TEST_F(CommandWalkTest, SearchesSelectWithoutChangingData) {
    for (const int search : {32820, 32821, 32822, 32823, 32824, 32826, 32830, 32834}) {
        OpenFresh();
        editor.OnCommand(search);
        EXPECT_FALSE(editor.HasUnsavedChanges()) << search;
    }
}

}  // namespace
}  // namespace vesko
