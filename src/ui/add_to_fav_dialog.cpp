#include "ui/add_to_fav_dialog.h"

#include <QCheckBox>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

// Top-left corners of the boxes, in group order (eight rows of four), in dialog units.
struct BoxPlace {
    double x, y;
};
constexpr std::array<BoxPlace, CAddToFavDlg::kBoxCount> kBoxPlaces{{
    {6, 7},   {59, 7},   {110, 7},   {162, 7},   {6, 23},  {59, 23},  {110, 23},  {162, 23},
    {6, 39},  {59, 40},  {110, 40},  {162, 40},  {6, 55},  {59, 55},  {110, 55},  {162, 55},
    {6, 71},  {59, 72},  {110, 72},  {162, 72},  {6, 87},  {59, 89},  {110, 89},  {162, 89},
    {6, 103}, {59, 105}, {110, 105}, {162, 105}, {6, 119}, {59, 122}, {110, 122}, {162, 122},
}};
constexpr double kBoxWidth = 39;
constexpr double kBoxHeight = 10;

}  // namespace

AddToFavDialog::AddToFavDialog(CAddToFavDlg& form, QWidget* parent)
    : QDialog(parent), m_form(form) {
    const DialogUnits units = DialogUnits::FromFont(font());
    setWindowTitle(ToQString(CAddToFavDlg::kTitle));
    setFixedSize(units.Size(207, 160));
    for (int group = 0; group < CAddToFavDlg::kBoxCount; ++group) {
        const size_t k = static_cast<size_t>(group);
        const QString name = ToQString(form.m_captions[k]);
        // A name is shown as it is: an ampersand in it is no shortcut mark.
        auto* box =
            new QCheckBox(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")), this);
        box->setGeometry(units.Rect(kBoxPlaces[k].x, kBoxPlaces[k].y, kBoxWidth, kBoxHeight));
        box->setToolTip(name);  // a long name does not fit the box
        // A group the file does not have is not offered.
        box->setVisible(form.m_offered[k]);
        m_boxes[k] = box;
    }
    m_ok = new QPushButton(tr("OK"), this);
    m_reset = new QPushButton(tr("Reset"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    m_ok->setGeometry(units.Rect(13, 141, 39, 14));
    m_reset->setGeometry(units.Rect(79, 141, 39, 14));
    cancel->setGeometry(units.Rect(149, 141, 39, 14));
    m_reset->setAutoDefault(false);
    cancel->setAutoDefault(false);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &AddToFavDialog::OnOk);
    connect(m_reset, &QPushButton::clicked, this, &AddToFavDialog::OnReset);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowChecks();
    if (form.m_offered[0])
        m_boxes[0]->setFocus();
}

void AddToFavDialog::ShowChecks() {
    for (size_t k = 0; k < m_boxes.size(); ++k)
        m_boxes[k]->setChecked(m_form.m_checks[k] != 0);
}

void AddToFavDialog::OnOk() {
    for (size_t k = 0; k < m_boxes.size(); ++k)
        m_form.m_checks[k] = m_boxes[k]->isChecked() && m_form.m_offered[k] ? 1 : 0;
    if (m_form.Ok())
        accept();
}

void AddToFavDialog::OnReset() {
    m_form.Reset();
    ShowChecks();
}

}  // namespace vesko::ui
