#include "pages/services/transponder_texts.h"

#include <unordered_set>

#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/transponder_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Each reads the current transponder's start tag once.
std::u16string TextOf(const StartTagAttributes& tp, const TransponderTextFormat& format) {
    return TransponderText(format, [&tp](std::u16string_view name) { return tp.Get(name); });
}

std::u16string SatelliteText(const StartTagAttributes& tp) {
    return TextOf(tp, kSatelliteTextFormat);
}

std::u16string TerrestrialText(const StartTagAttributes& tp) {
    return TextOf(tp, kTerrestrialTextFormat);
}

std::u16string CableText(const StartTagAttributes& tp) {
    return TextOf(tp, kCableTextFormat);
}

std::u16string SatelliteMapKey(std::u16string_view satKey, std::u16string_view tpKey) {
    std::u16string key(satKey);
    key += u'\x1F';
    key += tpKey;
    return key;
}

// Which satellites a walk visits: all of them, or only the one with a given key.
struct SatFilter {
    bool all = true;
    std::u16string_view satKey;
};
constexpr SatFilter kAllSatellites{};
SatFilter OnlySatellite(std::u16string_view satKey) {
    return {false, satKey};
}

// Visits the transponders of the first `sat` carrying each sat_key (of the filtered one
// only): a lookup always stops at the first satellite with a key, so later satellites
// with the same key are never seen.
template <class Visit>
void ForEachReachableTransponder(CXmlDoc& doc, SatFilter filter, Visit&& visit) {
    std::unordered_set<std::u16string> seen;
    doc.ResetPosition();
    ForEachChild(doc, u"sat", [&](int) {
        std::u16string satKey = doc.GetAttribute(u"sat_key");
        if (!filter.all && satKey != filter.satKey)
            return true;
        if (!seen.insert(satKey).second)
            return true;
        const std::u16string satName = doc.GetAttribute(u"name");
        ForEachChild(doc, u"transponder", [&](int) { return visit(satKey, satName); });
        return filter.all;
    });
}

std::unordered_map<std::u16string, std::u16string> ReadReservedFile(
    const char* file, std::u16string_view satKey,
    std::u16string (*format)(const StartTagAttributes&)) {
    std::unordered_map<std::u16string, std::u16string> texts;
    CXmlDoc doc;
    LoadWorkingCopy(doc, file);
    ForEachReachableTransponder(doc, OnlySatellite(satKey),
                                [&](const std::u16string&, const std::u16string&) {
                                    const StartTagAttributes tp(doc);
                                    texts.try_emplace(tp.Get(u"tp_key"), format(tp));
                                    return true;
                                });
    return texts;
}

std::u16string FindReservedText(const char* file, std::u16string_view satKey,
                                std::u16string_view tpKey,
                                std::u16string (*format)(const StartTagAttributes&)) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, file);
    std::u16string text;
    ForEachReachableTransponder(doc, OnlySatellite(satKey),
                                [&](const std::u16string&, const std::u16string&) {
                                    const StartTagAttributes tp(doc);
                                    if (tp.Get(u"tp_key") != tpKey)
                                        return true;
                                    text = format(tp);
                                    return false;
                                });
    return text;
}

}  // namespace

TransponderTexts TransponderTexts::Load() {
    TransponderTexts texts;
    CXmlDoc sat;
    LoadWorkingCopy(sat, kSatWork);
    ForEachReachableTransponder(
        sat, kAllSatellites, [&](const std::u16string& satKey, const std::u16string&) {
            const StartTagAttributes tp(sat);
            texts.m_satellite.try_emplace(SatelliteMapKey(satKey, tp.Get(u"tp_key")),
                                          SatelliteText(tp));
            return true;
        });
    texts.m_terrestrial = ReadReservedFile(kSatTerWork, kTerrestrialSatKey, TerrestrialText);
    texts.m_cable = ReadReservedFile(kSatCableWork, kCableSatKey, CableText);
    return texts;
}

const std::u16string& TransponderTexts::Text(std::u16string_view satKey,
                                             std::u16string_view tpKey) {
    static const std::u16string kNone;
    auto lookup = [&](const std::unordered_map<std::u16string, std::u16string>& map,
                      const std::u16string& key) -> const std::u16string& {
        const auto it = map.find(key);
        return it == map.end() ? kNone : it->second;
    };
    if (satKey == kTerrestrialSatKey)
        return lookup(m_terrestrial, std::u16string(tpKey));
    if (satKey == kCableSatKey)
        return lookup(m_cable, std::u16string(tpKey));
    // Two satellites may carry transponders with the same tp_key: the satellite is part
    // of what is remembered.
    if (m_haveLast && m_lastTpKey == tpKey && m_lastSatKey == satKey)
        return m_lastText;
    m_lastText = lookup(m_satellite, SatelliteMapKey(satKey, tpKey));
    m_lastSatKey = satKey;
    m_lastTpKey = tpKey;
    m_haveLast = true;
    return m_lastText;
}

SatelliteTransponder FindSatelliteTransponder(std::u16string_view satKey,
                                              std::u16string_view tpKey) {
    SatelliteTransponder result;
    CXmlDoc sat;
    LoadWorkingCopy(sat, kSatWork);
    ForEachReachableTransponder(sat, OnlySatellite(satKey),
                                [&](const std::u16string&, const std::u16string& satName) {
                                    const StartTagAttributes tp(sat);
                                    if (tp.Get(u"tp_key") != tpKey)
                                        return true;
                                    result = {true, satName, SatelliteText(tp)};
                                    return false;
                                });
    return result;
}

std::u16string TerrestrialTransponderText(std::u16string_view tpKey) {
    return FindReservedText(kSatTerWork, kTerrestrialSatKey, tpKey, TerrestrialText);
}

std::u16string CableTransponderText(std::u16string_view tpKey) {
    return FindReservedText(kSatCableWork, kCableSatKey, tpKey, CableText);
}

}  // namespace vesko
