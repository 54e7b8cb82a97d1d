#pragma once
// Where a TV service is received, as the Icon page names and labels it: the satellite
// line and transponder line under its picture, and the orbital position, frequency and
// polarization that go into its icon file name.

#include <string>
#include <string_view>
#include <unordered_map>

namespace vesko {

struct TransponderDescription {
    std::u16string satelliteLine;
    std::u16string transponderLine;
    std::u16string position;  // tenths of a degree, as `longitude`
    std::u16string frequency;
    std::u16string polarization;
};

// Orbital positions the receiver gives to the reserved satellite keys.
inline constexpr std::u16string_view kTerrestrialPosition = u"3700";
inline constexpr std::u16string_view kCablePosition = u"3900";

// The descriptions of every transponder of the three transponder working copies, each
// file read once: a page of services, or ten thousand of them, is then described
// without walking a file per service.
class TransponderDescriptions {
public:
    // Reads temp_sat.xml, temp_sat_t.xml and temp_sat_c.xml.
    static TransponderDescriptions Load();

    // A service's description from its sat_key and tp_key. "65" is terrestrial and
    // "66" cable (the first `sat` of their files), whatever temp_sat.xml holds under
    // those keys; any other key is the first satellite with that key and its first
    // transponder with that tp_key. What is not found is empty.
    TransponderDescription DescribeTransponder(std::u16string_view satKey,
                                               std::u16string_view tpKey) const;

private:
    struct Satellite {
        std::u16string name;
        std::u16string longitude;
        std::unordered_map<std::u16string, TransponderDescription> transponders;  // by tp_key
    };
    std::unordered_map<std::u16string, Satellite> m_satellites;  // by sat_key
    Satellite m_terrestrial;
    Satellite m_cable;
};

}  // namespace vesko
