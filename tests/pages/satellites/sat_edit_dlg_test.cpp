// The "Edit Satellite" form on real working copies.

#include "pages/satellites/sat_edit_dlg.h"

#include <gtest/gtest.h>

#include "database/schema.h"
#include "fake_platform.h"
#include "pages/satellites/satellite_file.h"
#include "pages/satellites/satellite_page.h"
#include "satellite_fixture.h"

namespace vesko::testing {
namespace {

TEST(ChoiceMatch, StoredTextSelectsTheFirstItemItBeginsFromTheSecondOn) {
    struct Case {
        ChoiceItems items;
        std::u16string_view stored;
        int selected;
    };
    const Case cases[] = {
        {kDiseqc11Ports, u"12", 12},
        {kDiseqc11Ports, u"1", 1},
        {kPowers, u"13/18", 3},
        {kPowers, u"13", 1},
        {kLnbTypes, u"uni.(9750/10600)", 0},
        {kLnbTypes, u"KU", 5},
        {kMotors, u"off", 0},
        {kFecs, u"1/", 1},
        {kCableModulations, u"64qam", 3},
        {kLnbTypes, u"Quad(9750)", -1},
        {kMotors, u"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchChoice(c.items, c.stored), c.selected)
            << std::string(c.stored.begin(), c.stored.end());
}

class SatEditDlgTest : public SatelliteTest {
protected:
    CSatEditDlg Opened(int row, int tuner) {
        m_page.FillSatelliteList(tuner);
        m_page.m_tunerIndex = tuner;
        Select(m_page.SatelliteList(), {row});
        CSatEditDlg form(m_platform);
        form.m_page = &m_page;
        form.Open();
        return form;
    }
    std::u16string Stored(int row, std::u16string_view name) {
        std::u16string value;
        m_page.GetSatelliteAttribute(row, name, value);
        return value;
    }

    CSatellitePage m_page;
    FakePlatform m_platform;
};

// Tuner 2 of a satellite on a universal LNB: 22K is AUTO alone; OK writes the nine
// values under the _2 names, with the bytes of one load and save per value.
TEST_F(SatEditDlgTest, OkWritesTheTunersSettingsAsNineSingleWritesWould) {
    CSatEditDlg form = Opened(0, 1);
    EXPECT_EQ(form.m_satKey, u"1");
    EXPECT_EQ(form.m_longitude, u"19.2E");
    EXPECT_EQ(form.m_lnb.Text(), u"Uni.(9750/10750)");
    EXPECT_FALSE(form.K22Enabled());
    EXPECT_EQ(form.m_k22.Text(), u"AUTO");
    EXPECT_EQ(form.m_diseqc11.Text(), u"1");
    EXPECT_EQ(form.m_userFreq, u"7");
    EXPECT_FALSE(form.UserFreqEnabled());

    form.m_name = u"A & \"B\"";
    form.m_power.selected = 3;
    const std::vector<std::pair<std::u16string, std::u16string>> singles{
        {u"name", form.m_name}, {u"UserFreq_2", u"7"},  {u"lnb_2", u"Uni.(9750/10750)"},
        {u"k22_2", u"AUTO"},    {u"v12_2", u"ON"},      {u"diseqc1.0_2", u"B"},
        {u"diseqc1.1_2", u"1"}, {u"power_2", u"13/18"}, {u"motor_2", u"USALS"}};
    WriteBytes("reference.xml", ReadBytes(kSatWork));
    for (const auto& [name, value] : singles) {
        CXmlDoc doc;
        doc.Load("reference.xml");
        ASSERT_TRUE(EnterSatellite(doc, 0));
        doc.SetAttribute(name, value);
        doc.Save("reference.xml");
    }
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(ReadBytes(kSatWork), ReadBytes("reference.xml"));
}

TEST_F(SatEditDlgTest, UnknownStoredValuesAreKeptUnlessAnItemIsPicked) {
    // Tuner 3 stores an LNB type this editor does not know, and no motor at all: both
    // stay as they are unless the user picks an item.
    CSatEditDlg form = Opened(0, 2);
    EXPECT_FALSE(form.m_lnb.Picked());
    EXPECT_TRUE(form.K22Enabled());
    EXPECT_EQ(form.m_k22.Text(), u"ON");
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(Stored(0, u"lnb_3"), u"Quad(9750)");
    EXPECT_EQ(ReadBytes(kSatWork).find("motor_3"), std::string::npos);
    form.m_lnb.selected = 2;
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(Stored(0, u"lnb_3"), u"Low Band(9750)");
}

TEST_F(SatEditDlgTest, UserFreqMustBeAnIntegerFrom0To99999EvenWhenDisabled) {
    const std::pair<std::u16string_view, bool> cases[] = {
        {u"100000", false}, {u"-1", false},   {u"12a", false}, {u"", false},
        {u"0", true},       {u"99999", true}, {u" 42 ", true}};
    for (const auto& [typed, accepted] : cases) {
        CSatEditDlg form = Opened(1, 0);
        EXPECT_FALSE(form.UserFreqEnabled());
        form.m_userFreq = typed;
        const std::string before = ReadBytes(kSatWork);
        m_platform.messages.clear();
        EXPECT_EQ(form.Ok(), accepted) << std::string(typed.begin(), typed.end());
        if (!accepted) {
            EXPECT_EQ(m_platform.MessageTexts(),
                      std::vector<std::u16string>{u"Please enter an integer between 0 and 99999."});
            EXPECT_EQ(form.m_invalidField, CSatEditDlg::kUserFreq);
            EXPECT_EQ(ReadBytes(kSatWork), before);
        }
    }
    EXPECT_EQ(Stored(1, u"UserFreq"), u"42");
}

}  // namespace
}  // namespace vesko::testing
