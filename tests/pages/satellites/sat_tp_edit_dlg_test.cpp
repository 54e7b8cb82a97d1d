// "Sat Edit TP" on real working copies: ranges, duplicates, the 300 limit, the new key
// over the three transponder files, and edit writes.

#include <gtest/gtest.h>

#include "database/schema.h"
#include "fake_platform.h"
#include "pages/satellites/satellite_file.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/satellites/transponder_page.h"
#include "satellite_fixture.h"
#include "xml/decimal_text.h"

namespace vesko::testing {
namespace {

class SatTpEditTest : public SatelliteTest {
protected:
    CTpEditDlg Add(int satIndex) {
        m_page.m_satIndex = satIndex;
        m_page.FillTransponderList(satIndex);
        CTpEditDlg form(m_platform, m_page, true);
        form.Open();
        return form;
    }
    CTpEditDlg Edit(int satIndex, int row, int tuner = 0) {
        m_page.m_satIndex = satIndex;
        m_page.FillTransponderList(satIndex);
        Select(m_page.TransponderList(), {row});
        CTpEditDlg form(m_platform, m_page, false, tuner);
        form.Open();
        return form;
    }
    // The message OK gave ("" for none), with the file unchanged when it refused.
    std::u16string OkMessage(CTpEditDlg& form) {
        m_platform.messages.clear();
        const std::string before = ReadBytes(kSatWork);
        const bool ok = form.Ok();
        if (!ok)
            EXPECT_EQ(ReadBytes(kSatWork), before);
        return m_platform.messages.empty() ? u"" : m_platform.messages.back().text;
    }

    CTransponderPage m_page{TransponderKind::Satellite};
    FakePlatform m_platform;
};

TEST_F(SatTpEditTest, AddRefusesOutOfRangeAndDuplicatesThenAppendsWithTheNextKey) {
    struct Case {
        std::u16string_view freq, sym;
        int polarization, mode;
        std::u16string_view message;
    };
    const Case cases[] = {
        {u"10599", u"27500", 0, 0, u"Invalid Frequency(10600--12750)"},
        {u"12751", u"27500", 0, 0, u"Invalid Frequency(10600--12750)"},
        {u"11720", u"27500", 0, 0, kTpExistsMessage},
        {u"11721", u"27500", 0, 0, kTpExistsMessage},
        {u"11720", u"27450", 0, 0, kTpExistsMessage},
        {u"11720", u"100000", 0, 0, u"Please enter an integer between 0 and 99999."},
        {u"11.7", u"27500", 0, 0, u"Please enter an integer."},
        {u"11720", u"27500", 1, 0, u""},  // V
        {u"11720", u"27500", 0, 1, u""},  // DVB-S2
        {u"11722", u"27500", 0, 0, u""},
    };
    int added = 0;
    for (const Case& c : cases) {
        CTpEditDlg form = Add(0);
        EXPECT_EQ(form.m_freq, u"10600");  // the lowest of the range, vertical before a choice
        // 812, the highest key, is in the terrestrial file.
        EXPECT_EQ(form.m_tpKey, DecimalText(813 + added));
        EXPECT_EQ(form.m_polarization.Text(), u"H");
        EXPECT_EQ(form.m_fec.Text(), u"Auto");
        form.m_freq = c.freq;
        form.m_sym = c.sym;
        form.m_polarization.selected = c.polarization;
        form.m_mode.selected = c.mode;
        EXPECT_EQ(OkMessage(form), c.message) << std::string(c.freq.begin(), c.freq.end());
        EXPECT_FALSE(form.m_closedAsCancelled);
        added += c.message.empty() ? 1 : 0;
    }
    // Each accepted one is appended with the attributes in their order, and selected.
    EXPECT_EQ(Values(kSatWork, u"transponder", u"tp_key"), Words("10 11 12 813 814 815 20"));
    EXPECT_NE(ReadBytes(kSatWork).find(
                  "<transponder tp_key=\"815\" sat_key=\"1\" transport_stream_id=\"0\" "
                  "original_network_id=\"0\" frequency=\"11722\" symbol_rate=\"27500\" "
                  "fec=\"Auto\" modulation_mode=\"QPSK\" polarization=\"H\"/>"),
              std::string::npos);
    EXPECT_EQ(m_page.GetSelectedRow(), 5);

    // One Cable L: the range follows the polarization.
    CTpEditDlg oneCable = Add(1);
    oneCable.m_freq = u"4500";
    oneCable.m_polarization.selected = 1;
    EXPECT_EQ(OkMessage(oneCable), u"Invalid Frequency(3000--4200)");
    oneCable.m_polarization.selected = 0;
    EXPECT_EQ(OkMessage(oneCable), u"");
}

TEST_F(SatTpEditTest, EditKeepsItsOwnKeyOutOfTheCheckAndUsesThePagesTuner) {
    CTpEditDlg unchanged = Edit(0, 0);
    EXPECT_EQ(unchanged.m_freq, u"11718");
    EXPECT_EQ(unchanged.m_fec.Text(), u"3/4");
    EXPECT_EQ(unchanged.m_mode.Text(), u"DVB-S");
    const std::string before = ReadBytes(kSatWork);
    EXPECT_EQ(OkMessage(unchanged), u"");
    EXPECT_EQ(ReadBytes(kSatWork), before);  // the same values written again

    CTpEditDlg near = Edit(0, 2);
    near.m_freq = u"11716";
    near.m_sym = u"27500";
    EXPECT_EQ(OkMessage(near), kInvalidInputMessage);

    // Satellite 2: One Cable L for tuner 1, C-Band for tuner 2.
    CTpEditDlg tuner2 = Edit(1, 0, 1);
    tuner2.m_freq = u"4500";
    EXPECT_EQ(OkMessage(tuner2), u"Invalid Frequency(3000--4200)");
    CTpEditDlg tuner1 = Edit(1, 0, 0);
    tuner1.m_freq = u"4500";
    EXPECT_EQ(OkMessage(tuner1), u"");

    // Written in one save, as six single writes would; a stored FEC that is no item
    // stays.
    CTpEditDlg edit = Edit(0, 1);
    edit.m_fec.stored = u"11/12";
    edit.m_fec.selected = -1;
    edit.m_sym = u"22001";
    edit.m_polarization.selected = 0;
    WriteBytes("reference.xml", ReadBytes(kSatWork));
    const std::pair<std::u16string_view, std::u16string_view> singles[] = {
        {u"tp_key", u"11"},
        {u"frequency", u"12000"},
        {u"symbol_rate", u"22001"},
        {u"polarization", u"H"},
        {u"modulation_mode", u"8PSK"}};
    for (const auto& [name, value] : singles) {
        CXmlDoc doc;
        doc.Load("reference.xml");
        ASSERT_TRUE(EnterTransponder(doc, 0, 1));
        doc.SetAttribute(name, value);
        doc.Save("reference.xml");
    }
    EXPECT_EQ(OkMessage(edit), u"");
    EXPECT_EQ(ReadBytes(kSatWork), ReadBytes("reference.xml"));
}

// A satellite takes a 300th transponder but not a 301st; a full satellite can still be
// edited; in a file with more than 300 every transponder is checked for duplicates.
TEST_F(SatTpEditTest, ThreeHundredIsTheLimitAndEveryTransponderIsChecked) {
    const auto writeSatellite = [](int count) {
        std::string sat = "<satellites>\r\n<sat sat_key=\"9\" lnb=\"User\">\r\n";
        for (int k = 0; k < count; ++k)
            sat += Transponder(1000 + k, "9", 3000 + 10 * k, 1000, "QPSK", "H") + "\r\n";
        WriteBytes(kSatWork, sat + "</sat>\r\n</satellites>\r\n");
    };
    writeSatellite(299);
    CTpEditDlg add = Add(0);
    add.m_freq = u"9000";
    EXPECT_EQ(OkMessage(add), u"");
    EXPECT_EQ(m_page.CountTransponders(0), 300);
    CTpEditDlg full = Add(0);
    full.m_freq = u"9500";
    EXPECT_EQ(OkMessage(full), kMaxTpMessage);
    EXPECT_TRUE(full.m_closedAsCancelled);
    EXPECT_EQ(m_page.m_tpCount, 300);
    CTpEditDlg edit = Edit(0, 299);
    edit.m_freq = u"9600";
    EXPECT_EQ(OkMessage(edit), u"");

    writeSatellite(310);
    CTpEditDlg first = Edit(0, 0);
    first.m_freq = u"6051";  // next to the 306th
    EXPECT_EQ(OkMessage(first), kInvalidInputMessage);
}

}  // namespace
}  // namespace vesko::testing
