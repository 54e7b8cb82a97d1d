#pragma once
// CSatEditDlg: the form of the "Edit Satellite" dialog. It edits one satellite's name
// and the dish settings of the tuner the Satellite page shows; the key and the
// longitude are shown only. OK writes every field with one load and one save.

#include <string>
#include <string_view>

#include "base/platform.h"
#include "pages/satellites/choice_lists.h"

namespace vesko {

class CSatellitePage;

class CSatEditDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kTitle = u"Edit Satellite";
    static constexpr int kMaxUserFreq = 99999;
    // The fields, in dialog order.
    enum Field {
        kIndex,
        kName,
        kLongitude,
        kLnb,
        kK22,
        kV12,
        kPower,
        kDiseqc10,
        kDiseqc11,
        kMotor,
        kUserFreq
    };

    explicit CSatEditDlg(Platform& platform) : m_platform(&platform) {}

    // Reads the selected satellite of m_page for the page's tuner (nothing when no row
    // is selected: the fields stay as they are).
    void Open();
    // Discards what the user changed: reads the satellite again.
    void Reset() { Open(); }
    // The user picked an LNB type: the 22K list follows (AUTO alone for the universal
    // types), and UserFreq is for the "User" type only.
    void SelectLnb(int index);
    // Writes the fields. False, after telling the user, when UserFreq is not an integer
    // from 0 to 99999 (m_invalidField says which field to focus): nothing is written.
    bool Ok();

    bool K22Enabled() const { return m_k22.items.size() > 1; }
    bool UserFreqEnabled() const;
    // The choice shown in a field (null for the text fields).
    Choice* ChoiceOf(Field field);

    CSatellitePage* m_page = nullptr;  // set by the main window before the dialog runs
    int m_row = -1;
    std::u16string m_satKey;
    std::u16string m_name;
    std::u16string m_longitude;  // as shown: "19.2E"
    std::u16string m_userFreq;   // as typed
    Choice m_lnb{kLnbTypes};
    Choice m_k22{kOffOn};
    Choice m_v12{kOffOn};
    Choice m_power{kPowers};
    Choice m_diseqc10{kDiseqc10Ports};
    Choice m_diseqc11{kDiseqc11Ports};
    Choice m_motor{kMotors};
    Field m_invalidField = kName;

private:
    void Follow22KList(bool universal);

    Platform* m_platform;
};

}  // namespace vesko
