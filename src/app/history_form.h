#pragma once
// The History box as a form: its title and the version history text.

#include <string>
#include <string_view>

#include "base/platform.h"

namespace vesko {

// The version history, newest first, lines ending in CR LF.
std::u16string HistoryText();

class CHistoryDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"History";

    // When the dialog opens: the text, the caret at its very start, the title line.
    void Open();

    const std::u16string& GetText() const { return m_text; }
    const std::u16string& GetTitle() const { return m_title; }
    int GetCaret() const { return m_caret; }

private:
    std::u16string m_text;
    std::u16string m_title;
    int m_caret = 0;
};

}  // namespace vesko
