#pragma once
// "Database check" as a form: the findings, one line each with where and what, and
// the fix of those that can be mended safely (OK is that fix).

#include <string>
#include <string_view>

#include "base/platform.h"
#include "pages/check/database_check.h"

namespace vesko {

class CCheckReportDlg : public CDialogForm {
public:
    static constexpr std::u16string_view kCaption = u"Database check";

    explicit CCheckReportDlg(CheckReport report) : m_report(std::move(report)) {}

    const CheckReport& Report() const { return m_report; }
    // The heading over the list: how many findings, how many of them the fix mends.
    std::u16string Summary() const;
    // The fix button's text ("Remove 3 dangling entries"), and whether there is anything
    // to fix.
    std::u16string FixText() const;
    bool CanFix() const { return m_report.FixableCount() > 0; }
    // OK: fix; refused when there is nothing to fix.
    bool Ok() const { return CanFix(); }

private:
    CheckReport m_report;
};

}  // namespace vesko
