#pragma once
// CAddToFavDlg: the form of the "Add to FAV" dialog. One check box per favourite group,
// captioned with the group's name; OK puts every selected service of the TV or radio
// page into every ticked group (AddSelectedToFavourites).

#include <array>
#include <string>
#include <string_view>

#include "base/platform.h"

namespace vesko {

class CServicePage;

class CAddToFavDlg : public CDialogForm {
public:
    static constexpr int kBoxCount = 32;
    static constexpr std::u16string_view kTitle = u"Add to FAV";
    // Control ids of the boxes, in group order.
    static constexpr std::array<int, kBoxCount> kCheckIds{
        1043, 1044, 1045, 1046, 1050, 1051, 1052, 1053, 1054, 1055, 1056,
        1057, 1058, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067,
        1068, 1069, 1070, 1071, 1072, 1073, 1074, 1075, 1076, 1077};

    // Reads the group names of the favourites file of m_page's kind. A box whose group
    // the file does not have is not offered (m_offered false, empty caption).
    void Open();
    // Clears every box.
    void Reset() { m_checks.fill(0); }
    // Adds the selected services to the ticked groups. Always closes the dialog.
    bool Ok();

    int m_mode = 0;                  // 0 TV, 1 radio
    CServicePage* m_page = nullptr;  // set by the main window before the dialog runs
    std::array<int, kBoxCount> m_checks{};
    std::array<std::u16string, kBoxCount> m_captions;
    std::array<bool, kBoxCount> m_offered{};
};

// Puts every selected service of the page into every group k with checks[k] nonzero,
// where the group holds fewer than 300 services and not this one yet, with one load and
// one save of the favourites file; the rows of the services that are now in a group
// show the heart.
void AddSelectedToFavourites(CServicePage& page,
                             const std::array<int, CAddToFavDlg::kBoxCount>& checks);

}  // namespace vesko
