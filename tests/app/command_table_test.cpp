// Keys, double-clicks and context menus of the lists come from the command table: the
// selection decides, and a page's keys stay on its own lists.

#include "app/command_table.h"

#include <gtest/gtest.h>

#include <set>

#include "app/editor_dlg.h"
#include "app/tiny_database.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/services/service_page.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::TempDir;

struct CommandTableTest : ::testing::Test {
    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};

    void SetUp() override {
        auto folder = testing::WriteTinyDatabase(scratch.Path() / "db");
        testing::WriteBytes(folder / "tv_prog.xml",
                            "<programs><prog service_key=\"1\"/><prog service_key=\"2\"/>"
                            "<prog service_key=\"3\"/><prog service_key=\"4\"/></programs>");
        ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    }
    void Select(PageTab tab, std::initializer_list<int> rows) {
        CDragListCtrl& list = *editor.PageAt(tab).Lists()[0];
        list.ClearSelection();
        for (int row : rows) {
            list.SetSelected(row, true);
        }
    }
    int Key(PageTab tab, PageKey key, bool ctrl = false) {
        return editor.CommandForInput(tab, 0, {key, ctrl});
    }
};

TEST_F(CommandTableTest, ServiceListKeysAndMenusFollowTheSelection) {
    Select(PageTab::Tv, {2});
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Enter), kCmdTvEdit);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Plus), kCmdTvMoveUp);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Minus), kCmdTvMoveDown);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Delete), kCmdTvDelete);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::KeypadDecimal), kCmdTvDelete);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::LetterD, true), kCmdTvDelete);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::LetterD), 0);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Insert), kCmdTvAddToFav);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::F3), kCmdTvSearch);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::LetterF, true), kCmdTvSearch);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::LetterO, true), kCmdOpenFolder);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::LetterS, true), kCmdToolbarSave);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Escape), 0);
    const ContextMenu single = editor.ContextMenuFor(PageTab::Tv, 0);
    ASSERT_EQ(single.size(), 10u);
    EXPECT_EQ(single[0].name, "tv.edit");
    EXPECT_EQ(single[2].text, u"Add to FAV");
    EXPECT_EQ(single[3].text, u"Move Up    +");
    EXPECT_EQ(single[7].name, "tv.sort");
    EXPECT_TRUE(single[8].text.empty());  // separator
    EXPECT_EQ(single[9].text, u"Search    F3");

    // Two rows: no Edit and no moves, by key or menu; a double-click still edits.
    Select(PageTab::Tv, {2, 3});
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Plus), 0);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Minus), 0);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::Enter), 0);
    EXPECT_EQ(Key(PageTab::Tv, PageKey::DoubleClick), kCmdTvEdit);
    const ContextMenu multi = editor.ContextMenuFor(PageTab::Tv, 0);
    ASSERT_EQ(multi.size(), 7u);
    EXPECT_EQ(multi[1].text, u"Add to Fav");
    EXPECT_EQ(multi[4].name, "tv.sort");
    EXPECT_EQ(multi[6].text, u"Search  F3");
    Select(PageTab::Tv, {});
    EXPECT_TRUE(editor.ContextMenuFor(PageTab::Tv, 0).empty());

    // Radio: its own numbers; Lock is 32811 and Skip 32812, in the TV menu's order.
    Select(PageTab::Radio, {});
    EXPECT_EQ(Key(PageTab::Radio, PageKey::Delete), kCmdRadioDelete);
    EXPECT_EQ(Key(PageTab::Radio, PageKey::Plus), 0);  // nothing selected
}

TEST_F(CommandTableTest, RowsAreUniqueAndEveryMenuEntryHasARow) {
    std::set<int> numbers;
    std::set<std::string_view> names;
    for (const CommandRow& row : editor.Commands().Rows()) {
        EXPECT_TRUE(numbers.insert(row.number).second) << row.number;
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_FALSE(row.name.empty()) << row.number;
    }
    for (const ContextMenuDef& menu : editor.Commands().ContextMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            // Only entries greyed by design may name a command without a row.
            EXPECT_TRUE(entry.command == 0 || entry.greyed || numbers.contains(entry.command))
                << entry.command;
        }
    }
}

TEST_F(CommandTableTest, EntriesOfCommandsThatCannotRunAreGreyed) {
    CommandTable table;
    bool allowed = false;
    table.Add({.number = 1, .name = "a", .run = [] {}, .enabled = [&] { return allowed; }});
    table.Add({.number = 2, .name = "b"});  // no handler yet
    EXPECT_FALSE(table.IsEnabled(1));
    EXPECT_FALSE(table.IsEnabled(2));
    EXPECT_FALSE(table.IsEnabled(3));
    allowed = true;
    EXPECT_TRUE(table.IsEnabled(1));
    table.AddContextMenu({PageTab::Tv, 0, SelectionNeed::Any, {{u"A", 1}, {u"B", 2}}});
    const ContextMenu menu = table.ContextMenuFor(PageTab::Tv, 0, 0);
    EXPECT_FALSE(menu[0].greyed);
    EXPECT_TRUE(menu[1].greyed);
}

}  // namespace
}  // namespace vesko
