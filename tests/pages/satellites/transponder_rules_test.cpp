// The frequency ranges of the LNB types and the duplicate rule.

#include "pages/satellites/transponder_rules.h"

#include <gtest/gtest.h>

#include <map>

#include "pages/satellites/choice_lists.h"

namespace vesko {
namespace {

TEST(FrequencyRange, EveryLnbTypeAcceptsItsBoundsAndNothingBeyond) {
    struct Row {
        std::u16string_view lnb;
        int hLow, hHigh, vLow, vHigh;
    };
    const Row rows[] = {
        {u"Uni.(9750/10600)", 10600, 12750, 10600, 12750},
        {u"Uni.(9750/10750)", 10600, 12900, 10600, 12900},
        {u"Low Band(9750)", 10600, 11700, 10600, 11700},
        {u"High Band(10600)", 11700, 12750, 11700, 12750},
        {u"C-Band(5150)", 3000, 4200, 3000, 4200},
        {u"KU Band(11300)", 12250, 13450, 12250, 13450},
        {u"One Cable L", 3600, 4800, 3000, 4200},
        {u"One Cable H", 3000, 4200, 3600, 4800},
        {u"KU(10000/10450)", 10950, 12150, 11400, 12600},
        {u"MDU-1", 10700, 11900, 10700, 11900},
        {u"MDU-2", 10700, 11900, 10700, 11900},
        {u"MDU-3", 10700, 11900, 10700, 11900},
        {u"MDU-4", 10700, 11900, 10700, 11900},
        {u"KU(10750)", 11700, 12900, 11700, 12900},
        {u"User", 3000, 12900, 3000, 12900},
        {u"user", 3000, 4200, 3000, 4200},
        {u"", 3000, 4200, 3000, 4200},
    };
    for (const Row& row : rows) {
        const std::string name(row.lnb.begin(), row.lnb.end());
        const int type = LnbTypeIndex(row.lnb);
        for (const bool horizontal : {true, false}) {
            const FrequencyBounds bounds = FrequencyRange(type, horizontal);
            const int low = horizontal ? row.hLow : row.vLow;
            const int high = horizontal ? row.hHigh : row.vHigh;
            EXPECT_EQ(bounds.lowest, low) << name;
            EXPECT_EQ(bounds.highest, high) << name;
            EXPECT_TRUE(bounds.Contains(low) && bounds.Contains(high)) << name;
            EXPECT_FALSE(bounds.Contains(low - 1) || bounds.Contains(high + 1)) << name;
        }
    }
    EXPECT_EQ(LnbTypeIndex(u"User"), kUserLnbType);
    EXPECT_FALSE(FrequencyRange(kUserLnbType, true).Contains(-3000));
    EXPECT_FALSE(FrequencyRange(kUserLnbType, true).Contains(-4294964296LL));
}

// Satellite transponders: within 3 MHz, within 0.2 % of the stored rate rounded down
// (55 of 27500), same modulation and polarization; the own key never counts; a table
// holds every transponder, also beyond 300.
TEST(DuplicateRule, SatelliteTransponderNearAnotherIsADuplicate) {
    TransponderCheckTable table(TransponderKind::Satellite);
    const auto add = [&](int frequency, int rate, std::u16string mode, std::u16string polarization,
                         long long key) {
        const std::string f = std::to_string(frequency), r = std::to_string(rate);
        const std::map<std::u16string_view, std::u16string> stored{
            {u"frequency", {f.begin(), f.end()}},
            {u"symbol_rate", {r.begin(), r.end()}},
            {u"modulation_mode", mode},
            {u"polarization", polarization}};
        table.Add([&](std::u16string_view attribute) { return stored.at(attribute); }, key);
    };
    for (int k = 0; k < 320; ++k)
        add(3000 + 10 * k, 1000, u"QPSK", u"V", 1000 + k);
    add(11718, 27500, u"QPSK", u"H", 7);
    struct Case {
        long long frequency, rate, modulation, polarization, key;
        bool duplicate;
    };
    const Case cases[] = {
        {11720, 27500, 1, 1, 0, true},   {11721, 27500, 1, 1, 0, true},
        {11722, 27500, 1, 1, 0, false},  {11715, 27500, 1, 1, 0, true},
        {11714, 27500, 1, 1, 0, false},  {11720, 27500, 1, 2, 0, false},
        {11720, 27500, 2, 1, 0, false},  {11718, 27555, 1, 1, 0, true},
        {11718, 27556, 1, 1, 0, false},  {11718, 27445, 1, 1, 0, true},
        {11718, 27444, 1, 1, 0, false},  {11718, 27500, 1, 1, 7, false},
        {6190, 1002, 1, 2, 0, true},     {6190, 1003, 1, 2, 0, false},
        {6190, 1000, 1, 2, 1319, false},
    };
    for (const Case& c : cases) {
        const long long candidate[] = {c.frequency, c.rate, c.modulation, c.polarization};
        EXPECT_EQ(table.IsDuplicateTransponder(candidate, c.key), c.duplicate)
            << c.frequency << "/" << c.rate << "/" << c.modulation << c.polarization << " key "
            << c.key;
    }
}

}  // namespace
}  // namespace vesko
