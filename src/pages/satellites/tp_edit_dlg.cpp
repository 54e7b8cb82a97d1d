#include "pages/satellites/tp_edit_dlg.h"

#include <algorithm>
#include <array>

#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/satellites/decimal_value.h"
#include "pages/satellites/satellite_file.h"
#include "pages/satellites/transponder_page.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

using F = TpField;
constexpr std::array<F, 6> kSatelliteFields{F::TpKey, F::Freq, F::Polarization,
                                            F::Sym,   F::Fec,  F::Mode};
constexpr std::array<F, 6> kSatelliteWrites{F::TpKey,        F::Freq, F::Sym,
                                            F::Polarization, F::Fec,  F::Mode};
constexpr std::array<F, 4> kCableFields{F::TpKey, F::Freq, F::Sym, F::Mode};
constexpr std::array<F, 3> kCableWrites{F::Freq, F::Sym, F::Mode};
constexpr std::array<F, 4> kTerrestrialFields{F::TpKey, F::Freq, F::Band, F::ChannelNo};
constexpr std::array<F, 3> kTerrestrialWrites{F::Freq, F::Band, F::ChannelNo};

const TpDialogTraits kSatelliteDialog{TransponderKind::Satellite,
                                      u"Sat Edit TP",
                                      kSatelliteFields,
                                      kSatelliteWrites,
                                      kSatModes,
                                      kSatModulations,
                                      true,
                                      true,
                                      true,
                                      true,
                                      kInvalidInputMessage};
const TpDialogTraits kCableDialog{TransponderKind::Cable,
                                  u"Cable Edit TP",
                                  kCableFields,
                                  kCableWrites,
                                  kCableModulations,
                                  kCableModulations,
                                  false,
                                  false,
                                  false,
                                  false,
                                  kTpExistsMessage};
const TpDialogTraits kTerrestrialDialog{TransponderKind::Terrestrial,
                                        u"Ter Edit TP",
                                        kTerrestrialFields,
                                        kTerrestrialWrites,
                                        {},
                                        {},
                                        false,
                                        false,
                                        false,
                                        true,
                                        kTpExistsMessage};

const TpDialogTraits& DialogTraitsOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Cable:
            return kCableDialog;
        case TransponderKind::Terrestrial:
            return kTerrestrialDialog;
        default:
            return kSatelliteDialog;
    }
}

std::u16string_view AttributeOfField(TpField field) {
    switch (field) {
        case F::TpKey:
            return u"tp_key";
        case F::Freq:
            return u"frequency";
        case F::Polarization:
            return u"polarization";
        case F::Sym:
            return u"symbol_rate";
        case F::Fec:
            return u"fec";
        case F::Mode:
            return u"modulation_mode";
        case F::Band:
            return u"band";
        case F::ChannelNo:
            return u"channel_no";
    }
    return {};
}

// The bandwidth is stored as its number of MHz followed by these letters.
constexpr std::u16string_view kBandSuffix = u"HMZ";

}  // namespace

CTpEditDlg::CTpEditDlg(Platform& platform, CTransponderPage& page, bool addMode, int tunerIndex)
    : m_addMode(addMode ? 1 : 0),
      m_tunerIndex(tunerIndex),
      m_traits(&DialogTraitsOf(page.Kind())),
      m_platform(&platform),
      m_page(&page),
      m_checkTable(page.Kind()) {
    m_mode.items = m_traits->modes;
}

std::u16string_view CTpEditDlg::Label(TpField field) const {
    switch (field) {
        case F::TpKey:
            return u"Tp Key";
        case F::Freq:
            return u"Freq";
        case F::Polarization:
            return u"H/V";
        case F::Sym:
            return u"Sym";
        case F::Fec:
            return u"FEC";
        case F::Mode:
            return u"Mode";
        case F::Band:
            return u"Band";
        case F::ChannelNo:
            return u"Channel_no";
    }
    return {};
}

bool CTpEditDlg::IsChoice(TpField field) {
    return field == F::Polarization || field == F::Fec || field == F::Mode;
}

std::u16string& CTpEditDlg::Text(TpField field) {
    switch (field) {
        case F::TpKey:
            return m_tpKey;
        case F::Sym:
            return m_sym;
        case F::Band:
            return m_band;
        case F::ChannelNo:
            return m_channelNo;
        default:
            return m_freq;
    }
}

Choice* CTpEditDlg::ChoiceOf(TpField field) {
    switch (field) {
        case F::Polarization:
            return &m_polarization;
        case F::Fec:
            return &m_fec;
        case F::Mode:
            return &m_mode;
        default:
            return nullptr;
    }
}

void CTpEditDlg::LoadCheckTable(CXmlDoc& doc) {
    m_checkTable.Clear();
    for (const int record : TransponderRecords(doc, m_satIndex)) {
        m_checkTable.Add(
            [&](std::u16string_view attribute) { return AttributeOf(doc, record, attribute); },
            ParseDecimal(AttributeOf(doc, record, u"tp_key")));
    }
}

// One load of the page's file gives the check table, the transponder's fields or the
// LNB, and its part of the highest key.
void CTpEditDlg::Open() {
    m_satIndex = m_page->CurrentSatIndex();
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_page->Traits().work);
    LoadCheckTable(doc);
    if (!m_addMode) {
        m_row = m_page->GetSelectedRow();
        if (!EnterTransponder(doc, m_satIndex, m_row)) {
            return;
        }
        for (const TpField field : m_traits->fields) {
            const std::u16string value = doc.GetAttribute(AttributeOfField(field));
            if (!IsChoice(field)) {
                Text(field) = DecimalText(ParseDecimal(value));
            } else if (field == F::Mode && m_traits->modeMatchesExactly) {
                const auto& stored = m_traits->modesStored;
                const auto found = std::find(stored.begin(), stored.end(), value);
                m_mode.stored = value;
                if (found != stored.end()) {
                    m_mode.selected = static_cast<int>(found - stored.begin());
                }
            } else {
                ChoiceOf(field)->Show(value);
            }
        }
        return;
    }
    if (m_traits->checksRange) {
        // Before the choices get their first items: what H/V shows now decides.
        std::u16string lnb;
        if (EnterSatellite(doc, m_satIndex)) {
            lnb = doc.GetAttribute(u"lnb");
        }
        m_freq =
            DecimalText(FrequencyRange(LnbTypeIndex(lnb), m_polarization.selected == 0).lowest);
    }
    int highest = HighestTransponderKey(doc);
    for (const char* work : {kSatTerWork, kSatCableWork, kSatWork}) {
        if (std::string_view(work) != m_page->Traits().work) {
            CXmlDoc other;
            LoadWorkingCopy(other, work);
            highest = std::max(highest, HighestTransponderKey(other));
        }
    }
    m_tpKey = DecimalText(static_cast<long long>(highest) + 1);
    for (const TpField field : m_traits->fields) {
        if (Choice* choice = ChoiceOf(field)) {
            choice->selected = 0;
            choice->stored.clear();
        }
    }
}

void CTpEditDlg::Reset() {
    if (m_traits->resetReopens) {
        Open();
    }
}

bool CTpEditDlg::TakeNumbers() {
    for (const TpField field : m_traits->fields) {
        if (IsChoice(field)) {
            continue;
        }
        const std::optional<int> value = ParseInteger(Text(field));
        const bool limited = field == F::Sym && m_traits->symbolRateUpTo99999;
        if (!value || (limited && (*value < 0 || *value > 99999))) {
            m_invalidField = field;
            m_platform->ShowMessage(kMessageCaption,
                                    limited ? kEnterIntegerUpTo99999 : kEnterInteger,
                                    MessageButtons::Ok);
            return false;
        }
    }
    return true;
}

std::u16string CTpEditDlg::StoredText(TpField field) {
    switch (field) {
        case F::Polarization:
            return std::u16string(m_polarization.Text());
        case F::Fec:
            return std::u16string(m_fec.Text());
        case F::Mode:
            return m_mode.Picked()
                       ? std::u16string(
                             m_traits->modesStored[static_cast<std::size_t>(m_mode.selected)])
                       : m_mode.stored;
        default:
            break;
    }
    std::u16string text = DecimalText(ParseInteger(Text(field)).value_or(0));
    if (field == F::Band) {
        text += kBandSuffix;
    }
    return text;
}

bool CTpEditDlg::InRange(CXmlDoc& satellites, int tunerIndex) {
    std::u16string lnb;
    if (EnterSatellite(satellites, m_satIndex)) {
        lnb = satellites.GetAttribute(TunerAttribute(u"lnb", tunerIndex));
    }
    const FrequencyBounds bounds =
        FrequencyRange(LnbTypeIndex(lnb), m_polarization.Picked() && m_polarization.selected == 0);
    if (bounds.Contains(ParseInteger(m_freq).value_or(-1))) {
        return true;
    }
    m_platform->ShowMessage(kMessageCaption,
                            u"Invalid Frequency(" + DecimalText(bounds.lowest) + u"--" +
                                DecimalText(bounds.highest) + u")",
                            MessageButtons::OkCancel);
    return false;
}

bool CTpEditDlg::IsDuplicate() {
    const std::vector<long long> candidate =
        m_checkTable.ValuesOf([this](std::u16string_view attribute) {
            for (const TpField field : m_traits->fields) {
                if (AttributeOfField(field) == attribute) {
                    return StoredText(field);
                }
            }
            return std::u16string();
        });
    return m_checkTable.IsDuplicateTransponder(candidate, ParseInteger(m_tpKey).value_or(0));
}

bool CTpEditDlg::Ok() {
    m_closedAsCancelled = false;
    m_invalidField = TpField::Freq;  // where the user goes on after a refusal
    if (!TakeNumbers()) {
        return false;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, m_page->Traits().work);
    if (m_addMode) {
        const int count = static_cast<int>(TransponderRecords(doc, m_satIndex).size());
        m_page->m_tpCount = count;
        if (count >= CTransponderPage::kMaxTransponders) {
            m_platform->ShowMessage(kMessageCaption, kMaxTpMessage, MessageButtons::OkCancel);
            m_closedAsCancelled = true;
            return false;
        }
    }
    // Add checks against the first tuner's LNB, edit against the one the Satellite page
    // shows.
    if (m_traits->checksRange && !InRange(doc, m_addMode ? 0 : m_tunerIndex)) {
        return false;
    }
    if (IsDuplicate()) {
        m_platform->ShowMessage(kMessageCaption,
                                m_addMode ? kTpExistsMessage : m_traits->editDuplicateMessage,
                                MessageButtons::OkCancel);
        return false;
    }
    if (m_addMode) {
        AttributeWrites values;
        for (const TpField field : m_traits->fields) {
            values.emplace_back(AttributeOfField(field), StoredText(field));
        }
        m_page->AddTransponder(doc, m_satIndex, values);
        return true;
    }
    // A choice left on a stored value that is no item keeps that value.
    AttributeWrites writes;
    for (const TpField field : m_traits->editWrites) {
        const Choice* choice = ChoiceOf(field);
        if (choice == nullptr || choice->Picked()) {
            writes.emplace_back(AttributeOfField(field), StoredText(field));
        }
    }
    m_page->SetTransponderAttributes(m_row, writes);
    return true;
}

}  // namespace vesko
