#pragma once
// "Sort services": what to sort by (first, with the focus), which way, and whether the
// selected rows or the whole list, over the sort form. Enter sorts, Escape cancels.

#include <QDialog>

#include "pages/services/sort_dlg.h"

class QComboBox;
class QPushButton;
class QRadioButton;

namespace vesko::ui {

class SortServicesDialog : public QDialog {
    Q_OBJECT
public:
    SortServicesDialog(CSortServicesDlg& form, QWidget* parent = nullptr);

    QComboBox* Field() const { return m_field; }
    QRadioButton* Descending() const { return m_descending; }
    QRadioButton* SelectedRows() const { return m_selected; }
    QRadioButton* WholeList() const { return m_whole; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void OnOk();

    CSortServicesDlg& m_form;
    QComboBox* m_field;
    QRadioButton* m_ascending;
    QRadioButton* m_descending;
    QRadioButton* m_selected;
    QRadioButton* m_whole;
    QPushButton* m_ok;
};

}  // namespace vesko::ui
