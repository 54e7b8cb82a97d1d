#include "pages/satellites/sat_edit_dlg.h"

#include <array>
#include <utility>

#include "database/schema.h"
#include "pages/satellites/decimal_value.h"
#include "pages/satellites/satellite_page.h"
#include "xml/decimal_text.h"

namespace vesko {

namespace {

bool IsUniversal(std::u16string_view lnb) {
    return lnb == kLnbTypes[0] || lnb == kLnbTypes[1];
}

}  // namespace

Choice* CSatEditDlg::ChoiceOf(Field field) {
    switch (field) {
        case kLnb:
            return &m_lnb;
        case kK22:
            return &m_k22;
        case kV12:
            return &m_v12;
        case kPower:
            return &m_power;
        case kDiseqc10:
            return &m_diseqc10;
        case kDiseqc11:
            return &m_diseqc11;
        case kMotor:
            return &m_motor;
        default:
            return nullptr;
    }
}

bool CSatEditDlg::UserFreqEnabled() const {
    return m_lnb.Picked() && m_lnb.selected == kUserLnbType;
}

void CSatEditDlg::Follow22KList(bool universal) {
    m_k22.items = universal ? ChoiceItems(kK22Universal) : ChoiceItems(kOffOn);
}

void CSatEditDlg::Open() {
    if (m_page == nullptr) {
        return;
    }
    m_row = m_page->GetSelectedRow();
    if (m_row < 0) {
        return;
    }
    const int tuner = m_page->m_tunerIndex;
    std::u16string longitude, userFreq;
    std::array<std::u16string, 8> settings;  // in kTunerSettings order
    AttributeReads reads{{u"sat_key", &m_satKey}, {u"name", &m_name}, {u"longitude", &longitude}};
    for (std::size_t k = 0; k < kTunerSettings.size(); ++k) {
        reads.emplace_back(TunerAttribute(kTunerSettings[k], tuner), &settings[k]);
    }
    m_page->GetSatelliteAttributes(m_row, reads);
    const auto& [lnb, k22, v12, power, diseqc10, diseqc11, motor, freq] = settings;

    m_longitude = CSatellitePage::FormatLongitude(longitude);
    m_userFreq = DecimalText(ParseDecimal(freq));
    m_lnb.Show(lnb);
    // The 22K list follows the stored type itself, compared exactly.
    Follow22KList(IsUniversal(lnb));
    m_k22.Show(k22);
    if (IsUniversal(lnb)) {
        m_k22.selected = 0;
    }
    m_v12.Show(v12);
    m_diseqc10.Show(diseqc10);
    m_diseqc11.Show(diseqc11);
    m_power.Show(power);
    m_motor.Show(motor);
}

void CSatEditDlg::SelectLnb(int index) {
    m_lnb.selected = index;
    Follow22KList(index == 0 || index == 1);
    m_k22.selected = 0;  // AUTO, or OFF
}

bool CSatEditDlg::Ok() {
    // Checked also while the field is disabled: its value is written in any case.
    const std::optional<int> userFreq = ParseInteger(m_userFreq);
    if (!userFreq || *userFreq < 0 || *userFreq > kMaxUserFreq) {
        m_invalidField = kUserFreq;
        m_platform->ShowMessage(kMessageCaption, kEnterIntegerUpTo99999, MessageButtons::Ok);
        return false;
    }
    if (m_page == nullptr) {
        return true;
    }
    const int tuner = m_page->m_tunerIndex;
    const auto suffixed = [tuner](std::u16string_view setting) {
        return TunerAttribute(setting, tuner);
    };
    AttributeWrites writes{{u"name", m_name}, {suffixed(u"UserFreq"), DecimalText(*userFreq)}};
    // A choice the user left on a stored value that is no item keeps that value.
    const std::pair<std::u16string_view, const Choice*> choices[] = {{u"lnb", &m_lnb},
                                                                     {u"k22", &m_k22},
                                                                     {u"v12", &m_v12},
                                                                     {u"diseqc1.0", &m_diseqc10},
                                                                     {u"diseqc1.1", &m_diseqc11},
                                                                     {u"power", &m_power},
                                                                     {u"motor", &m_motor}};
    for (const auto& [setting, choice] : choices) {
        if (choice->Picked()) {
            writes.emplace_back(suffixed(setting), std::u16string(choice->Text()));
        }
    }
    m_page->SetSatelliteAttributes(m_page->GetSelectedRow(), writes);
    return true;
}

}  // namespace vesko
