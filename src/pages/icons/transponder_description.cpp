#include "pages/icons/transponder_description.h"

#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/transponder_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// How a kind of transponder is described: the receiver's fixed place for the
// reserved kinds (empty for a satellite: its longitude and the transponder's own
// polarization), and the transponder line.
struct DescriptionFormat {
    std::u16string_view fixedPosition;
    const TransponderTextFormat& text;
};
constexpr DescriptionFormat kSatelliteFormat{u"", kSatelliteTextFormat};
constexpr DescriptionFormat kTerrestrialFormat{kTerrestrialPosition, kTerrestrialTextFormat};
constexpr DescriptionFormat kCableFormat{kCablePosition, kCableTextFormat};

TransponderDescription Describe(const StartTagAttributes& tp, const DescriptionFormat& format) {
    TransponderDescription d;
    d.position = format.fixedPosition;
    d.frequency = tp.Get(u"frequency");
    d.polarization = format.fixedPosition.empty() ? tp.Get(u"polarization") : u"H";
    d.transponderLine =
        TransponderText(format.text, [&tp](std::u16string_view name) { return tp.Get(name); });
    return d;
}

// The transponders of the current `sat` element; the first of a tp_key wins, as a
// lookup from the top of the satellite would find it.
template <class Satellite>
void ReadTransponders(CXmlDoc& doc, Satellite& satellite, const DescriptionFormat& format) {
    ForEachChild(doc, u"transponder", [&](int) {
        const StartTagAttributes tp(doc);
        satellite.transponders.try_emplace(tp.Get(u"tp_key"), Describe(tp, format));
        return true;
    });
}

}  // namespace

TransponderDescriptions TransponderDescriptions::Load() {
    TransponderDescriptions all;
    CXmlDoc sat;
    LoadWorkingCopy(sat, kSatWork);
    sat.ResetPosition();
    ForEachChild(sat, u"sat", [&](int) {
        const StartTagAttributes attributes(sat);
        const auto [entry, added] = all.m_satellites.try_emplace(attributes.Get(u"sat_key"));
        if (added) {  // a later satellite with the same key is never looked up
            entry->second.name = attributes.Get(u"name");
            entry->second.longitude = attributes.Get(u"longitude");
            ReadTransponders(sat, entry->second, kSatelliteFormat);
        }
        return true;
    });
    const auto readFirstSat = [](const char* file, Satellite& satellite,
                                 const DescriptionFormat& format) {
        CXmlDoc doc;
        LoadWorkingCopy(doc, file);
        doc.ResetPosition();
        ForEachChild(doc, u"sat", [&](int) {
            satellite.name = doc.GetAttribute(u"name");
            ReadTransponders(doc, satellite, format);
            return false;
        });
    };
    readFirstSat(kSatTerWork, all.m_terrestrial, kTerrestrialFormat);
    readFirstSat(kSatCableWork, all.m_cable, kCableFormat);
    return all;
}

TransponderDescription TransponderDescriptions::DescribeTransponder(
    std::u16string_view satKey, std::u16string_view tpKey) const {
    const bool reserved = satKey == kTerrestrialSatKey || satKey == kCableSatKey;
    const Satellite* satellite = nullptr;
    if (reserved) {
        satellite = satKey == kTerrestrialSatKey ? &m_terrestrial : &m_cable;
    } else if (const auto found = m_satellites.find(std::u16string(satKey));
               found != m_satellites.end()) {
        satellite = &found->second;
    }
    TransponderDescription d;
    if (reserved) {
        // The receiver places these services at fixed positions even when their
        // transponder is gone.
        d.position = satKey == kTerrestrialSatKey ? kTerrestrialPosition : kCablePosition;
        d.polarization = u"H";
    }
    if (!satellite) {
        return d;
    }
    if (const auto tp = satellite->transponders.find(std::u16string(tpKey));
        tp != satellite->transponders.end()) {
        d = tp->second;
    }
    d.satelliteLine = satellite->name;
    if (!reserved) {
        d.position = satellite->longitude;
    }
    return d;
}

}  // namespace vesko
