#pragma once
// CTpEditDlg: the form of the three transponder dialogs ("Sat Edit TP", "Cable Edit TP",
// "Ter Edit TP"), in add or edit mode. One form, parameterised by a small table of what
// differs: the fields, what edit writes, the range check, what Reset does and the
// duplicate message. It refuses a transponder the satellite already has, a frequency
// the LNB cannot receive (satellites) and a 301st transponder.

#include <span>
#include <string>
#include <string_view>

#include "base/platform.h"
#include "pages/satellites/choice_lists.h"
#include "pages/satellites/transponder_rules.h"

namespace vesko {

class CTransponderPage;
class CXmlDoc;

enum class TpField { TpKey, Freq, Polarization, Sym, Fec, Mode, Band, ChannelNo };

// What differs between the three transponder dialogs.
struct TpDialogTraits {
    TransponderKind kind;
    std::u16string_view title;
    std::span<const TpField> fields;      // in dialog order
    std::span<const TpField> editWrites;  // what OK writes in edit mode, in order
    ChoiceItems modes;                    // the Mode choice's items (none for terrestrial)
    ChoiceItems modesStored;              // what the record stores for each of them
    bool modeMatchesExactly;  // a stored value selects its Mode exactly, or keeps the last
    bool checksRange;         // the LNB's frequency range (satellites)
    bool symbolRateUpTo99999;
    bool resetReopens;  // Reset reads the transponder again (cable: Reset does nothing)
    std::u16string_view editDuplicateMessage;
};

inline constexpr std::u16string_view kMaxTpMessage = u"The max Tp is 300 in one satellite";
inline constexpr std::u16string_view kTpExistsMessage = u"This Tp has already existed";
inline constexpr std::u16string_view kInvalidInputMessage = u"Invalid input!";

class CTpEditDlg : public CDialogForm {
public:
    CTpEditDlg(Platform& platform, CTransponderPage& page, bool addMode, int tunerIndex = 0);

    const TpDialogTraits& Traits() const { return *m_traits; }
    std::u16string_view Title() const { return m_traits->title; }
    std::u16string_view Label(TpField field) const;
    static bool IsChoice(TpField field);
    // The text of a number field, and the choice of a choice field (null otherwise).
    std::u16string& Text(TpField field);
    Choice* ChoiceOf(TpField field);

    // Fills the fields: the selected transponder (edit), or a new key with defaults
    // (add). Also run by Reset where the dialog reads again.
    void Open();
    void Reset();
    // Checks and writes. False when the dialog stays open (after a message; a field
    // that is not a number is named in m_invalidField) or closes as cancelled
    // (m_closedAsCancelled, at the 300 limit).
    bool Ok();

    int m_addMode = 0;     // 1 add, 0 edit
    int m_tunerIndex = 0;  // whose LNB the range check uses: the Satellite page's for edit
    int m_row = -1;        // edit: the transponder's row
    int m_satIndex = 0;
    // The number fields as typed; a new dialog shows 0 in each.
    std::u16string m_tpKey = u"0", m_freq = u"0", m_sym = u"0", m_band = u"0", m_channelNo = u"0";
    Choice m_polarization{kPolarizations};
    Choice m_fec{kFecs};
    Choice m_mode;
    TpField m_invalidField = TpField::Freq;
    bool m_closedAsCancelled = false;

private:
    bool TakeNumbers();
    // A field's value as the record stores it ("8HMZ", "QPSK", ...); a choice left on a
    // value that is no item gives that value.
    std::u16string StoredText(TpField field);
    bool InRange(CXmlDoc& satellites, int tunerIndex);
    bool IsDuplicate();
    void LoadCheckTable(CXmlDoc& doc);

    const TpDialogTraits* m_traits;
    Platform* m_platform;
    CTransponderPage* m_page;
    TransponderCheckTable m_checkTable;
};

using CSatTpEditDlg = CTpEditDlg;
using CCableTpEditDlg = CTpEditDlg;
using CTerTpEditDlg = CTpEditDlg;

}  // namespace vesko
