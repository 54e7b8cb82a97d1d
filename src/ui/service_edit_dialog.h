#pragma once
// "TV Service information" and "Radio Service information": the widgets of the
// service edit form, in the TV or the radio layout after the form's page.

#include <QDialog>

#include "pages/services/service_edit_dlg.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vesko::ui {

class ServiceEditDialog : public QDialog {
    Q_OBJECT
public:
    ServiceEditDialog(CServiceEditDlg& form, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QComboBox* FreeList() const { return m_free; }
    QComboBox* LockList() const { return m_lock; }
    QComboBox* SkipList() const { return m_skip; }
    QLineEdit* TransponderEdit() const { return m_transponder; }
    QLineEdit* SatelliteEdit() const { return m_satellite; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    void ShowForm();
    void TakeFields();
    void OnOk();
    void OnReset();
    void LimitTyping(const QString& text);

    CServiceEditDlg& m_form;
    QLineEdit* m_name;
    QComboBox* m_free;
    QComboBox* m_lock;
    QComboBox* m_skip;
    QLineEdit* m_transponder;
    QLineEdit* m_satellite;
    QPushButton* m_ok;
    QPushButton* m_reset;
    QString m_acceptedName;  // the name before the last keystroke
};

}  // namespace vesko::ui
