#pragma once
// Where a service is received, as numbers: the kind of reception, the satellite's
// orbital position, the transponder's frequency and polarization. Sorting by satellite
// orders by them, and matching the services of two databases relies on them: unlike
// the keys, they survive a rescan of the receiver.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vesko {

class CXmlDoc;

enum class ReceptionKind { Unknown, Satellite, Terrestrial, Cable };

struct Reception {
    // Unknown: the service's satellite is not in sat.xml (or has no usable longitude).
    ReceptionKind kind = ReceptionKind::Unknown;
    int position = 0;  // satellites: tenths of a degree, east positive
    // The transponder's frequency in kHz; nothing when the transponder is not found.
    std::optional<long long> frequencyKhz;
    char16_t polarization = 0;  // satellites: 'H' or 'V' as stored (first character)
};

// A stored frequency in kHz: the database keeps MHz (11778, 474), some receivers kHz
// (474000); a value below 100,000 is taken as MHz. Nothing for a text that is no number.
std::optional<long long> FrequencyKhz(std::u16string_view text);

// "19.2E", "7.5W", "terrestrial", "cable", "no satellite".
std::u16string PositionText(const Reception& reception);

// The reception of every transponder of one database, read once.
class ReceptionTable {
public:
    // From sat.xml, sat_t.xml and sat_c.xml of a database (an absent optional file is an
    // empty document).
    ReceptionTable(CXmlDoc& sat, CXmlDoc& terrestrial, CXmlDoc& cable);
    // From the working copies of the open database.
    static ReceptionTable FromWorkingCopies();

    // Where a service with these keys is received. "65" is terrestrial and "66" cable
    // whatever sat.xml holds; the first satellite and the first transponder of a key
    // win, as every lookup of the editor finds them.
    Reception Find(std::u16string_view satKey, std::u16string_view tpKey) const;

private:
    // Looked up by views of the keys a document holds, without making strings of them.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::u16string_view key) const {
            return std::hash<std::u16string_view>{}(key);
        }
    };
    template <class Value>
    using KeyMap = std::unordered_map<std::u16string, Value, KeyHash, std::equal_to<>>;

    struct Transponder {
        std::optional<long long> frequencyKhz;
        char16_t polarization = 0;
    };
    struct Place {
        ReceptionKind kind = ReceptionKind::Unknown;
        int position = 0;
        KeyMap<Transponder> transponders;  // by tp_key
    };

    static void ReadTransponders(CXmlDoc& doc, Place& place);
    static void ReadFirstSat(CXmlDoc& doc, Place& place);

    KeyMap<Place> m_satellites;  // by sat_key
    Place m_terrestrial;
    Place m_cable;
};

}  // namespace vesko
