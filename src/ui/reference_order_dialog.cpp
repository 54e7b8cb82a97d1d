#include "ui/reference_order_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

ReferenceOrderDialog::ReferenceOrderDialog(CReferenceOrderDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CReferenceOrderDlg::kCaption));
    const DialogUnits units = DialogUnits::FromFont(font());
    resize(units.Size(440, 260));
    auto* layout = new QVBoxLayout(this);

    auto* summary = new QLabel(ToQString(form.Summary()), this);
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);

    m_details = new QTreeWidget(this);
    m_details->setRootIsDecorated(false);
    m_details->setColumnCount(3);
    m_details->setHeaderLabels({tr("Which"), tr("Service"), tr("Where")});
    for (const CReferenceOrderDlg::Detail& detail : form.Details()) {
        auto* item = new QTreeWidgetItem(
            m_details, {ToQString(detail.what), ToQString(detail.name), ToQString(detail.place)});
        item->setToolTip(1, item->text(1));
    }
    m_details->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_details->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_details->setVisible(!form.Details().empty());
    layout->addWidget(m_details, 1);

    m_copyLockAndSkip =
        new QCheckBox(tr("Copy &lock and skip of the matched services from the reference"), this);
    m_copyLockAndSkip->setChecked(form.m_copyLockAndSkip);
    layout->addWidget(m_copyLockAndSkip);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("Apply"));
    m_ok->setDefault(true);
    layout->addWidget(buttons);
    connect(m_ok, &QPushButton::clicked, this, &ReferenceOrderDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The one choice the dialog asks for; Enter still applies.
    m_copyLockAndSkip->setFocus();
}

void ReferenceOrderDialog::OnOk() {
    m_form.m_copyLockAndSkip = m_copyLockAndSkip->isChecked();
    if (m_form.Ok())
        accept();
}

}  // namespace vesko::ui
