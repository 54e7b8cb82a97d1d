#include "pages/satellites/satellite_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "database/schema.h"
#include "fake_platform.h"
#include "satellite_fixture.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::Column;
using testing::Select;
using testing::TempDir;
using testing::WriteBytes;

int TunerCountOf(const std::string& rootAttributes) {
    WriteBytes(kSatWork, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites" +
                             rootAttributes + ">\n</satellites>\n");
    return CSatellitePage().ReadTunerCount();
}

TEST(SatellitePage, TunerCountReadsLikeADecimalAndSaturates) {
    TempDir work(true);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"3\""), 3);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"2 tuners\""), 2);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"+4\""), 4);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-1\""), -1);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"two\""), 0);
    EXPECT_EQ(TunerCountOf(""), 0);
    // Too large for an int: the largest int, never a wrapped-round small or negative one.
    EXPECT_EQ(TunerCountOf(" tuner_num=\"2147483647\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"3000000000\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"4294967298\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"99999999999999999999999\""), INT_MAX);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-2147483648\""), INT_MIN);
    EXPECT_EQ(TunerCountOf(" tuner_num=\"-99999999999\""), INT_MIN);

    CSatellitePage page;
    page.ShowTunerButton(TunerCountOf(" tuner_num=\"4294967298\""));
    EXPECT_TRUE(page.IsTunerButtonVisible());
}

TEST(SatellitePage, LongitudeIsTenthsOfADegreeEastFromZero) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"-75", u"7.5W"},
        {u"1925", u"192.5E"},
        {u"abc", u"0.0E"},
        {u"0", u"0.0E"},
        {u"-305", u"30.5W"},
        {u"1300", u"130.0E"},
        {u"-2147483648", u"214748364.8W"}};
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(CSatellitePage::FormatLongitude(stored), shown)
            << std::string(stored.begin(), stored.end());
}

class SatellitePageTest : public testing::SatelliteTest {
protected:
    CSatellitePage m_page;
    testing::FakePlatform m_platform;
};

// The tuner button cycles the list through the settings of each tuner, also a fourth
// one, and says so when the database names no tuner.
TEST_F(SatellitePageTest, TunerButtonCyclesThroughEveryTunersSettings) {
    m_page.PrepareForReload();
    m_page.Reload();
    EXPECT_TRUE(m_page.IsTunerButtonVisible());
    EXPECT_EQ(Column(m_page.SatelliteList(), kSatColLongitude), testing::Words("19.2E 7.5W 0.0E"));
    const auto lnbShown = [&] {
        return m_page.SatelliteList().GetItemText(0, kSatColFirstSetting);
    };
    EXPECT_EQ(lnbShown(), u"Uni.(9750/10600)");
    const std::pair<std::u16string_view, std::u16string_view> cycle[] = {
        {u"Tuner (2)", u"Uni.(9750/10750)"},
        {u"Tuner (3)", u"Quad(9750)"},
        {u"Tuner (1)", u"Uni.(9750/10600)"}};
    for (const auto& [caption, lnb] : cycle) {
        m_page.CycleTuner(m_platform);
        EXPECT_EQ(m_page.TunerButtonText(), caption);
        EXPECT_EQ(lnbShown(), lnb);
    }
    EXPECT_EQ(m_page.SatelliteList().GetItemText(0, kSatColFirstSetting + 7), u"0");  // UserFreq
    EXPECT_EQ(m_page.SatelliteList().GetItemText(2, kSatColKey), u"Ab");

    testing::WriteBytes(kSatWork, testing::SatFile("4"));
    for (int k = 0; k < 3; ++k)
        m_page.CycleTuner(m_platform);
    EXPECT_EQ(m_page.TunerButtonText(), u"Tuner (4)");
    EXPECT_EQ(lnbShown(), u"User");

    testing::WriteBytes(kSatWork, testing::SatFile("0"));
    m_page.CycleTuner(m_platform);
    ASSERT_EQ(m_platform.messages.size(), 1u);
    EXPECT_EQ(m_platform.messages[0].caption, kTunerZeroCaption);
    EXPECT_EQ(m_platform.messages[0].text, kTunerZeroMessage);
    EXPECT_EQ(m_page.m_tunerIndex, 3);
}

// A click (a release over the list) makes the satellite current; the kind button
// switches between its TV and radio services; keys match exactly.
TEST_F(SatellitePageTest, ServicesFollowTheCurrentSatelliteAndKind) {
    m_page.Reload();
    Select(m_page.SatelliteList(), {0});
    m_page.SatelliteList().OnLeftButtonUp();
    EXPECT_EQ(m_page.m_selectedRow, 0);
    EXPECT_EQ(Column(m_page.ServiceList(), 1), testing::Words("S100 S101 S103"));
    EXPECT_EQ(Column(m_page.ServiceList(), 0), testing::Words("1 2 3"));
    m_page.ToggleServiceKind();
    EXPECT_EQ(m_page.ServiceKindButtonText(), u"Radio");
    EXPECT_EQ(Column(m_page.ServiceList(), 1), testing::Words("S100 S200"));
    m_page.ToggleServiceKind();
    EXPECT_EQ(m_page.ServiceKindButtonText(), u"TV");
    EXPECT_EQ(m_page.ServiceList().GetItemCount(), 3);

    Select(m_page.SatelliteList(), {2});  // "Ab": the service with "ab" is not on it
    m_page.TakeSelectedSatellite();
    EXPECT_EQ(m_page.ServiceList().GetItemCount(), 0);
    EXPECT_TRUE(m_page.ShowsServicesOf(u"Ab"));
}

}  // namespace
}  // namespace vesko
