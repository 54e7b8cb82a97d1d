#pragma once
// The search dialogs: one edit box, OK and Cancel, and the result list, laid out after
// the form's row of the search table. Typing shows the results at once; a double click
// on a result or OK picks it.

#include <QDialog>

#include "pages/search/search_dlg.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace vesko::ui {

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(CSearchDlg& form, QWidget* parent = nullptr);

    QLineEdit* TextEdit() const { return m_text; }
    QTableView* ResultView() const { return m_results; }
    QPushButton* OkButton() const { return m_ok; }

private:
    int SelectedResult() const;
    void OnOk();
    void OnPick(int row);

    CSearchDlg& m_form;
    QLineEdit* m_text;
    QTableView* m_results;
    QPushButton* m_ok;
};

}  // namespace vesko::ui
