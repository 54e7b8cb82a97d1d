#include "app/history_form.h"

#include <array>

namespace vesko {

std::u16string HistoryText() {
    const std::u16string separator(65, u'-');
    const std::array<std::u16string, 16> lines{
        u"Vesko Editor 1.7 :",
        u"1\u3001add edit program icon ",
        u"",
        separator,
        u"Vesko Editor 1.6 :",
        u"1\u3001After edit of XML,I upload this on stb and after it doesn't shows me a channel "
        u"with russian names, they are empty ",
        u"",
        separator,
        u"Vesko Editor 1.5 :",
        u"1\u3001Adjust UI",
        u"2\u3001add support for the mouse to drag open the dbase of vesko",
        u"",
        separator,
        u"Vesko Editor 1.4 :",
        u"1\u3001Add cable and terrestrial.",
        u"2\u3001Add HOTKEY Search(Ctrl + f)\u3001Delete(Ctrl + d).",
    };
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

void CHistoryDlg::Open() {
    m_text = HistoryText();
    m_caret = 0;
    m_title = u"Vesko Editor history";
}

}  // namespace vesko
