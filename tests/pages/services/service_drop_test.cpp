// Dragging rows of a service list: the file follows the list, plain clicks and drops
// back onto the same place rewrite nothing, and a drop that cannot be applied loses no
// service.

#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "fake_platform.h"
#include "pages/services/service_page.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

// Names of the attributes of the service with `key`, in the order they are written.
std::vector<std::string> AttributeNames(const std::string& file, const std::string& key) {
    const size_t at = file.find("service_key=\"" + key + "\"");
    const size_t start = file.rfind('<', at);
    const std::string element = file.substr(start, file.find('>', at) - start);
    std::vector<std::string> names;
    const std::regex attribute(R"(([A-Za-z_.0-9]+)=")");
    for (auto it = std::sregex_iterator(element.begin(), element.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        names.push_back((*it)[1]);
    }
    return names;
}

void Drag(CDragListCtrl& list, std::initializer_list<int> rows, int dropRow) {
    list.ClearSelection();
    for (int row : rows)
        list.SetSelected(row, true);
    list.BeginDrag();
    if (dropRow >= 0)
        list.HighlightDropRow(dropRow);
    list.OnLeftButtonUp();
}

TEST_F(ServicePageTest, DropMakesTheFileFollowTheList) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    Drag(page.List(), {3, 4}, 7);

    const std::vector<std::u16string> order{u"100", u"101", u"102", u"105", u"106",
                                            u"107", u"103", u"104", u"108", u""};
    EXPECT_EQ(ListColumn(page.List(), kColSerKey), order);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml"), order);
    // Each moved service keeps exactly the attributes it had (103 has no encrypt, 105
    // and 107 an icon_name), and the values travel with their services.
    const std::string file = ReadBytes("temp_tv_prog.xml");
    const std::string original = TvProg();
    for (const char* key : {"103", "104", "105", "107", "108"})
        EXPECT_EQ(AttributeNames(file, key), AttributeNames(original, key)) << key;
    EXPECT_NE(file.find("<prog sat_key=\"66\" tp_key=\"30\" service_key=\"103\""),
              std::string::npos);
    EXPECT_EQ(file.find("/><"), std::string::npos);

    // The list is renumbered, the moved rows stay selected and got their images back.
    EXPECT_EQ(ListColumn(page.List(), kColNumber)[6], u"7");
    EXPECT_TRUE(page.List().IsSelected(6));
    EXPECT_TRUE(page.List().IsSelected(7));
    EXPECT_EQ(page.List().GetItemImage(6, kColFav), CDragListCtrl::kImageHeart);
    EXPECT_EQ(page.List().GetItemImage(6, kColFree), CDragListCtrl::kImageDollar);
    EXPECT_EQ(page.List().m_dropCount, 1);
}

TEST_F(ServicePageTest, ClicksAndDropsInPlaceRewriteNothing) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    const std::string before = ReadBytes("temp_tv_prog.xml");
    // A release without a drag counts as a change but moves and writes nothing.
    page.List().ClearSelection();
    page.List().SetSelected(5, true);
    page.List().OnLeftButtonUp();
    EXPECT_EQ(page.List().m_dropCount, 1);
    EXPECT_FALSE(page.List().m_dropped);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    // Dropped on itself or below the row above: the same place, nothing stripped.
    Drag(page.List(), {5}, 5);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    Drag(page.List(), {5}, 4);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    // Right after a real drag, the next click does not repeat the drop.
    Drag(page.List(), {2}, 3);
    const std::string dropped = ReadBytes("temp_tv_prog.xml");
    EXPECT_NE(dropped, before);
    page.List().OnLeftButtonUp();
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), dropped);
    EXPECT_EQ(page.List().m_dropCount, 5);
}

TEST_F(ServicePageTest, DropThatCannotBeAppliedReloadsAndLosesNothing) {
    CServicePage page(ServiceKind::Tv);
    page.Reload();
    std::string before = ReadBytes("temp_tv_prog.xml");
    // A service of the list has another key in the file by now: the file is not the one
    // the list was filled from, and nothing is moved in it.
    std::string renamed = before;
    renamed.replace(renamed.find("service_key=\"108\""), 17, "service_key=\"908\"");
    WriteBytes("temp_tv_prog.xml", renamed);
    Drag(page.List(), {0}, 3);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), renamed);
    EXPECT_EQ(ListColumn(page.List(), kColSerKey), FileKeys("temp_tv_prog.xml"));
    EXPECT_EQ(page.List().m_draggedCount, 0);
    EXPECT_TRUE(page.List().IsSelected(page.List().m_dropIndex - 1));
    WriteBytes("temp_tv_prog.xml", before);
    page.Reload();

    // The list and the file disagree: a service of the list (107) is no longer in the
    // file. Nothing is taken out of the file.
    std::string changed = before;
    const size_t at = changed.find("<prog sat_key=\"1\" tp_key=\"10\" service_key=\"107\"");
    ASSERT_NE(at, std::string::npos);
    changed.erase(at, changed.find("\r\n", at) + 2 - at);
    WriteBytes("temp_tv_prog.xml", changed);
    Drag(page.List(), {3}, 7);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), changed);
    EXPECT_EQ(page.List().GetItemCount(), 9);
    EXPECT_EQ(ListColumn(page.List(), kColSerKey), FileKeys("temp_tv_prog.xml"));
}

// A file of one element per line with its services in the given order of their first
// positions: what a move or a drop must leave, byte for byte.
std::string InOrder(const std::string& file, const std::vector<int>& order) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < file.size(); at = file.find("\r\n", at) + 2)
        lines.push_back(file.substr(at, file.find("\r\n", at) - at));
    std::string text = lines[0] + "\r\n" + lines[1] + "\r\n";
    for (int position : order)
        text += lines[static_cast<size_t>(position) + 2] + "\r\n";
    return text + lines.back() + "\r\n";
}

TEST_F(ServicePageTest, MovesAndDropsCarryWholeServicesAndTouchNothingElse) {
    // 103 has no encrypt, 105 an empty block and an icon_name, 106 no block, 107 an
    // icon_name, 109 no key. The whole element goes wherever its row goes.
    struct Case {
        const char* what;
        std::function<void(CServicePage&)> run;
        std::vector<int> order;
    };
    FakePlatform platform;
    const Case cases[] = {
        {"105 down past 106",
         [&](CServicePage& page) { Select(page.List(), {5}), page.MoveDown(platform); },
         {0, 1, 2, 3, 4, 6, 5, 7, 8, 9}},
        {"103 up past 102",
         [&](CServicePage& page) { Select(page.List(), {3}), page.MoveUp(platform); },
         {0, 1, 3, 2, 4, 5, 6, 7, 8, 9}},
        {"105 and 107 dragged up below 101",
         [](CServicePage& page) {
             Drag(page.List(), {5, 7}, 1);
         },
         {0, 1, 5, 7, 2, 3, 4, 6, 8, 9}},
        {"the keyless service dragged below 101",
         [](CServicePage& page) { Drag(page.List(), {9}, 1); },
         {0, 1, 9, 2, 3, 4, 5, 6, 7, 8}},
        {"the first two dragged to the end",
         [](CServicePage& page) {
             Drag(page.List(), {0, 1}, 9);
         },
         {2, 3, 4, 5, 6, 7, 8, 9, 0, 1}},
        {"106 and 103 dragged to the top",
         [](CServicePage& page) {
             page.List().m_dropIndex = -1;
             Drag(page.List(), {3, 6}, -1);
         },
         {3, 6, 0, 1, 2, 4, 5, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        WriteBytes("temp_tv_prog.xml", TvProg());
        CServicePage page(ServiceKind::Tv);
        page.Reload();
        c.run(page);
        EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), InOrder(TvProg(), c.order)) << c.what;
        EXPECT_EQ(ListColumn(page.List(), kColSerKey), FileKeys("temp_tv_prog.xml")) << c.what;
    }
}

}  // namespace
}  // namespace vesko::testing
