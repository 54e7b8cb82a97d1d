// The favourites pages' keys and context menus: which list, which selection, which
// command, and the menus' exact texts with their greyed entries.

#include <gtest/gtest.h>

#include "app/editor_dlg.h"
#include "app/tiny_database.h"
#include "base/commands.h"
#include "fake_platform.h"
#include "pages/favourites/fav_page.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(FavouriteCommands, KeysAndMenusFollowListAndSelection) {
    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    auto folder = testing::WriteTinyDatabase(scratch.Path() / "db");
    testing::WriteBytes(folder / "radio_fav.xml",
                        "<favourites><fav name=\"A\"/><fav name=\"B\"/></favourites>");
    ASSERT_TRUE(editor.OpenDroppedFolder(folder));
    CFavPage& radio = editor.Page<CFavPage>(PageTab::FavRadio);
    ASSERT_EQ(radio.GroupList().GetItemCount(), 2);

    const struct {
        int list;
        std::vector<int> selected;
        KeyPress key;
        int command;
    } keys[] = {
        {0, {0}, {PageKey::Enter}, kCmdFavRadioRename},
        {0, {0, 1}, {PageKey::Enter}, 0},
        {0, {}, {PageKey::DoubleClick}, kCmdFavRadioRename},
        {0, {1}, {PageKey::Plus}, kCmdFavRadioGroupUp},
        {0, {1}, {PageKey::Minus}, kCmdFavRadioGroupDown},
        {0, {0, 1}, {PageKey::Minus}, 0},
        {0, {0}, {PageKey::Delete}, 0},  // nothing to remove from the group list
        {1, {}, {PageKey::Delete}, kCmdFavRadioRemove},
        {1, {}, {PageKey::KeypadDecimal}, kCmdFavRadioRemove},
        {1, {}, {PageKey::LetterD, true}, kCmdFavRadioRemove},
        {1, {}, {PageKey::F3}, kCmdFavRadioSearch},
        {1, {}, {PageKey::LetterS, true}, kCmdToolbarSave},
    };
    for (const auto& k : keys) {
        CDragListCtrl& list = *radio.Lists()[static_cast<size_t>(k.list)];
        list.ClearSelection();
        for (int row : k.selected)
            list.SetSelected(row, true);
        EXPECT_EQ(editor.CommandForInput(PageTab::FavRadio, k.list, k.key), k.command)
            << k.list << " " << static_cast<int>(k.key.key);
    }

    // Several groups: the three entries greyed; several services: only the moves.
    radio.GroupList().SetSelected(0, true);
    radio.GroupList().SetSelected(1, true);
    const ContextMenu groups = editor.ContextMenuFor(PageTab::FavRadio, 0);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[1].text, u"Move Up    +");
    EXPECT_TRUE(groups[0].greyed && groups[1].greyed && groups[2].greyed);
    radio.ServiceList().InsertItem(0, u"0");
    radio.ServiceList().InsertItem(1, u"1");
    radio.ServiceList().SetSelected(0, true);
    const ContextMenu one = editor.ContextMenuFor(PageTab::FavRadio, 1);
    ASSERT_EQ(one.size(), 5u);
    EXPECT_EQ(one[1].text, u"Move  Up  +");
    EXPECT_FALSE(one[1].greyed);
    EXPECT_EQ(one[4].text, u"Search   F3");
    radio.ServiceList().SetSelected(1, true);
    const ContextMenu several = editor.ContextMenuFor(PageTab::FavRadio, 1);
    ASSERT_EQ(several.size(), 5u);
    EXPECT_FALSE(several[0].greyed);
    EXPECT_TRUE(several[1].greyed && several[2].greyed);
    EXPECT_EQ(several[2].text, u"Move Down -");
    EXPECT_EQ(editor.ContextMenuFor(PageTab::FavTv, 1).size(), 0u);  // nothing selected
}

}  // namespace
}  // namespace vesko
