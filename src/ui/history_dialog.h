#pragma once
// "History": the version history of the editor in a scrollable text box.

#include <QDialog>

#include "app/history_form.h"

class QPlainTextEdit;
class QLabel;

namespace vesko::ui {

class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    HistoryDialog(CHistoryDlg& form, QWidget* parent = nullptr);

    QPlainTextEdit* TextBox() const { return m_text; }
    QLabel* TitleLine() const { return m_title; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    CHistoryDlg& m_form;
    QLabel* m_title;
    QPlainTextEdit* m_text;
};

}  // namespace vesko::ui
