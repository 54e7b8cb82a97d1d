// The Cable Tp and Ter Tp pages and their dialogs: the satellite-transponder design on
// the single satellite of their own files, with their own attributes and keys.

#include <gtest/gtest.h>

#include <filesystem>

#include "database/schema.h"
#include "fake_platform.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/satellites/transponder_page.h"
#include "satellite_fixture.h"

namespace vesko::testing {
namespace {

// What the tests expect of each kind.
struct KindCase {
    TransponderKind kind;
    const char* work;
    std::u16string_view title;
    std::vector<std::u16string> columns;   // of the first row as listed
    std::vector<std::u16string> services;  // TV services of the first transponder
    const char* added;                     // the element an add with these fields writes
};

const KindCase kKinds[] = {
    {TransponderKind::Cable,
     kSatCableWork,
     u"Cable Edit TP",
     {u"1", u"476", u"6875", u"64QAM", u"30"},
     {u"S104"},
     "<transponder tp_key=\"814\" sat_key=\"66\" frequency=\"480\" symbol_rate=\"6875\" "
     "modulation_mode=\"64QAM\"/>"},
    {TransponderKind::Terrestrial,
     kSatTerWork,
     u"Ter Edit TP",
     {u"1", u"540", u"8HMZ", u"29", u"812"},
     {u"S105"},
     "<transponder tp_key=\"814\" sat_key=\"65\" frequency=\"538\" band=\"8HMZ\" "
     "channel_no=\"30\"/>"},
};

class CableTerTpTest : public SatelliteTest, public ::testing::WithParamInterface<KindCase> {
protected:
    CTpEditDlg Form(CTransponderPage& page, bool add) {
        page.FillTransponderList(0);
        Select(page.TransponderList(), {0});
        CTpEditDlg form(m_platform, page, add);
        form.Open();
        return form;
    }
    // Fills the fields a kind has: the frequency, then symbol rate and mode or band and
    // channel.
    static void Fill(CTpEditDlg& form, std::u16string_view freq, std::u16string_view second,
                     std::u16string_view third) {
        form.m_freq = freq;
        if (form.Traits().kind == TransponderKind::Cable) {
            form.m_sym = second;
            form.m_mode.selected = MatchChoice(kCableModulations, third);
        } else {
            form.m_band = second;
            form.m_channelNo = third;
        }
    }
    std::u16string OkMessage(CTpEditDlg& form) {
        m_platform.messages.clear();
        form.Ok();
        return m_platform.messages.empty() ? u"" : m_platform.messages.back().text;
    }

    FakePlatform m_platform;
};

TEST_P(CableTerTpTest, ListAddEditAndTheDuplicateRule) {
    const KindCase& k = GetParam();
    CTransponderPage page(k.kind);
    page.Reload();
    std::vector<std::u16string> first;
    for (int column = 0; column < page.TransponderList().GetColumnCount(); ++column)
        first.push_back(page.TransponderList().GetItemText(0, column));
    EXPECT_EQ(first, k.columns);
    Select(page.TransponderList(), {0});
    page.TakeSelectedTransponder();
    EXPECT_EQ(Column(page.ServiceList(), 1), k.services);

    const bool cable = k.kind == TransponderKind::Cable;
    CTpEditDlg add = Form(page, true);
    EXPECT_EQ(add.Title(), k.title);
    EXPECT_EQ(add.m_tpKey, u"813");
    if (cable)
        EXPECT_EQ(add.m_mode.Text(), u"AUTO");
    // Near the first transponder: refused; another mode, band or channel: accepted.
    cable ? Fill(add, u"474", u"6875", u"64QAM") : Fill(add, u"538", u"8", u"29");
    EXPECT_EQ(OkMessage(add), kTpExistsMessage);
    cable ? Fill(add, u"474", u"6875", u"256QAM") : Fill(add, u"538", u"7", u"29");
    EXPECT_EQ(OkMessage(add), u"");
    CTpEditDlg second = Form(page, true);
    EXPECT_EQ(second.m_tpKey, u"814");
    cable ? Fill(second, u"480", u"6875", u"64QAM") : Fill(second, u"538", u"8", u"30");
    EXPECT_EQ(OkMessage(second), u"");
    EXPECT_NE(ReadBytes(k.work).find(k.added), std::string::npos);
    EXPECT_EQ(page.GetSelectedRow(), page.TransponderList().GetItemCount() - 1);

    // Edit reads the stored texts back as numbers (8HMZ as 8) and matches a mode in
    // any case; a duplicate of another is refused.
    if (cable)
        page.SetTransponderAttribute(0, u"modulation_mode", u"64qam");
    CTpEditDlg edit = Form(page, false);
    if (cable)
        EXPECT_EQ(edit.m_mode.Text(), u"64QAM");
    else
        EXPECT_EQ(edit.m_band, u"8");
    const std::string before = ReadBytes(k.work);
    EXPECT_EQ(OkMessage(edit), u"");
    if (cable)  // the mode as its item
        EXPECT_EQ(Values(k.work, u"transponder", u"modulation_mode")[0], u"64QAM");
    else
        EXPECT_EQ(ReadBytes(k.work), before);
    cable ? Fill(edit, u"601", u"6875", u"256QAM") : Fill(edit, u"538", u"8", u"30");
    EXPECT_EQ(OkMessage(edit), kTpExistsMessage);

    // Reset: the terrestrial dialog reads again, the cable one does nothing.
    edit.m_freq = u"1";
    edit.Reset();
    EXPECT_EQ(edit.m_freq, cable ? u"1" : u"540");
}

// A database without the optional file: an empty page, and an add that has nowhere to
// go writes nothing.
TEST_P(CableTerTpTest, AbsentFileGivesAnEmptyPage) {
    const KindCase& k = GetParam();
    std::filesystem::remove(k.work);
    CTransponderPage page(k.kind);
    page.Reload();
    EXPECT_EQ(page.TransponderList().GetItemCount(), 0);
    CTpEditDlg add = Form(page, true);
    Fill(add, u"500", u"8", u"30");
    EXPECT_TRUE(add.Ok());
    EXPECT_FALSE(std::filesystem::exists(k.work));
}

INSTANTIATE_TEST_SUITE_P(Kinds, CableTerTpTest, ::testing::ValuesIn(kKinds), [](const auto& info) {
    return info.param.kind == TransponderKind::Cable ? "Cable" : "Terrestrial";
});

}  // namespace
}  // namespace vesko::testing
