// The search form on lists built in the test: which rows a typed text finds, in which
// order and with which columns, and which page row a pick selects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_rows.h"
#include "pages/search/search_dlg.h"

namespace vesko {
namespace {

// A TV list: name in column 1, transponder text in 3, service key in 11.
void FillTvList(CDragListCtrl& list,
                const std::vector<std::pair<std::u16string, std::u16string>>& rows) {
    list.SetColumns(std::vector<ListColumn>(13));
    for (const auto& [name, key] : rows) {
        const int row = list.InsertItem(list.GetItemCount(), u"n");
        list.SetItemText(row, 1, name);
        list.SetItemText(row, 3, u"tp of " + name);
        list.SetItemText(row, 11, key);
    }
}

using testing::Column;
using testing::Selected;

TEST(SearchForm, PrefixMatchIgnoresCaseInEveryScript) {
    struct Case {
        std::u16string_view text, prefix;
        bool match;
    };
    const Case cases[] = {
        {u"BBC One", u"bb", true},
        {u"bBC", u"Bb", true},
        {u"B", u"bb", false},
        {u"ABBC", u"bb", false},
        {u"Новости 24", u"нов", true},
        {u"НОВОСТИ", u"новости", true},
        {u"Ελληνική ΕΡΤ", u"ΕΛΛΗΝΙΚΉ", true},
        {u"Ärzte TV", u"ärz", true},
        {u"x", u"", true},
        {u"11778", u"117", true},
        {u"\U0001D400x", u"\U0001D400", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartsWithIgnoringCase(c.text, c.prefix), c.match)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(SearchForm, TypingListsTheMatchingRowsInListOrder) {
    CDragListCtrl tv;
    FillTvList(tv, {{u"BBC One", u"10"},
                    {u"ARD", u"11"},
                    {u"bbc two", u"12"},
                    {u"B", u"13"},
                    {u"bB Kids", u"14"}});
    CSearchDlg form(SearchKind::Tv);
    form.m_list = &tv;
    form.SetText(u"bb");
    EXPECT_EQ(Column(form.Results(), 0), (std::vector<std::u16string>{u"1", u"2", u"3"}));
    EXPECT_EQ(Column(form.Results(), 1),
              (std::vector<std::u16string>{u"BBC One", u"bbc two", u"bB Kids"}));
    EXPECT_EQ(Column(form.Results(), 2),
              (std::vector<std::u16string>{u"tp of BBC One", u"tp of bbc two", u"tp of bB Kids"}));
    EXPECT_EQ(Column(form.Results(), 3), (std::vector<std::u16string>{u"10", u"12", u"14"}));
    form.SetText(u"");
    EXPECT_EQ(form.Results().GetItemCount(), 0);

    // The edit box of the terrestrial search takes ten characters.
    CSearchDlg ter(SearchKind::TerTp);
    ter.SetText(u"12345678901");
    EXPECT_EQ(ter.Text(), u"1234567890");
}

// Picks select the first page row with the result's key and nothing else; OK without a
// selected result takes the first result, and with no results leaves the page alone.
TEST(SearchForm, PickSelectsTheFirstRowWithTheKey) {
    CDragListCtrl tv;
    FillTvList(tv,
               {{u"Sport 1", u"7"}, {u"News", u"8"}, {u"Sport 1 HD", u"7"}, {u"Sport 2", u"9"}});
    int afterSelect = 0;
    CSearchDlg form(SearchKind::Tv);
    form.m_list = &tv;
    form.m_afterSelect = [&afterSelect] { ++afterSelect; };

    tv.SetSelected(1, true);
    form.SetText(u"sport");
    ASSERT_EQ(form.Results().GetItemCount(), 3);
    EXPECT_TRUE(form.Pick(1));  // "Sport 1 HD", key 7: row 0 has that key first
    EXPECT_EQ(Selected(tv), (std::vector<int>{0}));
    EXPECT_TRUE(tv.IsFocused(0));

    EXPECT_TRUE(form.Ok(-1));  // none selected: the first result, "Sport 1"
    EXPECT_EQ(Selected(tv), (std::vector<int>{0}));
    EXPECT_TRUE(form.Ok(2));  // "Sport 2"
    EXPECT_EQ(Selected(tv), (std::vector<int>{3}));
    EXPECT_EQ(afterSelect, 3);

    form.SetText(u"zzz");
    EXPECT_TRUE(form.Ok(-1));
    EXPECT_EQ(Selected(tv), (std::vector<int>{3}));
    EXPECT_EQ(afterSelect, 3);
}

// The Icon page's search: entry d is on page (d + 1) / 18 rounded up, slot d mod 18;
// the answer without a result is page -2 and slot -1 after a double click, page -1
// and slot 0 after OK on an empty list.
TEST(SearchForm, ProgramSearchAnswersPageAndSlot) {
    std::vector<std::u16string> names(40, u"Other");
    names[17] = u"Alpha";
    names[18] = u"alpine";
    int counted = 0;
    CSearchDlg form(SearchKind::Program);
    form.m_entryCount = [&] {
        ++counted;
        return static_cast<int>(names.size());
    };
    form.m_entryAt = [&](int d) { return ProgramEntry{names[static_cast<std::size_t>(d)], u"tp"}; };

    form.SetText(u"alp");
    EXPECT_EQ(Column(form.Results(), 1), (std::vector<std::u16string>{u"Alpha", u"alpine"}));
    EXPECT_EQ(Column(form.Results(), 3), (std::vector<std::u16string>{u"1", u"2"}));
    EXPECT_EQ(Column(form.Results(), 4), (std::vector<std::u16string>{u"17", u"0"}));
    form.SetText(u"alpi");
    EXPECT_EQ(counted, 2);  // counted afresh on every change

    struct Case {
        bool pick;
        int row;
        std::u16string_view text;
        int page, slot;
    };
    const Case cases[] = {
        {true, 0, u"alpi", 1, 0},   {false, -1, u"alp", 0, 17}, {false, 1, u"alp", 1, 0},
        {true, -1, u"alp", -2, -1}, {false, -1, u"zz", -1, 0},
    };
    for (const Case& c : cases) {
        form.SetText(c.text);
        EXPECT_TRUE(c.pick ? form.Pick(c.row) : form.Ok(c.row));
        EXPECT_EQ(form.m_chosenPage, c.page) << c.row;
        EXPECT_EQ(form.m_chosenSlot, c.slot) << c.row;
    }
}

}  // namespace
}  // namespace vesko
