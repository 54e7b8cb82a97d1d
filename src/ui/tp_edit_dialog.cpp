#include "ui/tp_edit_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

struct UnitRect {
    double x, y, w, h;
};

struct FieldPlace {
    TpField field;
    UnitRect label;
    UnitRect control;
};

// The three layouts, in dialog units.
struct TpLayout {
    double width, height;
    std::array<FieldPlace, 6> places;
    int placeCount;
    double buttonY;
    std::array<double, 3> buttonX;  // OK, Reset, Cancel
    const char* unitText;           // a label after a field ("MHz"), or null
    UnitRect unitRect;
};

using F = TpField;
constexpr double kButtonWidth = 31;
constexpr double kButtonHeight = 14;

constexpr TpLayout kSatelliteLayout{146,
                                    156,
                                    {{{F::TpKey, {9, 7, 45, 12}, {65, 8, 79, 14}},
                                      {F::Freq, {9, 28, 45, 12}, {65, 30, 79, 14}},
                                      {F::Polarization, {9, 49, 45, 12}, {65, 51, 79, 14}},
                                      {F::Sym, {9, 72, 45, 12}, {65, 71, 79, 14}},
                                      {F::Fec, {9, 94, 45, 12}, {65, 95, 79, 14}},
                                      {F::Mode, {9, 115, 45, 12}, {65, 115, 79, 14}}}},
                                    6,
                                    137,
                                    {12, 62, 111},
                                    nullptr,
                                    {}};
constexpr TpLayout kCableLayout{146,
                                126,
                                {{{F::TpKey, {4, 4, 45, 12}, {58, 4, 79, 12}},
                                  {F::Freq, {4, 33, 45, 12}, {58, 33, 79, 12}},
                                  {F::Sym, {4, 62, 45, 12}, {58, 62, 79, 12}},
                                  {F::Mode, {4, 88, 45, 12}, {57, 88, 81, 12}}}},
                                4,
                                109,
                                {6, 56, 105},
                                nullptr,
                                {}};
constexpr TpLayout kTerrestrialLayout{146,
                                      126,
                                      {{{F::TpKey, {2, 3, 45, 12}, {58, 4, 79, 14}},
                                        {F::Freq, {2, 33, 45, 12}, {58, 33, 79, 14}},
                                        {F::Band, {2, 63, 45, 12}, {58, 62, 43, 14}},
                                        {F::ChannelNo, {2, 93, 45, 12}, {58, 91, 79, 14}}}},
                                      4,
                                      109,
                                      {6, 56, 105},
                                      "MHz",
                                      {104, 65, 20, 8}};

const TpLayout& LayoutOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Cable:
            return kCableLayout;
        case TransponderKind::Terrestrial:
            return kTerrestrialLayout;
        default:
            return kSatelliteLayout;
    }
}

QRect Place(const DialogUnits& units, const UnitRect& r) {
    return units.Rect(r.x, r.y, r.w, r.h);
}

}  // namespace

TpEditDialog::TpEditDialog(CTpEditDlg& form, QWidget* parent) : QDialog(parent), m_form(form) {
    const TpLayout& layout = LayoutOf(form.Traits().kind);
    const DialogUnits units = DialogUnits::FromFont(font());
    setWindowTitle(ToQString(form.Title()));
    setFixedSize(units.Size(layout.width, layout.height));

    for (int k = 0; k < layout.placeCount; ++k) {
        const FieldPlace& place = layout.places[static_cast<std::size_t>(k)];
        auto* label = new QLabel(ToQString(form.Label(place.field)), this);
        label->setGeometry(Place(units, place.label));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QWidget* widget = nullptr;
        if (CTpEditDlg::IsChoice(place.field)) {
            auto* box = new QComboBox(this);
            for (const std::u16string_view item : form.ChoiceOf(place.field)->items) {
                box->addItem(ToQString(item));
            }
            widget = box;
        } else {
            widget = new QLineEdit(this);
        }
        widget->setGeometry(Place(units, place.control));
        m_fields[place.field] = widget;
    }
    if (layout.unitText) {
        auto* unit = new QLabel(QString::fromLatin1(layout.unitText), this);
        unit->setGeometry(Place(units, layout.unitRect));
    }
    // The key is the record's identity: shown, never typed.
    m_fields[TpField::TpKey]->setEnabled(false);

    const auto addButton = [&](int k, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setGeometry(units.Rect(layout.buttonX[static_cast<std::size_t>(k)], layout.buttonY,
                                       kButtonWidth, kButtonHeight));
        button->setAutoDefault(false);
        return button;
    };
    m_ok = addButton(0, tr("OK"));
    m_ok->setDefault(true);
    m_reset = addButton(1, tr("Reset"));
    QPushButton* cancel = addButton(2, tr("Cancel"));
    connect(m_ok, &QPushButton::clicked, this, &TpEditDialog::OnOk);
    connect(m_reset, &QPushButton::clicked, this, &TpEditDialog::OnReset);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowForm();
    if (QLineEdit* freq = Edit(TpField::Freq)) {
        freq->setFocus();
        freq->selectAll();
    }
}

QWidget* TpEditDialog::FieldWidget(TpField field) const {
    const auto found = m_fields.find(field);
    return found == m_fields.end() ? nullptr : found->second;
}

QLineEdit* TpEditDialog::Edit(TpField field) const {
    return qobject_cast<QLineEdit*>(FieldWidget(field));
}

QComboBox* TpEditDialog::ChoiceBox(TpField field) const {
    return qobject_cast<QComboBox*>(FieldWidget(field));
}

void TpEditDialog::ShowForm() {
    for (const auto& [field, widget] : m_fields) {
        if (QComboBox* box = ChoiceBox(field)) {
            // A stored value that is no item shows as no selection.
            box->setCurrentIndex(m_form.ChoiceOf(field)->selected);
        } else {
            Edit(field)->setText(ToQString(m_form.Text(field)));
        }
    }
}

void TpEditDialog::TakeFields() {
    for (const auto& [field, widget] : m_fields) {
        if (QComboBox* box = ChoiceBox(field)) {
            m_form.ChoiceOf(field)->selected = box->currentIndex();
        } else {
            m_form.Text(field) = Edit(field)->text().toStdU16String();
        }
    }
}

void TpEditDialog::OnOk() {
    TakeFields();
    if (m_form.Ok()) {
        accept();
        return;
    }
    if (m_form.m_closedAsCancelled) {
        reject();
        return;
    }
    if (QWidget* field = FieldWidget(m_form.m_invalidField)) {
        field->setFocus();
        if (QLineEdit* edit = Edit(m_form.m_invalidField)) {
            edit->selectAll();
        }
    }
}

void TpEditDialog::OnReset() {
    TakeFields();
    m_form.Reset();
    ShowForm();
}

}  // namespace vesko::ui
