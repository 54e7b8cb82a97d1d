#include "pages/services/service_page.h"

#include <gtest/gtest.h>

#include "base/commands.h"
#include "fake_platform.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

using Img = CDragListCtrl::Image;

TEST_F(ServicePageTest, ReloadFillsEveryColumn) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    const CDragListCtrl& list = page.List();
    ASSERT_EQ(list.GetItemCount(), 10);
    EXPECT_EQ(list.GetItemText(0, kColNumber), u"1");
    EXPECT_EQ(list.GetItemText(9, kColNumber), u"10");
    EXPECT_EQ(list.GetItemText(0, kColName), u"Channel 100");
    EXPECT_EQ(list.GetItemText(0, kColProvider), u"Prov 100");
    EXPECT_EQ(list.GetItemText(0, kColVideo), u"vi100");
    EXPECT_EQ(list.GetItemText(0, kColAudio), u"au100");
    EXPECT_EQ(list.GetItemText(0, kColPcr), u"pc100");
    EXPECT_EQ(list.GetItemText(0, kColSerKey), u"100");
    EXPECT_EQ(list.GetItemText(0, kColTpKey), u"10");
    // Satellite, terrestrial (from its own file despite sat.xml's key "65"), satellite
    // again after it, cable, and a transponder that does not exist.
    EXPECT_EQ(ListColumn(list, kColTransponder)[0], u"11362/22000/H");
    EXPECT_EQ(ListColumn(list, kColTransponder)[1], u"474000/8/CH21");
    EXPECT_EQ(ListColumn(list, kColTransponder)[2], u"11362/22000/H");
    EXPECT_EQ(ListColumn(list, kColTransponder)[3], u"346000/6875/64QAM");
    EXPECT_EQ(ListColumn(list, kColTransponder)[4], u"");
    EXPECT_EQ(ListColumn(list, kColTransponder)[5], u"11758/27500/V");
    // Icon cells have no text; each flag shows its image only when it is on.
    EXPECT_EQ(list.GetItemText(0, kColLock), u"");
    EXPECT_EQ(list.GetItemImage(0, kColLock), Img::kImagePadlock);
    EXPECT_EQ(list.GetItemImage(4, kColLock), Img::kImageBlank);  // "2" is not locked
    EXPECT_EQ(list.GetItemImage(2, kColSkip), Img::kImageCheck);
    EXPECT_EQ(list.GetItemImage(0, kColSkip), Img::kImageBlank);
    // Only exactly "NULL" is free: empty, absent and other texts are scrambled.
    EXPECT_EQ(list.GetItemImage(0, kColFree), Img::kImageBlank);
    EXPECT_EQ(list.GetItemImage(1, kColFree), Img::kImageDollar);
    EXPECT_EQ(list.GetItemImage(3, kColFree), Img::kImageDollar);
    EXPECT_EQ(list.GetItemImage(7, kColFree), Img::kImageDollar);
    // Hearts for members of a group; the keyless member entry makes no keyless service
    // a favourite.
    EXPECT_EQ(list.GetItemImage(0, kColFav), Img::kImageHeart);
    EXPECT_EQ(list.GetItemImage(3, kColFav), Img::kImageHeart);
    EXPECT_EQ(list.GetItemImage(5, kColFav), Img::kImageHeart);
    EXPECT_EQ(list.GetItemImage(1, kColFav), Img::kImageBlank);
    EXPECT_EQ(list.GetItemImage(9, kColFav), Img::kImageBlank);

    // A second reload gives the same rows, not twice as many.
    page.Reload();
    EXPECT_EQ(page.List().GetItemCount(), 10);
}

TEST_F(ServicePageTest, TransponderTextFollowsSatelliteAndTransponder) {
    // Two satellites with a transponder of the same tp_key, services on them in a row.
    WriteBytes("temp_sat.xml",
               Lines({"<satellites tuner_num=\"1\">", "<sat sat_key=\"1\" name=\"A\">",
                      "<transponder tp_key=\"10\" frequency=\"11362\" symbol_rate=\"22000\" "
                      "polarization=\"H\"/>",
                      "<transponder tp_key=\"11\" frequency=\"11758\" symbol_rate=\"27500\" "
                      "polarization=\"V\"/>",
                      "</sat>", "<sat sat_key=\"2\" name=\"B\">",
                      "<transponder tp_key=\"10\" frequency=\"12188\" symbol_rate=\"27500\" "
                      "polarization=\"H\"/>",
                      "</sat>", "</satellites>"}));
    const std::pair<const char*, const char*> services[] = {
        {"1", "10"}, {"2", "10"}, {"2", "10"}, {"65", "20"}, {"1", "10"}, {"2", "11"}, {"1", "11"}};
    std::string prog = "<tv>\r\n";
    int key = 300;
    for (const auto& [sat, tp] : services)
        prog += ProgElement(std::to_string(key++), {{"sat_key", sat}, {"tp_key", tp}}) + "\r\n";
    WriteBytes("temp_tv_prog.xml", prog + "</tv>\r\n");

    CServicePage page(ServiceKind::Tv);
    page.Reload();
    EXPECT_EQ(
        ListColumn(page.List(), kColTransponder),
        (std::vector<std::u16string>{u"11362/22000/H", u"12188/27500/H", u"12188/27500/H",
                                     u"474000/8/CH21", u"11362/22000/H", u"", u"11758/27500/V"}));
}

TEST_F(ServicePageTest, MissingOrEmptyWorkingCopyGivesEmptyListAndHarmlessCommands) {
    std::filesystem::remove("temp_tv_prog.xml");
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    EXPECT_EQ(page.List().GetItemCount(), 0);
    FakePlatform platform;
    EXPECT_EQ(page.DeleteSelected(), 0);
    EXPECT_FALSE(page.MoveUp(platform));
    EXPECT_FALSE(page.MoveDown(platform));
    page.ToggleLock();
    EXPECT_TRUE(platform.messages.empty());
    // Delete and the toggles still write the (empty) working copy.
    EXPECT_TRUE(std::filesystem::exists("temp_tv_prog.xml"));
    EXPECT_EQ(ReadBytes("temp_tv_fav.xml").find("service_key=\"100\"") != std::string::npos, true);
}

TEST_F(ServicePageTest, DeleteRemovesServicesAndEveryFavouriteEntry) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    Select(page.List(), {0, 3, 5});
    EXPECT_EQ(page.DeleteSelected(), 3);
    page.RenumberRows();

    const std::vector<std::u16string> left{u"101", u"102", u"104", u"106", u"107", u"108", u""};
    EXPECT_EQ(FileKeys("temp_tv_prog.xml"), left);
    EXPECT_EQ(ListColumn(page.List(), kColSerKey), left);
    EXPECT_EQ(ListColumn(page.List(), kColNumber).back(), u"7");
    // 100, 103 (in both groups) and 105 are gone from every group; the rest stays.
    const std::string fav = ReadBytes("temp_tv_fav.xml");
    EXPECT_EQ(fav,
              Lines({"<favourites>", "<fav name=\"News\" block=\"0\">", "</fav>",
                     "<fav name=\"Sport\" block=\"0\">", "<prog/>", "</fav>", "</favourites>"}));
    // The radio groups are another kind's and are not touched.
    EXPECT_EQ(ReadBytes("temp_radio_fav.xml"), m_radioFav);
    // The row after the last deleted one takes the selection and the focus.
    EXPECT_EQ(page.List().GetSelectedCount(), 1);
    EXPECT_TRUE(page.List().IsSelected(3));
    EXPECT_TRUE(page.List().IsFocused(3));
    EXPECT_EQ(page.List().GetItemText(3, kColSerKey), u"106");

    // Deleting the last row leaves nothing selected.
    Select(page.List(), {6});
    EXPECT_EQ(page.DeleteSelected(), 1);
    EXPECT_EQ(page.List().GetSelectedCount(), 0);
}

TEST_F(ServicePageTest, RadioDeleteTouchesOnlyRadioFiles) {
    CServicePage page(ServiceKind::Radio);
    page.Reload();
    ASSERT_EQ(page.List().GetItemCount(), 2);
    const std::string tvFav = ReadBytes("temp_tv_fav.xml");
    Select(page.List(), {0});
    EXPECT_EQ(page.DeleteSelected(), 1);
    EXPECT_EQ(FileKeys("temp_radio_prog.xml"), std::vector<std::u16string>{u"200"});
    EXPECT_EQ(ReadBytes("temp_radio_fav.xml").find("\"100\""), std::string::npos);
    EXPECT_EQ(ReadBytes("temp_tv_fav.xml"), tvFav);
}

TEST_F(ServicePageTest, MovesExchangeServicesAndStopAtTheEdges) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    FakePlatform platform;
    const std::string before = ReadBytes("temp_tv_prog.xml");

    Select(page.List(), {0});
    EXPECT_FALSE(page.MoveUp(platform));
    Select(page.List(), {9});
    EXPECT_FALSE(page.MoveDown(platform));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].caption, u"VeksoEditor");
    EXPECT_EQ(platform.messages[0].text, u"The item is the first row!");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(platform.messages[1].text, u"The item is the last row!");
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);

    // Row 5 (105, with an extra icon_name and an empty block) up: the two services
    // change places whole; icon_name goes with 105 and nothing is added to 104.
    Select(page.List(), {5});
    EXPECT_TRUE(page.MoveUp(platform));
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[4], u"105");
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[5], u"104");
    const std::string after = ReadBytes("temp_tv_prog.xml");
    const size_t fifth = after.find("service_key=\"104\"");
    EXPECT_EQ(after.find("icon_name=\"x.jpg\"", fifth), std::string::npos);
    EXPECT_LT(after.find("icon_name=\"x.jpg\""), fifth);
    EXPECT_EQ(page.List().GetItemText(4, kColSerKey), u"105");
    EXPECT_EQ(page.List().GetItemText(4, kColTransponder), u"11758/27500/V");
    EXPECT_EQ(page.List().GetItemImage(4, kColFav), Img::kImageHeart);
    EXPECT_EQ(page.List().GetItemText(5, kColSerKey), u"104");
    EXPECT_EQ(ListColumn(page.List(), kColNumber)[4], u"5");
    EXPECT_EQ(ListColumn(page.List(), kColNumber)[5], u"6");
    EXPECT_TRUE(page.List().IsSelected(4));
    EXPECT_TRUE(page.List().IsFocused(4));

    // And down again: back to the first order of keys.
    EXPECT_TRUE(page.MoveDown(platform));
    EXPECT_EQ(FileKeys("temp_tv_prog.xml")[4], u"104");
    EXPECT_EQ(page.List().GetItemText(5, kColSerKey), u"105");
}

TEST_F(ServicePageTest, TogglesTurnOffValuesOnAndAllElseOff) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    // block: 100 "1", 101 "0", 104 "2", 105 "", 106 absent. Empty and absent show no
    // padlock, so they are off and turn on.
    Select(page.List(), {0, 1, 4, 5, 6});
    page.ToggleLock();
    CServicePage check(ServiceKind::Tv);
    std::u16string value;
    const std::vector<std::pair<int, std::u16string>> expected{
        {0, u"0"}, {1, u"1"}, {4, u"0"}, {5, u"1"}, {6, u"1"}};
    for (const auto& [row, v] : expected) {
        EXPECT_EQ(check.GetServiceAttribute(row, u"block", value), row);
        EXPECT_EQ(value, v) << row;
        EXPECT_EQ(page.List().GetItemImage(row, kColLock),
                  v == u"1" ? Img::kImagePadlock : Img::kImageBlank);
    }
    // Unselected services keep their value.
    check.GetServiceAttribute(2, u"block", value);
    EXPECT_EQ(value, u"0");

    Select(page.List(), {2, 3});
    page.ToggleSkip();
    check.GetServiceAttribute(2, u"bskip", value);
    EXPECT_EQ(value, u"0");
    check.GetServiceAttribute(3, u"bskip", value);
    EXPECT_EQ(value, u"1");
    EXPECT_EQ(page.List().GetItemImage(2, kColSkip), Img::kImageBlank);
    EXPECT_EQ(page.List().GetItemImage(3, kColSkip), Img::kImageCheck);
}

TEST_F(ServicePageTest, AttributeAccessByRow) {
    CServicePage page(ServiceKind::Tv);
    std::u16string value = u"untouched";
    EXPECT_EQ(page.GetServiceAttribute(-1, u"name", value), -1);
    EXPECT_EQ(page.GetServiceAttribute(10, u"name", value), 10);
    EXPECT_EQ(page.GetServiceAttribute(42, u"name", value), 10);
    EXPECT_EQ(value, u"untouched");
    EXPECT_EQ(page.GetServiceAttribute(3, u"encrypt", value), 3);
    EXPECT_EQ(value, u"");
    EXPECT_EQ(page.SetServiceAttribute(-1, u"name", u"x"), -1);
    EXPECT_EQ(page.SetServiceAttribute(3, u"name", u"A & \"B\""), 3);
    EXPECT_EQ(page.GetServiceAttribute(3, u"name", value), 3);
    EXPECT_EQ(value, u"A & \"B\"");
    EXPECT_EQ(page.SetServiceAttribute(3, u"hd", u"1"), 3);  // added where absent
    EXPECT_EQ(page.GetServiceAttribute(3, u"hd", value), 3);
    EXPECT_EQ(value, u"1");
    EXPECT_EQ(page.SetServiceAttribute(50, u"name", u"x"), 10);
}

TEST_F(ServicePageTest, RowsOfOtherPagesOperations) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    const std::vector<std::u16string> none;
    EXPECT_EQ(page.RemoveRowsOnTransponders(none), 0);
    page.List().SetSelected(7, true);
    page.List().SetFocused(7, true);
    const std::vector<std::u16string> tps{u"11", u"30"};
    EXPECT_EQ(page.RemoveRowsOnTransponders(tps), 3);  // 103 on 30, 105 and 106 on 11
    EXPECT_EQ(ListColumn(page.List(), kColSerKey),
              (std::vector<std::u16string>{u"100", u"101", u"102", u"104", u"107", u"108", u""}));
    // The rows that stay keep their cells, selection and focus.
    EXPECT_EQ(page.List().GetItemImage(4, kColFree), CDragListCtrl::kImageDollar);
    EXPECT_TRUE(page.List().IsSelected(4) && page.List().IsFocused(4));
    EXPECT_EQ(page.List().GetSelectedCount(), 1);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml").size(), 10u);  // rows only

    const std::vector<std::u16string> orphans{u"100"};
    page.ClearFavouriteMark(orphans);
    EXPECT_EQ(page.List().GetItemImage(0, kColFav), Img::kImageBlank);
}

}  // namespace
}  // namespace vesko::testing
