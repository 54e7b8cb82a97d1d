#include "ui/sort_services_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

// Two choices in a box of their own, one above the other.
QGroupBox* ChoiceBox(const QString& title, QRadioButton* first, QRadioButton* second,
                     QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* group = new QButtonGroup(box);
    group->addButton(first);
    group->addButton(second);
    return box;
}

}  // namespace

SortServicesDialog::SortServicesDialog(CSortServicesDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CSortServicesDlg::kCaption));
    auto* layout = new QVBoxLayout(this);

    m_field = new QComboBox(this);
    for (const std::u16string_view text : CSortServicesDlg::kFieldTexts)
        m_field->addItem(ToQString(text));
    m_field->setCurrentIndex(form.m_field);
    auto* fieldRow = new QFormLayout;
    fieldRow->addRow(tr("Sort &by"), m_field);
    layout->addLayout(fieldRow);

    m_ascending = new QRadioButton(tr("&Ascending"), this);
    m_descending = new QRadioButton(tr("&Descending"), this);
    (form.m_descending ? m_descending : m_ascending)->setChecked(true);
    layout->addWidget(ChoiceBox(tr("Order"), m_ascending, m_descending, this));

    m_selected = new QRadioButton(
        tr("&Selected rows (%1), among the places they hold").arg(form.m_selectedCount), this);
    m_whole = new QRadioButton(tr("&Whole list (%1)").arg(form.m_serviceCount), this);
    m_selected->setEnabled(form.CanSortSelection());
    (form.m_selectedOnly && form.CanSortSelection() ? m_selected : m_whole)->setChecked(true);
    layout->addWidget(ChoiceBox(tr("Rows"), m_selected, m_whole, this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("Sort"));
    m_ok->setDefault(true);
    layout->addWidget(buttons);
    connect(m_ok, &QPushButton::clicked, this, &SortServicesDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_field->setFocus();
}

void SortServicesDialog::OnOk() {
    m_form.m_field = m_field->currentIndex();
    m_form.m_descending = m_descending->isChecked();
    m_form.m_selectedOnly = m_selected->isChecked();
    if (m_form.Ok())
        accept();
}

}  // namespace vesko::ui
