// The favourite pages on real working copies: group and service moves, removal with
// its orphan keys, group and service drops, and the rename form.

#include <gtest/gtest.h>

#include "database/working_copies.h"
#include "fake_platform.h"
#include "fav_fixture.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/services/service_page.h"

namespace vesko::testing {
namespace {

using Keys = std::vector<std::u16string>;

TEST_F(FavPageTest, GroupMovesCarryWholeGroupsInBothFilesAndStopAtTheEdges) {
    Open();
    FakePlatform platform;
    m_tv.m_currentGroup = 5;
    m_tv.FillGroupServices(5);
    Select(m_tv.GroupList(), {5});
    ASSERT_TRUE(m_tv.MoveGroupUp(platform));

    // The whole element moved: block, the extra attribute, the long key and the
    // member's own attribute.
    const std::string tv = ReadBytes("temp_tv_fav.xml");
    EXPECT_NE(tv.find("<fav name=\"G5\" block=\"1\" colour=\"red\">\r\n\t\t<prog "
                      "service_key=\"LONGKEY123456\" note=\"kept\"/>\r\n\t\t<prog "
                      "service_key=\"2\"/>\r\n\t</fav>\r\n\t<fav name=\"G4\""),
              std::string::npos);
    EXPECT_EQ(FavouriteGroups("temp_radio_fav.xml")[4].keys, Keys{u"904"});
    EXPECT_EQ(FavouriteGroups("temp_radio_fav.xml")[5].keys, (Keys{u"902", u"903"}));
    EXPECT_EQ(Column(m_tv.GroupList(), kGroupColIndex)[4], u"4");
    EXPECT_EQ(Column(m_tv.GroupList(), kGroupColName)[4], u"G5");
    EXPECT_EQ(Column(m_tv.GroupList(), kGroupColName)[5], u"G4");
    EXPECT_TRUE(m_tv.GroupList().IsSelected(4));
    EXPECT_FALSE(m_tv.GroupList().IsSelected(5));
    // The service list shows what position 5 holds now.
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColServiceKey), (Keys{u"1", u"9"}));
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColServiceName), (Keys{u"Channel 1", u""}));

    // The edges: a message and no file written.
    const std::string radio = ReadBytes("temp_radio_fav.xml");
    const struct {
        int row;
        bool up;
        std::u16string_view message;
    } edges[] = {{0, true, kFirstRowMessage}, {6, false, kLastRowMessage}};
    for (const auto& edge : edges) {
        platform.messages.clear();
        Select(m_tv.GroupList(), {edge.row});
        EXPECT_FALSE(edge.up ? m_tv.MoveGroupUp(platform) : m_tv.MoveGroupDown(platform));
        EXPECT_EQ(platform.MessageTexts(), Keys{std::u16string(edge.message)});
    }
    EXPECT_EQ(ReadBytes("temp_tv_fav.xml"), tv);
    EXPECT_EQ(ReadBytes("temp_radio_fav.xml"), radio);
}

TEST_F(FavPageTest, RemoveTakesTheRowsMembersAndReportsOnlyKeysInNoGroup) {
    Open();
    m_tv.FillGroupServices(0);  // 1 2 3; 1 is also in G4, 3 in G1, 2 in G5
    WriteBytes("temp_tv_fav.xml",
               FavFile({FavGroupText("G0", {"1", "2", "3", "7"}), FavGroupText("G1", {"3"})}));
    m_tv.FillGroupServices(0);
    Select(m_tv.ServiceList(), {0, 1, 2});
    EXPECT_EQ(m_tv.RemoveSelectedServices(0), 3);
    EXPECT_EQ(FavouriteGroups("temp_tv_fav.xml")[0].keys, Keys{u"7"});
    EXPECT_EQ(m_tv.m_orphanKeys, (Keys{u"1", u"2"}));  // 3 is still in G1
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColServiceKey), Keys{u"7"});
    EXPECT_TRUE(m_tv.ServiceList().IsSelected(0));

    // A group of more than 300 members read from a file is handled whole.
    std::vector<std::string> many;
    for (int k = 0; k < 320; ++k)
        many.push_back(std::to_string(1000 + k));
    WriteBytes("temp_tv_fav.xml", FavFile({FavGroupText("Big", many)}));
    m_tv.FillGroupServices(0);
    ASSERT_EQ(m_tv.ServiceList().GetItemCount(), 320);
    Select(m_tv.ServiceList(), {0, 310, 319});
    m_tv.RemoveSelectedServices(0);
    EXPECT_EQ(m_tv.m_orphanKeys, (Keys{u"1000", u"1310", u"1319"}));
    EXPECT_EQ(FavouriteGroups("temp_tv_fav.xml")[0].keys.size(), 317u);
}

TEST_F(FavPageTest, ServiceMovesAndDropsReorderOnlyTheShownGroupWhole) {
    Open();
    FakePlatform platform;
    m_tv.FillGroupServices(5);
    Select(m_tv.ServiceList(), {0});
    ASSERT_TRUE(m_tv.MoveServiceDown(platform));
    m_tv.RenumberServiceRows();
    EXPECT_NE(ReadBytes("temp_tv_fav.xml")
                  .find("<prog service_key=\"2\"/>\r\n\t\t<prog service_key=\"LONGKEY123456\" "
                        "note=\"kept\"/>"),
              std::string::npos);
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColServiceKey), (Keys{u"2", u"LONGKEY123456"}));
    EXPECT_TRUE(m_tv.ServiceList().IsSelected(1));

    // A drag of rows 0 and 2 of G0 to the end.
    m_tv.FillGroupServices(0);
    const auto others = FavouriteGroups("temp_tv_fav.xml");
    Select(m_tv.ServiceList(), {0, 2});
    m_tv.ServiceList().BeginDrag();
    m_tv.ServiceList().HighlightDropRow(2);
    m_tv.ServiceList().OnLeftButtonUp();
    auto after = FavouriteGroups("temp_tv_fav.xml");
    EXPECT_EQ(after[0].keys, (Keys{u"2", u"1", u"3"}));
    after[0] = others[0];
    EXPECT_EQ(after, others);
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColIndex), (Keys{u"0", u"1", u"2"}));
}

TEST_F(FavPageTest, GroupDropsRewriteBothFilesOnlyWhenTheOrderChanged) {
    Open();
    const std::string radioBefore = ReadBytes("temp_radio_fav.xml");
    // A click (a release without a drag) picks a group and writes nothing.
    const auto version = WorkingCopies::Current().Version("temp_tv_fav.xml");
    Select(m_tv.GroupList(), {3});
    m_tv.GroupList().OnLeftButtonUp();
    EXPECT_EQ(m_tv.m_currentGroup, 3);
    EXPECT_EQ(Column(m_tv.ServiceList(), kFavColServiceKey), Keys{u"5"});
    // Rows dropped where they were: nothing rewritten either.
    Select(m_tv.GroupList(), {3});
    m_tv.GroupList().BeginDrag();
    m_tv.GroupList().HighlightDropRow(2);
    m_tv.GroupList().OnLeftButtonUp();
    EXPECT_EQ(WorkingCopies::Current().Version("temp_tv_fav.xml"), version);

    // Rows 2 and 5 to the top (no row highlighted yet: the drop goes first).
    Select(m_tv.GroupList(), {2, 5});
    m_tv.GroupList().m_dropIndex = -1;
    m_tv.GroupList().BeginDrag();
    m_tv.GroupList().OnLeftButtonUp();
    const auto tv = FavouriteGroups("temp_tv_fav.xml");
    const auto radio = FavouriteGroups("temp_radio_fav.xml");
    std::vector<std::u16string> tvNames, radioNames;
    for (size_t k = 0; k < tv.size(); ++k) {
        tvNames.push_back(tv[k].name);
        radioNames.push_back(radio[k].name);
    }
    const Keys order{u"G2", u"G5", u"G0", u"G1", u"G3", u"G4", u"G6"};
    EXPECT_EQ(tvNames, order);
    EXPECT_EQ(radioNames, order);
    EXPECT_EQ(radio[1].keys, Keys{u"904"});
    EXPECT_NE(ReadBytes("temp_tv_fav.xml").find("colour=\"red\""), std::string::npos);
    EXPECT_EQ(Column(m_tv.GroupList(), kGroupColIndex),
              (Keys{u"0", u"1", u"2", u"3", u"4", u"5", u"6"}));
    EXPECT_TRUE(m_tv.GroupList().IsSelected(0));
    EXPECT_TRUE(m_tv.GroupList().IsSelected(1));
    EXPECT_EQ(m_tv.ServiceList().GetItemCount(), 0);
    EXPECT_EQ(Column(m_radio.GroupList(), kGroupColName), order);

    // A list that no longer matches its file (a group renamed behind it) is refused
    // and shown again from the file.
    const std::string tvBytes = ReadBytes("temp_tv_fav.xml");
    m_tv.GroupList().SetItemText(0, kGroupColName, u"stale");
    Select(m_tv.GroupList(), {0});
    m_tv.GroupList().BeginDrag();
    m_tv.GroupList().HighlightDropRow(4);
    m_tv.GroupList().OnLeftButtonUp();
    EXPECT_EQ(ReadBytes("temp_tv_fav.xml"), tvBytes);
    EXPECT_EQ(Column(m_tv.GroupList(), kGroupColName), order);
    EXPECT_NE(ReadBytes("temp_radio_fav.xml"), radioBefore);
}

TEST_F(FavPageTest, RenameKeepsLongStoredNamesAndGivesNamesToThePartner) {
    Open();
    FakePlatform platform;
    const std::u16string long51(51, u'N');
    m_tv.SetGroupAttribute(1, u"name", long51);
    const struct {
        CFavPage* page;
        int group;
        const char16_t* typed;  // null: left as shown
        bool accepted;
        std::u16string stored;
    } cases[] = {
        {&m_tv, 1, nullptr, true, long51},  // unchanged: kept whole
        {&m_tv, 1, u"NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNx", false, long51},
        {&m_tv, 2, u"Tom & \"Jerry\" <'s>", true, u"Tom & \"Jerry\" <'s>"},
        {&m_tv, 3, u"", true, u""},
        {&m_radio, 4, u"RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR", true,
         u"RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"},
        {&m_radio, 5, u"\u041D\u043E\u0432\u043E\u0441\u0442\u0438", true,
         u"\u041D\u043E\u0432\u043E\u0441\u0442\u0438"},
    };
    for (const auto& c : cases) {
        Select(c.page->GroupList(), {c.group});
        CFavRenameDlg form(platform);
        form.m_page = c.page;
        form.Open();
        if (c.typed != nullptr)
            form.m_name = c.typed;
        platform.messages.clear();
        EXPECT_EQ(form.Ok(), c.accepted) << c.group;
        EXPECT_EQ(platform.messages.empty(), c.accepted);
        for (const char* file : {"temp_tv_fav.xml", "temp_radio_fav.xml"})
            EXPECT_EQ(FavouriteGroups(file)[static_cast<size_t>(c.group)].name, c.stored) << file;
    }
    EXPECT_NE(ReadBytes("temp_tv_fav.xml").find("Tom &amp; &quot;Jerry&quot; &lt;"),
              std::string::npos);
    // Reset shows the stored name again; without a selected group the variant's start.
    CFavRenameDlg form(platform);
    form.m_page = &m_tv;
    Select(m_tv.GroupList(), {2});
    form.Open();
    form.m_name = u"typed";
    form.Reset();
    EXPECT_EQ(form.m_name, u"Tom & \"Jerry\" <'s>");
    Select(m_tv.GroupList(), {});
    form.Open();
    EXPECT_EQ(form.m_name, u"FAV100");
    form.m_page = &m_radio;
    Select(m_radio.GroupList(), {});
    form.Open();
    EXPECT_EQ(form.m_name, u"");
}

}  // namespace
}  // namespace vesko::testing
