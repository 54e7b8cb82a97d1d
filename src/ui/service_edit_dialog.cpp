#include "ui/service_edit_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/services/service_page.h"
#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

struct UnitRect {
    double x, y, w, h;
};

// The two layouts, in dialog units. A drop-down list's height is that of its open list;
// closed, it is as high as an edit.
struct EditLayout {
    double width, height;
    double labelX, labelWidth;
    UnitRect name, free, lock, skip, transponder, satellite, ok, reset, cancel;
};

constexpr EditLayout kTvLayout{141,
                               167,
                               6,
                               52,
                               {61, 5, 77, 12},
                               {61, 29, 77, 88},
                               {61, 54, 77, 30},
                               {61, 79, 77, 30},
                               {61, 102, 77, 12},
                               {61, 127, 77, 12},
                               {4, 146, 35, 14},
                               {52, 146, 35, 14},
                               {100, 146, 35, 14}};
constexpr EditLayout kRadioLayout{139,
                                  171,
                                  7,
                                  49,
                                  {59, 4, 75, 15},
                                  {59, 31, 75, 88},
                                  {59, 55, 75, 30},
                                  {59, 79, 75, 30},
                                  {59, 103, 75, 15},
                                  {59, 130, 75, 15},
                                  {6, 153, 35, 14},
                                  {54, 153, 35, 14},
                                  {102, 153, 35, 14}};
constexpr double kClosedListHeight = 12;

QRect Place(const DialogUnits& units, const UnitRect& r) {
    return units.Rect(r.x, r.y, r.w, r.h);
}

void AddLabel(QWidget* parent, const DialogUnits& units, const EditLayout& layout,
              const UnitRect& control, const QString& text) {
    auto* label = new QLabel(text, parent);
    const double height = std::min(control.h, kClosedListHeight);
    label->setGeometry(units.Rect(layout.labelX, control.y, layout.labelWidth, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QLineEdit* AddEdit(QWidget* parent, const DialogUnits& units, const UnitRect& r) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(Place(units, r));
    return edit;
}

QComboBox* AddYesNoList(QWidget* parent, const DialogUnits& units, const UnitRect& r) {
    auto* list = new QComboBox(parent);
    for (std::u16string_view choice : CServiceEditDlg::kChoices)
        list->addItem(ToQString(choice));
    list->setGeometry(units.Rect(r.x, r.y, r.w, kClosedListHeight));
    return list;
}

QPushButton* AddButton(QWidget* parent, const DialogUnits& units, const UnitRect& r,
                       const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(Place(units, r));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ServiceEditDialog::ServiceEditDialog(CServiceEditDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    const bool radio = form.m_page != nullptr && form.m_page->Kind() == ServiceKind::Radio;
    const EditLayout& layout = radio ? kRadioLayout : kTvLayout;
    const DialogUnits units = DialogUnits::FromFont(font());
    setWindowTitle(ToQString(form.Title()));
    setFixedSize(units.Size(layout.width, layout.height));

    AddLabel(this, units, layout, layout.name, tr("Channel Name"));
    AddLabel(this, units, layout, layout.free, tr("Channel Free"));
    AddLabel(this, units, layout, layout.lock, tr("Channel Lock"));
    AddLabel(this, units, layout, layout.skip, tr("Channel Skip"));
    AddLabel(this, units, layout, layout.transponder, tr("Transponder"));
    AddLabel(this, units, layout, layout.satellite, tr("Satellite"));
    m_name = AddEdit(this, units, layout.name);
    m_free = AddYesNoList(this, units, layout.free);
    m_lock = AddYesNoList(this, units, layout.lock);
    m_skip = AddYesNoList(this, units, layout.skip);
    m_transponder = AddEdit(this, units, layout.transponder);
    m_satellite = AddEdit(this, units, layout.satellite);
    m_free->setEnabled(CServiceEditDlg::kFreeEnabled);
    m_transponder->setEnabled(CServiceEditDlg::kLocationEditable);
    m_satellite->setEnabled(CServiceEditDlg::kLocationEditable);

    m_ok = AddButton(this, units, layout.ok, tr("OK"));
    m_ok->setDefault(true);
    m_reset = AddButton(this, units, layout.reset, tr("Reset"));
    QPushButton* cancel = AddButton(this, units, layout.cancel, tr("Cancel"));
    connect(m_ok, &QPushButton::clicked, this, &ServiceEditDialog::OnOk);
    connect(m_reset, &QPushButton::clicked, this, &ServiceEditDialog::OnReset);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_name, &QLineEdit::textEdited, this, &ServiceEditDialog::LimitTyping);

    ShowForm();
    m_name->setFocus();
}

// The edits take no length limit of their own: a stored text longer than the limit is
// shown whole instead of being cut. Typing stops at the limit (LimitTyping).
void ServiceEditDialog::ShowForm() {
    m_name->setText(QString::fromStdU16String(m_form.m_name));
    m_acceptedName = m_name->text();
    m_transponder->setText(QString::fromStdU16String(m_form.m_transponder));
    m_satellite->setText(QString::fromStdU16String(m_form.m_satellite));
    m_free->setCurrentIndex(m_form.m_free);
    m_lock->setCurrentIndex(m_form.m_lock);
    m_skip->setCurrentIndex(m_form.m_skip);
}

void ServiceEditDialog::TakeFields() {
    m_form.m_name = m_name->text().toStdU16String();
    m_form.m_free = m_free->currentIndex();
    m_form.m_lock = m_lock->currentIndex();
    m_form.m_skip = m_skip->currentIndex();
}

// A keystroke that would take the name beyond the limit is not taken; a name that is
// already longer (as stored) may still be shortened.
void ServiceEditDialog::LimitTyping(const QString& text) {
    if (text.size() > CServiceEditDlg::kNameLimit && text.size() > m_acceptedName.size()) {
        const int cursor =
            m_name->cursorPosition() - static_cast<int>(text.size() - m_acceptedName.size());
        m_name->setText(m_acceptedName);
        m_name->setCursorPosition(std::max(0, cursor));
        return;
    }
    m_acceptedName = text;
}

void ServiceEditDialog::OnOk() {
    TakeFields();
    // The form refuses (and says why) when the name is too long; the dialog stays.
    if (m_form.Ok())
        accept();
}

void ServiceEditDialog::OnReset() {
    m_form.Reset();
    ShowForm();
}

}  // namespace vesko::ui
