#include "ui/sat_edit_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

using Field = CSatEditDlg::Field;

// The layout in dialog units: one row per field, in field order.
constexpr double kWidth = 148;
constexpr double kHeight = 216;
constexpr double kLabelX = 2;
constexpr double kLabelWidth = 57;
constexpr double kFieldX = 63;
constexpr double kFieldWidth = 77;
constexpr double kFieldHeight = 14;
constexpr std::array<double, 11> kRowY{3, 22, 41, 60, 77, 94, 111, 128, 145, 162, 179};
constexpr std::array<const char*, 11> kLabels{"Index",     "SAT Name", "Longitude", "LBN",
                                              "22K",       "12V",      "Power",     "diseqc1.0",
                                              "diseqc1.1", "Motor",    "UserFreq"};
constexpr double kButtonY = 199;
constexpr double kButtonWidth = 35;
constexpr double kButtonHeight = 14;

QRect Row(const DialogUnits& units, int field, double x, double width) {
    return units.Rect(x, kRowY[static_cast<std::size_t>(field)], width, kFieldHeight);
}

QPushButton* AddButton(QWidget* parent, const DialogUnits& units, double x, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(units.Rect(x, kButtonY, kButtonWidth, kButtonHeight));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

SatEditDialog::SatEditDialog(CSatEditDlg& form, QWidget* parent) : QDialog(parent), m_form(form) {
    const DialogUnits units = DialogUnits::FromFont(font());
    setWindowTitle(ToQString(CSatEditDlg::kTitle));
    setFixedSize(units.Size(kWidth, kHeight));

    for (int field = 0; field < static_cast<int>(kLabels.size()); ++field) {
        auto* label =
            new QLabel(QString::fromLatin1(kLabels[static_cast<std::size_t>(field)]), this);
        label->setGeometry(Row(units, field, kLabelX, kLabelWidth));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    const auto addEdit = [&](Field field) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(Row(units, field, kFieldX, kFieldWidth));
        return edit;
    };
    m_index = addEdit(CSatEditDlg::kIndex);
    m_name = addEdit(CSatEditDlg::kName);
    m_longitude = addEdit(CSatEditDlg::kLongitude);
    for (int k = 0; k < static_cast<int>(m_choices.size()); ++k) {
        auto* box = new QComboBox(this);
        box->setGeometry(Row(units, CSatEditDlg::kLnb + k, kFieldX, kFieldWidth));
        m_choices[static_cast<std::size_t>(k)] = box;
    }
    m_userFreq = addEdit(CSatEditDlg::kUserFreq);
    m_index->setEnabled(false);
    m_longitude->setEnabled(false);

    m_ok = AddButton(this, units, 2, tr("OK"));
    m_ok->setDefault(true);
    m_reset = AddButton(this, units, 53, tr("Reset"));
    QPushButton* cancel = AddButton(this, units, 104, tr("Cancel"));
    connect(m_ok, &QPushButton::clicked, this, &SatEditDialog::OnOk);
    connect(m_reset, &QPushButton::clicked, this, &SatEditDialog::OnReset);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ChoiceBox(CSatEditDlg::kLnb), &QComboBox::activated, this, &SatEditDialog::OnLnbPicked);

    ShowForm();
    m_name->setFocus();
    m_name->selectAll();
}

QComboBox* SatEditDialog::ChoiceBox(CSatEditDlg::Field field) const {
    const int k = field - CSatEditDlg::kLnb;
    return k >= 0 && k < static_cast<int>(m_choices.size()) ? m_choices[static_cast<std::size_t>(k)]
                                                            : nullptr;
}

void SatEditDialog::ShowChoice(CSatEditDlg::Field field) {
    QComboBox* box = ChoiceBox(field);
    const Choice& choice = *m_form.ChoiceOf(field);
    const QSignalBlocker block(box);
    box->clear();
    for (const std::u16string_view item : choice.items) {
        box->addItem(ToQString(item));
    }
    // A stored value that is no item shows as no selection.
    box->setCurrentIndex(choice.selected);
}

void SatEditDialog::ShowEnabledStates() {
    ChoiceBox(CSatEditDlg::kK22)->setEnabled(m_form.K22Enabled());
    m_userFreq->setEnabled(m_form.UserFreqEnabled());
}

void SatEditDialog::ShowForm() {
    m_index->setText(ToQString(m_form.m_satKey));
    m_name->setText(ToQString(m_form.m_name));
    m_longitude->setText(ToQString(m_form.m_longitude));
    m_userFreq->setText(ToQString(m_form.m_userFreq));
    for (int field = CSatEditDlg::kLnb; field <= CSatEditDlg::kMotor; ++field) {
        ShowChoice(static_cast<Field>(field));
    }
    ShowEnabledStates();
}

void SatEditDialog::TakeFields() {
    m_form.m_name = m_name->text().toStdU16String();
    m_form.m_userFreq = m_userFreq->text().toStdU16String();
    for (int field = CSatEditDlg::kLnb; field <= CSatEditDlg::kMotor; ++field) {
        m_form.ChoiceOf(static_cast<Field>(field))->selected =
            ChoiceBox(static_cast<Field>(field))->currentIndex();
    }
}

void SatEditDialog::OnLnbPicked(int index) {
    TakeFields();
    m_form.SelectLnb(index);
    ShowChoice(CSatEditDlg::kK22);
    ShowEnabledStates();
}

void SatEditDialog::OnOk() {
    TakeFields();
    if (m_form.Ok()) {
        accept();
        return;
    }
    m_userFreq->setFocus();
    m_userFreq->selectAll();
}

void SatEditDialog::OnReset() {
    m_form.Reset();
    ShowForm();
}

}  // namespace vesko::ui
