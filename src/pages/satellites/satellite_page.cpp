#include "pages/satellites/satellite_page.h"

#include <array>
#include <string>

#include "base/platform.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/satellites/decimal_value.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

std::vector<ListColumn> SatelliteColumns() {
    return {{u"Index", 60},     {u"SAT Name", 100}, {u"Longitude", 80}, {u"LBN ", 140},
            {u"22K", 60},       {u"12V", 40},       {u"Power", 60},     {u"diseqc1.0", 80},
            {u"diseqc1.1", 80}, {u"Moter", 60},     {u"UserFreq", 80},  {u"Sat Key", 60}};
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"Service Name", 120}};
}

}  // namespace

CSatellitePage::CSatellitePage()
    : m_satelliteList(SatelliteColumns()), m_serviceList(ServiceColumns()) {
    // A click is a release over the list: the clicked satellite becomes the current one.
    m_satelliteList.SetAfterReleaseHandler([this] {
        m_satelliteList.m_dropped = false;
        TakeSelectedSatellite();
    });
}

// The satellites, and the services beside them.
std::vector<std::string_view> CSatellitePage::WorkingCopiesRead() const {
    return {kSatWork, kTvProgWork, kRadioProgWork};
}

// After an open no satellite is current yet: the services of the last folder go.
void CSatellitePage::Reload() {
    FillSatelliteList(m_tunerIndex);
    m_shownServices.Clear();
}

int CSatellitePage::ReadTunerCount() const {
    CXmlDoc doc;
    doc.SetDoc(nullptr);
    LoadWorkingCopy(doc, kSatWork);
    if (!doc.FindElement(u"satellites")) {
        return 0;
    }
    return ParseDecimal(doc.GetAttribute(u"tuner_num"));
}

std::u16string CSatellitePage::TunerButtonText() const {
    return u"Tuner (" + DecimalText(m_tunerIndex + 1) + u")";
}

std::u16string CSatellitePage::FormatLongitude(std::u16string_view longitude) {
    // Tenths of a degree as a long, so that the most negative int has a magnitude too.
    const long long value = ParseDecimal(longitude);
    const long long magnitude = value < 0 ? -value : value;
    return DecimalText(magnitude / 10) + u"." + DecimalText(magnitude % 10) +
           (value < 0 ? u"W" : u"E");
}

void CSatellitePage::FillSatelliteList(int tunerIndex) {
    if (tunerIndex < 0) {
        return;
    }
    // The attributes of one row, read in one walk of each start tag.
    std::array<std::u16string, 11> nameStore;
    std::array<std::u16string_view, 11> names;
    nameStore[0] = u"name";
    nameStore[1] = u"longitude";
    for (std::size_t k = 0; k < kTunerSettings.size(); ++k) {
        nameStore[2 + k] = TunerAttribute(kTunerSettings[k], tunerIndex);
    }
    nameStore[10] = u"sat_key";
    for (std::size_t k = 0; k < names.size(); ++k) {
        names[k] = nameStore[k];
    }
    const AttributeNames attributeNames(names);
    std::array<std::u16string, 11> values;

    m_satelliteList.BeginUpdate();
    m_satelliteList.DeleteAllItems();
    CXmlDoc doc;
    LoadWorkingCopy(doc, kSatWork);
    int row = 0;
    for (const int record : RootChildren(doc, u"sat")) {
        ReadAttributes(doc, record, attributeNames, values);
        m_satelliteList.InsertItem(row, DecimalText(row + 1));
        m_satelliteList.SetItemText(row, kSatColName, values[0]);
        m_satelliteList.SetItemText(row, kSatColLongitude, FormatLongitude(values[1]));
        for (int k = 0; k < 8; ++k) {
            m_satelliteList.SetItemText(row, kSatColFirstSetting + k, values[2 + k]);
        }
        m_satelliteList.SetItemText(row, kSatColKey, values[10]);
        ++row;
    }
    m_satelliteList.EndUpdate();
}

void CSatellitePage::FillServiceList(std::u16string_view satKey, int kind) {
    m_shownServices.Fill(kind, satKey, std::nullopt);
}

void CSatellitePage::GetSatelliteAttribute(int row, std::u16string_view name,
                                           std::u16string& value) const {
    GetSatelliteAttributes(row, {{std::u16string(name), &value}});
}

void CSatellitePage::SetSatelliteAttribute(int row, std::u16string_view name,
                                           std::u16string_view value) {
    SetSatelliteAttributes(row, {{std::u16string(name), std::u16string(value)}});
}

void CSatellitePage::GetSatelliteAttributes(int row, const AttributeReads& reads) const {
    if (row < 0) {
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, kSatWork);
    if (EnterSatellite(doc, row)) {
        ReadHere(doc, reads);
    }
}

// Saved also when the row has no satellite: the file then keeps its bytes.
void CSatellitePage::SetSatelliteAttributes(int row, const AttributeWrites& writes) {
    if (row < 0) {
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, kSatWork);
    if (EnterSatellite(doc, row)) {
        WriteHere(doc, writes);
    }
    SaveWorkingCopy(doc, kSatWork);
}

void CSatellitePage::CycleTuner(Platform& platform) {
    const int tuners = ReadTunerCount();
    if (tuners <= 0) {
        platform.ShowMessage(kTunerZeroCaption, kTunerZeroMessage, MessageButtons::Ok);
        return;
    }
    m_tunerIndex = (m_tunerIndex + 1) % tuners;
    FillSatelliteList(m_tunerIndex);
}

void CSatellitePage::ToggleServiceKind() {
    m_selectedRow = GetSelectedRow();
    m_serviceKind = (m_serviceKind + 1) % 2;
    RefreshServiceList();
}

void CSatellitePage::TakeSelectedSatellite() {
    m_selectedRow = GetSelectedRow();
    RefreshServiceList();
}

// A row without a satellite (none selected, or a stale list) shows the services
// without a satellite key, as its key reads empty.
void CSatellitePage::RefreshServiceList() {
    std::u16string key;
    GetSatelliteAttribute(m_selectedRow, u"sat_key", key);
    FillServiceList(key, m_serviceKind);
}

// Whether the service list shows a satellite's services at all is a choice too: after
// an open it is empty until the user picks a satellite.
std::vector<int> CSatellitePage::SaveChoices() const {
    return {m_tunerIndex, m_serviceKind, m_selectedRow, m_shownServices.IsShown() ? 1 : 0};
}

void CSatellitePage::RestoreChoices(const std::vector<int>& choices) {
    if (choices.size() != 4) {
        return;
    }
    m_tunerIndex = choices[0];
    m_serviceKind = choices[1];
    m_selectedRow = choices[2];
    FillSatelliteList(m_tunerIndex);
    if (choices[3] != 0) {
        RefreshServiceList();
    } else {
        m_shownServices.Clear();
    }
}

}  // namespace vesko
