#include "ui/about_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/dialog_units.h"
#include "ui/images.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

QLabel* Line(QWidget* parent, const QRect& rect) {
    auto* label = new QLabel(parent);
    label->setGeometry(rect);
    // The dialog itself watches the mouse over its lines (the link's hand cursor).
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(CAboutDlg& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CAboutDlg::kCaption));
    const DialogUnits units = DialogUnits::FromFont(font());
    setFixedSize(units.Size(254, 77));
    setMouseTracking(true);

    auto* icon = Line(this, QRect(units.X(11), units.Y(10), 32, 32));
    icon->setPixmap(AppIcon().pixmap(32, 32));
    m_versionLine = Line(this, units.Rect(44, 10, 204, 10));
    auto* second = Line(this, units.Rect(44, 23, 204, 10));
    second->setText(ToQString(CAboutDlg::kSecondLine));
    m_link = Line(this, units.Rect(44, 38, 204, 10));
    m_link->setAlignment(Qt::AlignCenter);
    const QString site = ToQString(CAboutDlg::kSiteAddress);
    m_link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(site.toHtmlEscaped()));
    m_link->setTextFormat(Qt::RichText);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(units.Rect(197, 57, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_form.Open({});
    m_versionLine->setText(QString::fromStdU16String(m_form.GetVersionLine()));
}

void AboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QRect r = m_link->geometry();
    m_form.Open({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    m_versionLine->setText(QString::fromStdU16String(m_form.GetVersionLine()));
}

unsigned AboutDialog::MouseFlagsOf(const QMouseEvent& event) {
    unsigned flags = 0;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton) {
        flags |= kMouseLeft;
    }
    if (buttons & Qt::RightButton) {
        flags |= kMouseRight;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= kMouseMiddle;
    }
    if (event.modifiers() & Qt::ShiftModifier) {
        flags |= kMouseShift;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        flags |= kMouseControl;
    }
    return flags;
}

void AboutDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_form.OnMouseMove(pos.x(), pos.y())) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    QDialog::mouseMoveEvent(event);
}

void AboutDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        m_form.OnLeftButtonDown(pos.x(), pos.y(), MouseFlagsOf(*event));
    }
    QDialog::mousePressEvent(event);
}

}  // namespace vesko::ui
