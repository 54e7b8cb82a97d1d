#pragma once
// "Restore backup" as a form: the backups of the open folder, newest first, one of
// them chosen (the newest to begin with); OK restores it.

#include <string>
#include <string_view>
#include <vector>

#include "base/platform.h"

namespace vesko {

class CRestoreBackupDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"Restore backup";

    std::u16string m_heading;               // which folder the backups are of
    std::vector<std::u16string> m_entries;  // "2024-05-17 18:04:31  (7 files)"
    int m_selected = 0;

    bool Ok() const { return m_selected >= 0 && m_selected < static_cast<int>(m_entries.size()); }
};

}  // namespace vesko
