// Dragging rows of a service list: the file follows the list, plain clicks and drops
// back onto the same place rewrite nothing, and a drop that cannot be applied loses no
// service.

#include <gtest/gtest.h>

#include <regex>

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

std::vector<std::string> RecordNames() {
    std::vector<std::string> names;
    for (std::u16string_view name : kServiceRecordAttributes)
        names.emplace_back(name.begin(), name.end());
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
    // Re-placed services carry exactly the 19 record attributes; the row above the
    // block (107) is not re-placed and keeps its extra attribute.
    const std::string file = ReadBytes("temp_tv_prog.xml");
    EXPECT_EQ(AttributeNames(file, "103"), RecordNames());
    EXPECT_EQ(AttributeNames(file, "104"), RecordNames());
    EXPECT_EQ(AttributeNames(file, "108"), RecordNames());
    EXPECT_EQ(AttributeNames(file, "107").back(), "icon_name");
    EXPECT_EQ(AttributeNames(file, "105").back(), "icon_name");
    // The values travel with their services, and the file keeps one element per line.
    EXPECT_NE(file.find("<prog sat_key=\"66\" tp_key=\"30\" service_key=\"103\""),
              std::string::npos);
    EXPECT_NE(file.find("service_key=\"107\" "), std::string::npos);
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
    // The row below the block is the keyless service: the drop cannot be applied.
    Drag(page.List(), {0}, 8);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    EXPECT_EQ(ListColumn(page.List(), kColSerKey), FileKeys("temp_tv_prog.xml"));
    EXPECT_EQ(page.List().m_draggedCount, 0);
    EXPECT_TRUE(page.List().IsSelected(page.List().m_dropIndex - 1));

    // The list and the file disagree: the service the block goes after (107) is no
    // longer in the file. Nothing is taken out of the file.
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

}  // namespace
}  // namespace vesko::testing
