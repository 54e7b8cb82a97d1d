#pragma once
// Where a service is received, as the text shown in the Transponder column and the
// edit dialog: "frequency/symbol_rate/polarization" for a satellite transponder,
// "frequency/band/CHchannel_no" for a terrestrial one (sat_key "65") and
// "frequency/symbol_rate/modulation_mode" for a cable one (sat_key "66").

#include <string>
#include <string_view>
#include <unordered_map>

namespace vesko {

// The transponder texts of all three transponder files, read in one pass each, for a
// command that shows many services.
class TransponderTexts {
public:
    // Reads temp_sat.xml, temp_sat_t.xml and temp_sat_c.xml.
    static TransponderTexts Load();

    // The text for a service's keys, "" when the transponder is not found. It remembers
    // the last satellite transponder it answered, by satellite and transponder key: the
    // next service on the same one gets the same text without a lookup. The text stays
    // valid until the next call.
    const std::u16string& Text(std::u16string_view satKey, std::u16string_view tpKey);

private:
    // Key of the satellite map: sat_key, a separator, tp_key.
    std::unordered_map<std::u16string, std::u16string> m_satellite;
    std::unordered_map<std::u16string, std::u16string> m_terrestrial;  // by tp_key
    std::unordered_map<std::u16string, std::u16string> m_cable;        // by tp_key
    std::u16string m_lastSatKey;
    std::u16string m_lastTpKey;
    std::u16string m_lastText;
    bool m_haveLast = false;
};

// A satellite service's satellite name and transponder text from temp_sat.xml.
struct SatelliteTransponder {
    bool found = false;  // both the satellite and its transponder exist
    std::u16string satelliteName;
    std::u16string text;
};
SatelliteTransponder FindSatelliteTransponder(std::u16string_view satKey,
                                              std::u16string_view tpKey);
// A terrestrial or cable transponder's text ("" when not found).
std::u16string TerrestrialTransponderText(std::u16string_view tpKey);
std::u16string CableTransponderText(std::u16string_view tpKey);

}  // namespace vesko
