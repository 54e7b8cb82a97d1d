#pragma once
// CServiceEditDlg: the form of the "TV Service information" and "Radio Service
// information" dialogs. It shows one service's name, its free/lock/skip state and
// where it is received, and writes back only `name`, `block` and `bskip`, all through
// the page's attribute access.

#include <array>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace vesko {

class CServicePage;

class CServiceEditDlg : public CDialogForm {
public:
    // Items of the three drop-down lists.
    static constexpr int kYes = 0;
    static constexpr int kNo = 1;
    static constexpr std::array<std::u16string_view, 2> kChoices{u"YES", u"NO"};
    // Length limits of the edits (typing stops there; a longer stored text is shown whole).
    static constexpr int kNameLimit = 40;
    static constexpr int kTransponderLimit = 100;
    static constexpr int kSatelliteLimit = 50;
    static constexpr std::u16string_view kNameTooLong = u"Please enter no more than 40 characters.";

    explicit CServiceEditDlg(Platform& platform) : m_platform(&platform) {}

    // "TV Service information" or "Radio Service information", after the page.
    std::u16string_view Title() const;

    // Reads the selected service of m_page into the fields (nothing when no row is
    // selected: the fields stay as they are).
    void Open();
    // Discards what the user changed: reads the service again.
    void Reset() { Open(); }
    // Writes name, block and bskip. False, after telling the user, when the name was
    // changed and is longer than the edit allows: the dialog then stays open and nothing
    // is written. A stored name left as it was is kept whole, however long.
    bool Ok();

    // Which controls take input: the Free list and the two texts are display only.
    static constexpr bool kFreeEnabled = false;
    static constexpr bool kLocationEditable = false;

    CServicePage* m_page = nullptr;  // set by the main window before the dialog runs
    int m_row = -1;                  // the service being edited (its row and position)
    std::u16string m_name;
    std::u16string m_transponder;
    std::u16string m_satellite;
    int m_free = kNo;  // selections of the three lists (-1: none)
    int m_lock = kNo;
    int m_skip = kNo;

private:
    void ReadLocation(const std::u16string& satKey, const std::u16string& tpKey);

    Platform* m_platform;         // for the too-long message
    std::u16string m_storedName;  // the name as read by Open
};

}  // namespace vesko
