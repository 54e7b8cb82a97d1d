#include "ui/check_report_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

CheckReportDialog::CheckReportDialog(CCheckReportDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CCheckReportDlg::kCaption));
    const DialogUnits units = DialogUnits::FromFont(font());
    resize(units.Size(420, 220));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ToQString(m_form.Summary()), this));
    m_findings = new QTreeWidget(this);
    m_findings->setRootIsDecorated(false);
    m_findings->setColumnCount(2);
    m_findings->setHeaderLabels({tr("Where"), tr("What")});
    for (const CheckFinding& finding : m_form.Report().findings) {
        auto* item = new QTreeWidgetItem(
            m_findings, {ToQString(finding.where),
                         ToQString(finding.what) +
                             (finding.fixable ? tr(" (removed by the fix)") : QString())});
        item->setToolTip(1, item->text(1));
    }
    m_findings->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(m_findings);
    auto* buttons = new QDialogButtonBox(this);
    m_fix = buttons->addButton(ToQString(m_form.FixText()), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    m_fix->setEnabled(m_form.CanFix());
    // Enter fixes only when there is something to fix (the fix can be undone).
    (m_form.CanFix() ? m_fix : close)->setDefault(true);
    layout->addWidget(buttons);
    connect(m_fix, &QPushButton::clicked, this, [this] {
        if (m_form.Ok()) {
            accept();
        }
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_findings->setFocus();
}

}  // namespace vesko::ui
