#include "pages/satellites/transponder_rules.h"

#include <algorithm>
#include <array>

#include "pages/satellites/choice_lists.h"
#include "pages/satellites/decimal_value.h"

namespace vesko {

namespace {

// How one compared number of a candidate must stand to the stored one.
enum class Closeness {
    Equal,
    Within3,         // frequency: within 3 MHz
    WithinRatePart,  // symbol rate: within 2/1000 of the stored rate, rounded down
};

// What the duplicate rule of a kind compares, number by number.
struct CheckField {
    std::u16string_view attribute;
    Closeness closeness;
    long long (*value)(std::u16string_view text);
};

long long Decimal(std::u16string_view text) {
    return ParseDecimal(text);
}
long long QpskFlag(std::u16string_view text) {
    return text == u"QPSK" ? 1 : 2;
}
long long HorizontalFlag(std::u16string_view text) {
    return text == u"H" ? 1 : 2;
}
long long Qam(std::u16string_view text) {
    return QamNumber(text);
}

constexpr std::array<CheckField, 4> kSatelliteCheck{{
    {u"frequency", Closeness::Within3, Decimal},
    {u"symbol_rate", Closeness::WithinRatePart, Decimal},
    {u"modulation_mode", Closeness::Equal, QpskFlag},
    {u"polarization", Closeness::Equal, HorizontalFlag},
}};
constexpr std::array<CheckField, 3> kCableCheck{{
    {u"frequency", Closeness::Within3, Decimal},
    {u"symbol_rate", Closeness::WithinRatePart, Decimal},
    {u"modulation_mode", Closeness::Equal, Qam},
}};
constexpr std::array<CheckField, 3> kTerrestrialCheck{{
    {u"frequency", Closeness::Within3, Decimal},
    {u"band", Closeness::Equal, Decimal},  // "8HMZ" reads as 8
    {u"channel_no", Closeness::Equal, Decimal},
}};

std::span<const CheckField> CheckFieldsOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Cable:
            return kCableCheck;
        case TransponderKind::Terrestrial:
            return kTerrestrialCheck;
        default:
            return kSatelliteCheck;
    }
}

bool IsClose(Closeness closeness, long long candidate, long long stored) {
    const long long difference = candidate > stored ? candidate - stored : stored - candidate;
    switch (closeness) {
        case Closeness::Within3:
            return difference <= 3;
        case Closeness::WithinRatePart:
            return difference <= 2 * stored / 1000;
        default:
            return difference == 0;
    }
}

struct RangeRow {
    FrequencyBounds horizontal;
    FrequencyBounds vertical;
};

// By LNB type; the last row is for a text that is no type.
constexpr std::array<RangeRow, 16> kRanges{{
    {{10600, 12750}, {10600, 12750}},  // Uni.(9750/10600)
    {{10600, 12900}, {10600, 12900}},  // Uni.(9750/10750)
    {{10600, 11700}, {10600, 11700}},  // Low Band(9750)
    {{11700, 12750}, {11700, 12750}},  // High Band(10600)
    {{3000, 4200}, {3000, 4200}},      // C-Band(5150)
    {{12250, 13450}, {12250, 13450}},  // KU Band(11300)
    {{3600, 4800}, {3000, 4200}},      // One Cable L
    {{3000, 4200}, {3600, 4800}},      // One Cable H
    {{10950, 12150}, {11400, 12600}},  // KU(10000/10450)
    {{10700, 11900}, {10700, 11900}},  // MDU-1
    {{10700, 11900}, {10700, 11900}},  // MDU-2
    {{10700, 11900}, {10700, 11900}},  // MDU-3
    {{10700, 11900}, {10700, 11900}},  // MDU-4
    {{11700, 12900}, {11700, 12900}},  // KU(10750)
    {{3000, 12900}, {3000, 12900}},    // User
    {{3000, 4200}, {3000, 4200}},      // anything else
}};

}  // namespace

int LnbTypeIndex(std::u16string_view lnb) {
    const auto found = std::find(kLnbTypes.begin(), kLnbTypes.end(), lnb);
    return found == kLnbTypes.end() ? -1 : static_cast<int>(found - kLnbTypes.begin());
}

FrequencyBounds FrequencyRange(int lnbType, bool horizontal) {
    const bool known = lnbType >= 0 && lnbType < static_cast<int>(kLnbTypes.size());
    const RangeRow& row = kRanges[known ? static_cast<std::size_t>(lnbType) : kRanges.size() - 1];
    return horizontal ? row.horizontal : row.vertical;
}

int QamNumber(std::u16string_view modulation) {
    for (std::size_t k = 1; k < kCableModulations.size(); ++k) {
        if (modulation == kCableModulations[k]) {
            return static_cast<int>(k) + 1;
        }
    }
    return 1;
}

std::vector<long long> TransponderCheckTable::ValuesOf(const Lookup& lookup) const {
    std::vector<long long> values;
    for (const CheckField& field : CheckFieldsOf(m_kind)) {
        values.push_back(field.value(lookup(field.attribute)));
    }
    return values;
}

void TransponderCheckTable::Add(const Lookup& lookup, long long key) {
    m_records.push_back({ValuesOf(lookup), key});
}

bool TransponderCheckTable::IsDuplicateTransponder(std::span<const long long> candidate,
                                                   long long key) const {
    const std::span<const CheckField> fields = CheckFieldsOf(m_kind);
    if (candidate.size() != fields.size()) {
        return false;
    }
    for (const Record& record : m_records) {
        const bool empty =
            record.key == 0 && std::all_of(record.values.begin(), record.values.end(),
                                           [](long long v) { return v == 0; });
        if (empty || record.key == key) {
            continue;
        }
        bool matches = true;
        for (std::size_t k = 0; k < fields.size() && matches; ++k) {
            matches = IsClose(fields[k].closeness, candidate[k], record.values[k]);
        }
        if (matches) {
            return true;
        }
    }
    return false;
}

}  // namespace vesko
