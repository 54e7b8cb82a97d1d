#include "app/about_form.h"

namespace vesko {

std::string_view BuildDate() {
    return __DATE__;
}

std::u16string VersionLine(std::string_view buildDate) {
    // The compiler's date already has the form "May  9 2012": the month's short name,
    // the day right-aligned in two characters, the year.
    std::u16string line = u"Vesko Editor 1.7 (vesko team) release time ";
    line.append(buildDate.begin(), buildDate.end());
    return line;
}

void CAboutDlg::Open(const LinkRect& linkRect, std::string_view buildDate) {
    m_versionLine = VersionLine(buildDate);
    m_linkRect = linkRect;
}

bool CAboutDlg::OnLeftButtonDown(int x, int y, unsigned flags) {
    // Shift, Ctrl or a second button held with the left one is not a plain click.
    if (flags != kMouseLeft || !m_linkRect.ContainsStrictly(x, y)) {
        return false;
    }
    m_platform.OpenUrl(kSiteAddress);
    return true;
}

}  // namespace vesko
