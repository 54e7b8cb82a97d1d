#include "ui/restore_backup_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

RestoreBackupDialog::RestoreBackupDialog(CRestoreBackupDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CRestoreBackupDlg::kCaption));
    const DialogUnits units = DialogUnits::FromFont(font());
    resize(units.Size(260, 150));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(ToQString(m_form.m_heading), this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_list = new QListWidget(this);
    for (const std::u16string& entry : m_form.m_entries) {
        m_list->addItem(ToQString(entry));
    }
    m_list->setCurrentRow(m_form.m_selected);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Restore"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_form.m_selected = row; });
    m_list->setFocus();
}

}  // namespace vesko::ui
