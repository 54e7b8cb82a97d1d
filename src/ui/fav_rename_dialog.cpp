#include "ui/fav_rename_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

struct UnitRect {
    double x, y, w, h;
};

struct RenameLayout {
    double width, height;
    UnitRect label, name, ok, reset, cancel;
};

constexpr RenameLayout kTvLayout{170,
                                 62,
                                 {14, 12, 58, 14},
                                 {77, 12, 80, 14},
                                 {14, 35, 38, 14},
                                 {67, 35, 38, 14},
                                 {120, 35, 38, 14}};
constexpr RenameLayout kRadioLayout{168,
                                    63,
                                    {15, 13, 58, 14},
                                    {78, 13, 80, 14},
                                    {14, 35, 38, 14},
                                    {67, 35, 38, 14},
                                    {120, 35, 38, 14}};

// Typing stops at the limit, while a longer name (as stored) is shown whole and may
// still be shortened: a text is taken when it is within the limit or no longer than
// the last text taken.
class LengthLimit : public QValidator {
public:
    LengthLimit(QLineEdit* edit, int limit) : QValidator(edit), m_limit(limit) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_taken = static_cast<int>(text.size()); });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= std::max(m_limit, m_taken) ? Acceptable : Invalid;
    }

private:
    int m_limit;
    int m_taken = 0;
};

}  // namespace

FavRenameDialog::FavRenameDialog(CFavRenameDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    const RenameLayout& layout = form.IsTvVariant() ? kTvLayout : kRadioLayout;
    const DialogUnits units = DialogUnits::FromFont(font());
    const auto place = [&](QWidget* widget, const UnitRect& r) {
        widget->setGeometry(units.Rect(r.x, r.y, r.w, r.h));
    };
    setWindowTitle(ToQString(CFavRenameDlg::kTitle));
    setFixedSize(units.Size(layout.width, layout.height));

    auto* label = new QLabel(tr("FAV Name"), this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(label, layout.label);
    m_name = new QLineEdit(this);
    place(m_name, layout.name);
    if (form.NameLimit() > 0)
        m_name->setValidator(new LengthLimit(m_name, form.NameLimit()));
    m_ok = new QPushButton(tr("OK"), this);
    m_reset = new QPushButton(tr("Reset"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    place(m_ok, layout.ok);
    place(m_reset, layout.reset);
    place(cancel, layout.cancel);
    m_reset->setAutoDefault(false);
    cancel->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &FavRenameDialog::OnOk);
    connect(m_reset, &QPushButton::clicked, this, &FavRenameDialog::OnReset);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowName();
    m_name->setFocus();
}

void FavRenameDialog::ShowName() {
    m_name->setText(ToQString(m_form.m_name));
    m_name->selectAll();
}

void FavRenameDialog::OnOk() {
    m_form.m_name = m_name->text().toStdU16String();
    // The form refuses (and says why) a changed name over the limit; the dialog stays.
    if (m_form.Ok())
        accept();
}

void FavRenameDialog::OnReset() {
    m_form.Reset();
    ShowName();
    m_name->setFocus();
}

}  // namespace vesko::ui
