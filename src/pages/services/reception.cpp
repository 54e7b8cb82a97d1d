#include "pages/services/reception.h"

#include "database/schema.h"
#include "database/working_copy.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// A whole stored text as a signed decimal number; nothing for anything else.
std::optional<long long> WholeNumber(std::u16string_view text) {
    size_t k = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative || (!text.empty() && text[0] == u'+'))
        k = 1;
    if (k == text.size() || text.size() - k > 15)
        return std::nullopt;
    long long value = 0;
    for (; k < text.size(); ++k) {
        if (text[k] < u'0' || text[k] > u'9')
            return std::nullopt;
        value = value * 10 + (text[k] - u'0');
    }
    return negative ? -value : value;
}

constexpr long long kKhzFrom = 100000;

}  // namespace

std::optional<long long> FrequencyKhz(std::u16string_view text) {
    const std::optional<long long> value = WholeNumber(text);
    if (!value || *value < 0)
        return std::nullopt;
    return *value < kKhzFrom ? *value * 1000 : *value;
}

std::u16string PositionText(const Reception& reception) {
    switch (reception.kind) {
        case ReceptionKind::Terrestrial:
            return u"terrestrial";
        case ReceptionKind::Cable:
            return u"cable";
        case ReceptionKind::Unknown:
            return u"no satellite";
        case ReceptionKind::Satellite:
            break;
    }
    const int tenths = reception.position < 0 ? -reception.position : reception.position;
    return DecimalText(tenths / 10) + u"." + DecimalText(tenths % 10) +
           (reception.position < 0 ? u"W" : u"E");
}

void ReceptionTable::ReadTransponders(CXmlDoc& doc, Place& place) {
    static constexpr std::u16string_view kNames[] = {u"tp_key", u"frequency", u"polarization"};
    static const AttributeNames kRead(kNames);
    std::u16string_view values[3];
    std::u16string decoded[3];
    ForEachChild(doc, u"transponder", [&](int record) {
        ReadAttributeViews(doc, record, kRead, values, decoded);
        Transponder tp;
        tp.frequencyKhz = FrequencyKhz(values[1]);
        if (place.kind == ReceptionKind::Satellite && !values[2].empty())
            tp.polarization = values[2][0];
        place.transponders.try_emplace(std::u16string(values[0]), tp);
        return true;
    });
}

// The editor uses the first `sat` of the terrestrial and cable files only.
void ReceptionTable::ReadFirstSat(CXmlDoc& doc, Place& place) {
    doc.ResetPosition();
    ForEachChild(doc, u"sat", [&](int) {
        ReadTransponders(doc, place);
        return false;
    });
    doc.ResetPosition();
}

ReceptionTable::ReceptionTable(CXmlDoc& sat, CXmlDoc& terrestrial, CXmlDoc& cable) {
    sat.ResetPosition();
    ForEachChild(sat, u"sat", [&](int record) {
        const StartTagAttributes attributes(sat, record);
        const auto [entry, added] = m_satellites.try_emplace(attributes.Get(u"sat_key"));
        if (added) {
            Place& place = entry->second;
            const std::optional<long long> longitude = WholeNumber(attributes.Get(u"longitude"));
            if (longitude && *longitude >= -1800 && *longitude <= 1800) {
                place.kind = ReceptionKind::Satellite;
                place.position = static_cast<int>(*longitude);
            }
            ReadTransponders(sat, place);
        }
        return true;
    });
    sat.ResetPosition();
    m_terrestrial.kind = ReceptionKind::Terrestrial;
    m_cable.kind = ReceptionKind::Cable;
    ReadFirstSat(terrestrial, m_terrestrial);
    ReadFirstSat(cable, m_cable);
}

ReceptionTable ReceptionTable::FromWorkingCopies() {
    CXmlDoc sat;
    CXmlDoc terrestrial;
    CXmlDoc cable;
    LoadWorkingCopy(sat, kSatWork);
    LoadWorkingCopy(terrestrial, kSatTerWork);
    LoadWorkingCopy(cable, kSatCableWork);
    return ReceptionTable(sat, terrestrial, cable);
}

Reception ReceptionTable::Find(std::u16string_view satKey, std::u16string_view tpKey) const {
    const Place* place = nullptr;
    if (satKey == kTerrestrialSatKey) {
        place = &m_terrestrial;
    } else if (satKey == kCableSatKey) {
        place = &m_cable;
    } else if (const auto found = m_satellites.find(satKey); found != m_satellites.end()) {
        place = &found->second;
    }
    Reception reception;
    if (!place || place->kind == ReceptionKind::Unknown)
        return reception;
    reception.kind = place->kind;
    reception.position = place->position;
    if (const auto tp = place->transponders.find(tpKey); tp != place->transponders.end()) {
        reception.frequencyKhz = tp->second.frequencyKhz;
        reception.polarization = tp->second.polarization;
    }
    return reception;
}

}  // namespace vesko
