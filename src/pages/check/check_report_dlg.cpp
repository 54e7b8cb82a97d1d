#include "pages/check/check_report_dlg.h"

namespace vesko {

namespace {

std::u16string Count(int n, std::u16string_view one, std::u16string_view many) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end()) + u" " +
           std::u16string(n == 1 ? one : many);
}

}  // namespace

std::u16string CCheckReportDlg::Summary() const {
    const int total = static_cast<int>(m_report.findings.size());
    std::u16string text = Count(total, u"finding", u"findings");
    if (const int fixable = m_report.FixableCount(); fixable > 0) {
        text += u"; " + Count(fixable, u"dangling favourite entry", u"dangling favourite entries") +
                u" can be removed safely";
    }
    text += u".";
    return text;
}

std::u16string CCheckReportDlg::FixText() const {
    const int fixable = m_report.FixableCount();
    return fixable > 0 ? u"Remove " + Count(fixable, u"dangling entry", u"dangling entries")
                       : u"Nothing to fix";
}

}  // namespace vesko
