#include "pages/services/service_edit_dlg.h"

#include "database/schema.h"
#include "pages/services/service_page.h"
#include "pages/services/transponder_texts.h"

namespace vesko {

std::u16string_view CServiceEditDlg::Title() const {
    if (m_page != nullptr && m_page->Kind() == ServiceKind::Radio)
        return u"Radio Service information";
    return u"TV Service information";
}

void CServiceEditDlg::Open() {
    if (m_page == nullptr)
        return;
    m_row = m_page->GetSelectedRow();
    if (m_row == -1)
        return;
    std::u16string satKey, tpKey, block, encrypt, bskip;
    m_page->GetServiceAttributes(m_row, {{u"name", &m_name},
                                         {u"sat_key", &satKey},
                                         {u"tp_key", &tpKey},
                                         {u"block", &block},
                                         {u"encrypt", &encrypt},
                                         {u"bskip", &bskip}});
    m_storedName = m_name;
    ReadLocation(satKey, tpKey);
    m_free = encrypt == u"NULL" ? kYes : kNo;
    m_lock = block == u"1" ? kYes : kNo;
    m_skip = bskip == u"1" ? kYes : kNo;
}

// The satellite's name and the transponder's text; a satellite service whose
// satellite or transponder is missing keeps showing the raw keys.
void CServiceEditDlg::ReadLocation(const std::u16string& satKey, const std::u16string& tpKey) {
    if (satKey == kTerrestrialSatKey) {
        m_transponder = TerrestrialTransponderText(tpKey);
        m_satellite = u"Terrestrial";
    } else if (satKey == kCableSatKey) {
        m_transponder = CableTransponderText(tpKey);
        m_satellite = u"Cable";
    } else if (const SatelliteTransponder found = FindSatelliteTransponder(satKey, tpKey);
               found.found) {
        m_satellite = found.satelliteName;
        m_transponder = found.text;
    } else {
        m_satellite = satKey;
        m_transponder = tpKey;
    }
}

bool CServiceEditDlg::Ok() {
    // A stored name longer than the edit allows is shown whole and, left alone, written
    // back whole: the user may change Lock or Skip of such a service. Only a name the
    // user changed has to keep to the limit.
    if (m_name != m_storedName && m_name.size() > static_cast<size_t>(kNameLimit)) {
        m_platform->ShowMessage(kMessageCaption, kNameTooLong, MessageButtons::Ok);
        return false;
    }
    if (m_page == nullptr)
        return true;
    m_page->SetServiceAttributes(m_row, {{u"name", m_name},
                                         {u"block", m_lock == kYes ? u"1" : u"0"},
                                         {u"bskip", m_skip == kYes ? u"1" : u"0"}});
    return true;
}

}  // namespace vesko
