#pragma once
// "Edit Satellite": the widgets of the satellite edit form.

#include <QDialog>
#include <array>

#include "pages/satellites/sat_edit_dlg.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vesko::ui {

class SatEditDialog : public QDialog {
    Q_OBJECT
public:
    SatEditDialog(CSatEditDlg& form, QWidget* parent = nullptr);

    QLineEdit* IndexEdit() const { return m_index; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* LongitudeEdit() const { return m_longitude; }
    QLineEdit* UserFreqEdit() const { return m_userFreq; }
    // The choice of a field (LNB to Motor), null for the text fields.
    QComboBox* ChoiceBox(CSatEditDlg::Field field) const;
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    void ShowForm();
    void ShowChoice(CSatEditDlg::Field field);
    void ShowEnabledStates();
    void TakeFields();
    void OnLnbPicked(int index);
    void OnOk();
    void OnReset();

    CSatEditDlg& m_form;
    QLineEdit* m_index;
    QLineEdit* m_name;
    QLineEdit* m_longitude;
    QLineEdit* m_userFreq;
    std::array<QComboBox*, 7> m_choices{};  // LNB to Motor, in field order
    QPushButton* m_ok;
    QPushButton* m_reset;
};

}  // namespace vesko::ui
