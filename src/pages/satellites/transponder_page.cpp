#include "pages/satellites/transponder_page.h"

#include <algorithm>
#include <array>

#include "base/commands.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/satellites/choice_lists.h"
#include "pages/satellites/decimal_value.h"
#include "pages/satellites/satellite_page.h"
#include "pages/transponder_text.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::array<TransponderColumn, 7> kSatelliteColumns{{{u"Number", 80, u""},
                                                              {u"Freq", 80, u"frequency"},
                                                              {u"H/V", 60, u"polarization"},
                                                              {u"Sym", 120, u"symbol_rate"},
                                                              {u"FEC", 60, u"fec"},
                                                              {u"Mode", 80, u"modulation_mode"},
                                                              {u"Tp key", 60, u"tp_key"}}};
constexpr std::array<TransponderColumn, 5> kTerrestrialColumns{{{u"Index", 80, u""},
                                                                {u"Freq", 80, u"frequency"},
                                                                {u"Bandwidth", 80, u"band"},
                                                                {u"Channel No", 120, u"channel_no"},
                                                                {u"Tp key", 60, u"tp_key"}}};
constexpr std::array<TransponderColumn, 5> kCableColumns{{{u"Index", 80, u""},
                                                          {u"Freq", 80, u"frequency"},
                                                          {u"Sym", 120, u"symbol_rate"},
                                                          {u"Modulation", 120, u"modulation_mode"},
                                                          {u"Tp key", 60, u"tp_key"}}};

constexpr std::array<std::u16string_view, 9> kSatelliteAttributes{
    u"tp_key",      u"sat_key", u"transport_stream_id", u"original_network_id", u"frequency",
    u"symbol_rate", u"fec",     u"modulation_mode",     u"polarization"};
constexpr std::array<std::u16string_view, 5> kTerrestrialAttributes{
    u"tp_key", u"sat_key", u"frequency", u"band", u"channel_no"};
constexpr std::array<std::u16string_view, 5> kCableAttributes{u"tp_key", u"sat_key", u"frequency",
                                                              u"symbol_rate", u"modulation_mode"};

const TransponderPageTraits kSatelliteTraits{TransponderKind::Satellite,
                                             kSatWork,
                                             u"",
                                             true,
                                             true,
                                             kSatelliteColumns,
                                             kSatelliteAttributes,
                                             kCmdSatTpEdit,
                                             kCmdSatTpDelete,
                                             kCmdSatTpAdd,
                                             kCmdSatTpSearch};
const TransponderPageTraits kTerrestrialTraits{TransponderKind::Terrestrial,
                                               kSatTerWork,
                                               kTerrestrialSatKey,
                                               false,
                                               false,
                                               kTerrestrialColumns,
                                               kTerrestrialAttributes,
                                               kCmdTerTpEdit,
                                               kCmdTerTpDelete,
                                               kCmdTerTpAdd,
                                               kCmdTerTpSearch};
const TransponderPageTraits kCableTraits{TransponderKind::Cable,
                                         kSatCableWork,
                                         kCableSatKey,
                                         false,
                                         false,
                                         kCableColumns,
                                         kCableAttributes,
                                         kCmdCableTpEdit,
                                         kCmdCableTpDelete,
                                         kCmdCableTpAdd,
                                         kCmdCableTpSearch};

const TransponderPageTraits& TraitsOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Terrestrial:
            return kTerrestrialTraits;
        case TransponderKind::Cable:
            return kCableTraits;
        default:
            return kSatelliteTraits;
    }
}

std::vector<ListColumn> ListColumns(const TransponderPageTraits& traits) {
    std::vector<ListColumn> columns;
    for (const TransponderColumn& column : traits.columns) {
        columns.push_back({std::u16string(column.header), column.width});
    }
    return columns;
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"Service Name", 120}};
}

// The satellite Mode column shows the DVB generation of the two modulations it knows.
std::u16string_view Shown(const TransponderColumn& column, std::u16string_view value) {
    if (column.header == u"Mode") {
        for (std::size_t k = 0; k < kSatModulations.size(); ++k) {
            if (value == kSatModulations[k]) {
                return kSatModes[k];
            }
        }
    }
    return value;
}

}  // namespace

CTransponderPage::CTransponderPage(TransponderKind kind)
    : m_traits(TraitsOf(kind)),
      m_transponderList(ListColumns(m_traits)),
      m_serviceList(ServiceColumns()) {
    m_transponderList.SetAfterReleaseHandler([this] { AfterListEvent(); });
}

PageTab CTransponderPage::Tab() const {
    switch (m_traits.kind) {
        case TransponderKind::Terrestrial:
            return PageTab::TerTp;
        case TransponderKind::Cable:
            return PageTab::CableTp;
        default:
            return PageTab::SatTp;
    }
}

// The transponders, and the services beside them.
std::vector<std::string_view> CTransponderPage::WorkingCopiesRead() const {
    return {m_traits.work, kSatWork, kTvProgWork, kRadioProgWork};
}

void CTransponderPage::Reload() {
    if (m_traits.hasSatelliteChoice) {
        FillSatelliteChoice();
        if (m_satIndex >= static_cast<int>(m_satelliteChoice.size())) {
            m_satIndex = 0;
        }
    }
    FillTransponderList(CurrentSatIndex());
    m_shownServices.Clear();
}

void CTransponderPage::FillSatelliteChoice() {
    m_satelliteChoice.clear();
    if (!m_traits.hasSatelliteChoice) {
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    int number = 0;
    for (const int record : RootChildren(doc, u"sat")) {
        m_satelliteChoice.push_back(
            DecimalText(++number) + u" : " + AttributeOf(doc, record, u"name") + u"(" +
            CSatellitePage::FormatLongitude(AttributeOf(doc, record, u"longitude")) + u")");
    }
}

void CTransponderPage::FillTransponderList(int satIndex) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    FillTransponderRows(doc, satIndex);
}

void CTransponderPage::FillTransponderRows(CXmlDoc& doc, int satIndex) {
    std::vector<std::u16string_view> names;
    for (const TransponderColumn& column : m_traits.columns) {
        names.push_back(column.attribute);
    }
    const AttributeNames attributeNames(names);
    std::vector<std::u16string> values(names.size());

    m_transponderList.BeginUpdate();
    m_transponderList.DeleteAllItems();
    int satRecord = 0;
    const std::vector<int> records = TransponderRecords(doc, satIndex, &satRecord);
    m_listSatKey = m_traits.fixedSatKey.empty() && satRecord != 0
                       ? AttributeOf(doc, satRecord, u"sat_key")
                       : std::u16string(m_traits.fixedSatKey);
    int row = 0;
    for (const int record : records) {
        ReadAttributes(doc, record, attributeNames, values);
        m_transponderList.InsertItem(row, DecimalText(row + 1));
        for (std::size_t k = 1; k < names.size(); ++k) {
            m_transponderList.SetItemText(row, static_cast<int>(k),
                                          Shown(m_traits.columns[k], values[k]));
        }
        ++row;
    }
    m_transponderList.EndUpdate();
}

// Every column but the Mode of satellite transponders shows its attribute as stored.
std::u16string CTransponderPage::ServiceTransponderText(int row) const {
    if (row < 0 || row >= m_transponderList.GetItemCount()) {
        return {};
    }
    const TransponderTextFormat& format =
        m_traits.kind == TransponderKind::Terrestrial ? kTerrestrialTextFormat
        : m_traits.kind == TransponderKind::Cable     ? kCableTextFormat
                                                      : kSatelliteTextFormat;
    return TransponderText(format, [this, row](std::u16string_view attribute) {
        for (std::size_t k = 0; k < m_traits.columns.size(); ++k) {
            if (m_traits.columns[k].attribute == attribute) {
                return m_transponderList.GetItemText(row, static_cast<int>(k));
            }
        }
        return m_transponderList.GetItemText(-1, 0);
    });
}

void CTransponderPage::FillServiceList(std::u16string_view satKey, std::u16string_view tpKey,
                                       int kind) {
    m_shownServices.Fill(kind, satKey, tpKey);
}

void CTransponderPage::RefreshServiceList() {
    if (m_selectedRow >= 0 && m_selectedRow < m_transponderList.GetItemCount()) {
        const int keyColumn = m_transponderList.GetColumnCount() - 1;
        FillServiceList(m_listSatKey, m_transponderList.GetItemText(m_selectedRow, keyColumn),
                        m_serviceKind);
        return;
    }
    std::u16string tpKey;
    GetTransponderAttribute(m_selectedRow, u"tp_key", tpKey);
    FillServiceList(CurrentSatelliteKey(), tpKey, m_serviceKind);
}

void CTransponderPage::RenumberRows() {
    m_transponderList.BeginUpdate();
    for (int row = 0; row < m_transponderList.GetItemCount(); ++row) {
        const std::u16string number = DecimalText(row + 1);
        if (m_transponderList.GetItemText(row, 0) != number) {
            m_transponderList.SetItemText(row, 0, number);
        }
    }
    m_transponderList.EndUpdate();
}

void CTransponderPage::GetSatelliteKey(int satIndex, std::u16string& key) const {
    if (satIndex < 0) {
        return;
    }
    if (!m_traits.fixedSatKey.empty()) {
        key = m_traits.fixedSatKey;
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    if (EnterSatellite(doc, satIndex)) {
        key = doc.GetAttribute(u"sat_key");
    }
}

std::u16string CTransponderPage::CurrentSatelliteKey() const {
    std::u16string key;
    GetSatelliteKey(CurrentSatIndex(), key);
    return key;
}

std::u16string CTransponderPage::GetSatelliteAttribute(int satIndex,
                                                       std::u16string_view name) const {
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    return EnterSatellite(doc, satIndex) ? doc.GetAttribute(name) : std::u16string();
}

void CTransponderPage::GetTransponderAttribute(int row, std::u16string_view name,
                                               std::u16string& value) const {
    GetTransponderAttributes(row, {{std::u16string(name), &value}});
}

void CTransponderPage::SetTransponderAttribute(int row, std::u16string_view name,
                                               std::u16string_view value) {
    SetTransponderAttributes(row, {{std::u16string(name), std::u16string(value)}});
}

void CTransponderPage::GetTransponderAttributes(int row, const AttributeReads& reads) const {
    if (row < 0) {
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    if (EnterTransponder(doc, CurrentSatIndex(), row)) {
        ReadHere(doc, reads);
    }
}

// Saved also when the transponder is missing: the file then keeps its bytes.
void CTransponderPage::SetTransponderAttributes(int row, const AttributeWrites& writes) {
    if (row < 0) {
        return;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    if (EnterTransponder(doc, CurrentSatIndex(), row)) {
        WriteHere(doc, writes);
    }
    SaveWorkingCopy(doc, m_traits.work);
}

int CTransponderPage::CountTransponders(int satIndex) const {
    if (satIndex < 0) {
        return -1;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    return static_cast<int>(TransponderRecords(doc, satIndex).size());
}

int CTransponderPage::MaxTransponderKey(std::u16string& text) {
    int highest = 0;
    for (const char* work : {kSatTerWork, kSatCableWork, kSatWork}) {
        CXmlDoc doc;
        LoadWorkingCopy(doc, work);
        highest = std::max(highest, HighestTransponderKey(doc));
    }
    text = DecimalText(highest);
    return highest;
}

void CTransponderPage::AddTransponder(int satIndex, const AttributeWrites& values) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_traits.work);
    AddTransponder(doc, satIndex, values);
}

void CTransponderPage::AddTransponder(CXmlDoc& doc, int satIndex, const AttributeWrites& values) {
    if (satIndex < 0 || !EnterSatellite(doc, satIndex)) {
        return;
    }
    const std::u16string satKey = m_traits.fixedSatKey.empty()
                                      ? doc.GetAttribute(u"sat_key")
                                      : std::u16string(m_traits.fixedSatKey);
    AttributeWrites attributes;
    for (const std::u16string_view name : m_traits.newAttributes) {
        std::u16string value = u"0";
        if (name == u"sat_key") {
            value = satKey;
        }
        for (const auto& [given, text] : values) {
            if (given == name) {
                value = text;
            }
        }
        attributes.emplace_back(name, std::move(value));
    }
    doc.AddChildElement(u"transponder");
    doc.IntoElement();
    WriteHere(doc, attributes);
    SaveWorkingCopy(doc, m_traits.work);
    FillTransponderRows(doc, satIndex);
    m_transponderList.SelectAndShow(m_transponderList.GetItemCount() - 1);
}

void CTransponderPage::SelectSatellite(int satIndex) {
    m_satIndex = satIndex;
    FillTransponderList(m_satIndex);
    RefreshServiceList();
}

void CTransponderPage::ToggleServiceKind() {
    m_serviceKind = (m_serviceKind + 1) % 2;
    RefreshServiceList();
}

void CTransponderPage::TakeSelectedTransponder() {
    m_selectedRow = GetSelectedRow();
    RefreshServiceList();
}

// Whether the service list shows a transponder's services at all is a choice too:
// after an open it is empty until the user picks a transponder.
std::vector<int> CTransponderPage::SaveChoices() const {
    return {m_satIndex, m_serviceKind, m_selectedRow, m_shownServices.IsShown() ? 1 : 0};
}

void CTransponderPage::RestoreChoices(const std::vector<int>& choices) {
    if (choices.size() != 4) {
        return;
    }
    m_satIndex = choices[0];
    m_serviceKind = choices[1];
    m_selectedRow = choices[2];
    FillTransponderList(CurrentSatIndex());
    if (choices[3] != 0) {
        RefreshServiceList();
    } else {
        m_shownServices.Clear();
    }
}

}  // namespace vesko
