#include "ui/history_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "ui/dialog_units.h"
#include "ui/images.h"
#include "ui/qt_text.h"

namespace vesko::ui {

HistoryDialog::HistoryDialog(CHistoryDlg& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(ToQString(CHistoryDlg::kCaption));
    const DialogUnits units = DialogUnits::FromFont(font());
    setFixedSize(units.Size(295, 174));

    auto* icon = new QLabel(this);
    icon->setGeometry(units.X(8), units.Y(5), 32, 32);
    icon->setPixmap(AppIcon().pixmap(32, 32));
    m_title = new QLabel(this);
    m_title->setGeometry(units.Rect(36, 12, 200, 10));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    m_text = new QPlainTextEdit(this);
    m_text->setGeometry(units.Rect(8, 30, 279, 138));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFrameShape(QFrame::StyledPanel);

    m_form.Open();
    // The box shows lines; the CR of each CR LF pair is not a character of its own here.
    QString text = QString::fromStdU16String(m_form.GetText());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(text);
    QTextCursor caret = m_text->textCursor();
    caret.setPosition(m_form.GetCaret());
    m_text->setTextCursor(caret);
    m_text->ensureCursorVisible();
    m_title->setText(QString::fromStdU16String(m_form.GetTitle()));
    m_text->setFocus();
}

}  // namespace vesko::ui

namespace vesko::ui {

// The box is laid out only when shown; the start of the history must be what shows.
void HistoryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTextCursor caret = m_text->textCursor();
    caret.setPosition(m_form.GetCaret());
    m_text->setTextCursor(caret);
    m_text->verticalScrollBar()->setValue(0);
}

}  // namespace vesko::ui
