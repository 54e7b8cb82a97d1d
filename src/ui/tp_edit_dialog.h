#pragma once
// "Sat Edit TP", "Cable Edit TP" and "Ter Edit TP": the widgets of the transponder edit
// form, laid out after the form's kind.

#include <QDialog>
#include <map>

#include "pages/satellites/tp_edit_dlg.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vesko::ui {

class TpEditDialog : public QDialog {
    Q_OBJECT
public:
    TpEditDialog(CTpEditDlg& form, QWidget* parent = nullptr);

    // The widget of a field (a QLineEdit or a QComboBox); null when the kind has none.
    QWidget* FieldWidget(TpField field) const;
    QLineEdit* Edit(TpField field) const;
    QComboBox* ChoiceBox(TpField field) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    void ShowForm();
    void TakeFields();
    void OnOk();
    void OnReset();

    CTpEditDlg& m_form;
    std::map<TpField, QWidget*> m_fields;
    QPushButton* m_ok;
    QPushButton* m_reset;
};

}  // namespace vesko::ui
