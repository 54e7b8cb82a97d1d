#include "pages/icons/icon_page.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/settings.h"
#include "fake_platform.h"
#include "pages/icons/icon_name.h"
#include "pages/icons/icon_test_database.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::IconService;
using testing::NumberedServices;
using testing::TempDir;
using testing::WriteIconDatabase;

TEST(IconFileName, NamesAsTheReceiverLooksThemUp) {
    const std::vector<
        std::tuple<std::u16string, std::u16string, std::u16string, std::u16string, std::u16string>>
        cases{
            // service id, position, frequency, polarization -> name
            {u"255", u"-75", u"10729", u"H", u"0_0_0_DC5_29E9_0_FF.jpg"},
            {u"10", u"3700", u"474", u"H", u"0_0_0_E74_1DA_0_A.jpg"},
            {u"1", u"3900", u"306", u"H", u"0_0_0_F3C_132_0_1.jpg"},
            {u"1234", u"192", u"11778", u"V", u"0_0_0_C0_2E02_1_4D2.jpg"},
            // Text that is no number reads as 0, digits before other text count, and
            // only an exact "H" is horizontal.
            {u"", u"east", u"12abc", u"h", u"0_0_0_0_C_1_0.jpg"},
            {u" +31", u"-3600", u"0", u"", u"0_0_0_0_0_1_1F.jpg"},
        };
    for (const auto& [id, position, frequency, polarization, expected] : cases) {
        EXPECT_EQ(IconFileName(id, position, frequency, polarization), expected);
    }
}

TEST(IconFileName, OnlyPlainNamesNameAFile) {
    for (const std::u16string_view name : {u"BBC One", u"Rai 1", u"A&E", u"..x", u"Первый канал"}) {
        EXPECT_TRUE(IsPlainFileName(name));
    }
    for (const std::u16string_view name :
         {u"", u".", u"..", u"../x", u"a/b", u"a\\b", u"/etc/passwd", u"tab\there", u"\x7F"}) {
        EXPECT_FALSE(IsPlainFileName(name));
    }
}

struct IconPageTest : ::testing::Test {
    // Loads the icon folder through the chooser.
    void Load() {
        platform.folders.push_back(icons.Path());
        page.LoadIconFolder(platform, settings);
    }
    int OccupiedSlots() const {
        int occupied = 0;
        for (const SlotRecord& slot : page.Slots()) {
            occupied += slot.occupied ? 1 : 0;
        }
        return occupied;
    }

    TempDir work{true};
    TempDir icons;
    testing::FakePlatform platform;
    MemorySettings settings;
    CIconPage page;
};

// Every kind of transponder, one lookup each: satellite (west and east), terrestrial and
// cable from their own files even when sat.xml misuses their key, and what is missing.
TEST_F(IconPageTest, DescribesEveryServiceFromItsTransponder) {
    WriteIconDatabase({{"West", "2", "20", "255"},
                       {"Ter", "65", "30", "10"},
                       {"Cab", "66", "40", "1"},
                       {"East", "1", "10", "1234"},
                       {"No tp", "1", "99", "5"},
                       {"No sat", "7", "10", "6"}});
    Load();
    const std::vector<std::tuple<std::u16string, std::u16string, std::u16string>> expected{
        {u"0_0_0_DC5_29E9_0_FF.jpg", u"Hispasat 30W", u"10729/22000/H"},
        {u"0_0_0_E74_1DA_0_A.jpg", u"Terrestrial", u"474/8HMZ/CH21"},
        {u"0_0_0_F3C_132_0_1.jpg", u"Cable", u"306/6875/64QAM"},
        {u"0_0_0_C0_2E02_1_4D2.jpg", u"Astra 19.2E", u"11778/27500/V"},
        {u"0_0_0_C0_0_1_5.jpg", u"Astra 19.2E", u""},
        {u"0_0_0_0_0_1_6.jpg", u"", u""},
    };
    ASSERT_EQ(page.SlotTable().size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        const SlotRecord& record = page.SlotTable()[n];
        EXPECT_EQ(record.iconPath, icons.Path() / std::get<0>(expected[n]));
        EXPECT_EQ(record.satelliteLine, std::get<1>(expected[n]));
        EXPECT_EQ(record.transponderLine, std::get<2>(expected[n]));
        EXPECT_TRUE(record.occupied);
    }
    EXPECT_EQ(page.Slots()[3].serviceLine, u"East");
    EXPECT_TRUE(page.Slots()[3].iconPath.empty());  // no file: the default picture
    EXPECT_FALSE(page.Slots()[6].occupied);
    EXPECT_EQ(settings.Value(SettingKey::LastIconFolder), icons.Path().u16string());
}

TEST_F(IconPageTest, PagesWrapAroundAndGoToTellsTheRange) {
    WriteIconDatabase(NumberedServices(37));
    // Nothing answers before a folder is loaded.
    page.PageDown();
    page.GoTo(7, platform);
    EXPECT_EQ(page.PageLabel(), u"000 / 000 Pages");
    EXPECT_TRUE(platform.messages.empty());

    Load();
    EXPECT_EQ(page.PageLabel(), u"001 / 003 Pages");
    EXPECT_EQ(OccupiedSlots(), 18);
    page.m_currentSlot = 5;
    page.PageUp();  // from the first page to the last
    EXPECT_EQ(page.m_currentPage, 2);
    EXPECT_EQ(page.m_currentSlot, 0);
    EXPECT_EQ(page.PageLabel(), u"003 / 003 Pages");
    EXPECT_EQ(page.PageNumber(), 3);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(page.Slots()[0].serviceLine, u"Service 37");
    page.PageDown();  // from the last page to the first
    EXPECT_EQ(page.m_currentPage, 0);
    page.PageDown();
    EXPECT_EQ(page.Slots()[0].serviceLine, u"Service 19");

    page.GoTo(0, platform);
    page.GoTo(4, platform);
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const auto& message : platform.messages) {
        EXPECT_EQ(message.caption, u"VeksoEditor");
        EXPECT_EQ(message.text, u"Invalid input !(0 - 003 )");
        EXPECT_EQ(message.buttons, MessageButtons::OkCancel);
    }
    EXPECT_EQ(page.m_currentPage, 1);
    page.GoTo(3, platform);
    EXPECT_EQ(page.PageLabel(), u"003 / 003 Pages");
    // Services deleted since the load: the pages are counted from the file as it is now.
    WriteIconDatabase(NumberedServices(19));
    page.PageDown();
    EXPECT_EQ(page.PageLabel(), u"002 / 002 Pages");  // from the third page, (2 + 1) mod 2

    // Loading again for a database with fewer services starts on its first page; with
    // none, paging stays where it is instead of leaving the page count behind.
    WriteIconDatabase({});
    Load();
    EXPECT_EQ(page.PageLabel(), u"000 / 000 Pages");
    page.PageUp();
    page.PageDown();
    EXPECT_EQ(page.m_currentPage, 0);
    EXPECT_EQ(OccupiedSlots(), 0);
}

TEST(IconPageKeys, ArrowsPageEnterGoesAndLettersAreSwallowed) {
    const std::vector<std::pair<KeyPress, IconPageAction>> cases{
        {{PageKey::PageUp}, IconPageAction::PageUp},
        {{PageKey::Up}, IconPageAction::PageUp},
        {{PageKey::PageDown}, IconPageAction::PageDown},
        {{PageKey::Down}, IconPageAction::PageDown},
        {{PageKey::Enter}, IconPageAction::GoTo},
        {{PageKey::LetterO, true}, IconPageAction::LoadIcon},
        {{PageKey::LetterF, true}, IconPageAction::Search},
        {{PageKey::LetterO}, IconPageAction::Swallow},
        {{PageKey::LetterF}, IconPageAction::Swallow},
        {{PageKey::Escape}, IconPageAction::Swallow},
        {{PageKey::LetterS, true}, IconPageAction::None},
        {{PageKey::Delete}, IconPageAction::None},
    };
    for (const auto& [key, action] : cases) {
        EXPECT_EQ(IconPageActionForKey(key), action) << static_cast<int>(key.key);
    }
}

}  // namespace
}  // namespace vesko
