#pragma once
// "Database check": the findings in a two-column list (where, what), a summary above,
// and a button that removes what can be removed safely (the dialog's OK).

#include <QDialog>

#include "pages/check/check_report_dlg.h"

class QPushButton;
class QTreeWidget;

namespace vesko::ui {

class CheckReportDialog : public QDialog {
    Q_OBJECT
public:
    CheckReportDialog(CCheckReportDlg& form, QWidget* parent = nullptr);

    QTreeWidget* Findings() const { return m_findings; }
    QPushButton* FixButton() const { return m_fix; }

private:
    CCheckReportDlg& m_form;
    QTreeWidget* m_findings;
    QPushButton* m_fix;
};

}  // namespace vesko::ui
