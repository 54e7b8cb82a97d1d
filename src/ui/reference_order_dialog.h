#pragma once
// "Apply order from another database": what the reference's order would do, read
// before anything is written (a summary, then the services matched only by name and
// those without a match on either side), the choice to copy lock and skip, and OK
// (Enter) to apply or Cancel (Escape) to leave everything as it is.

#include <QDialog>

#include "pages/order/reference_order_dlg.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace vesko::ui {

class ReferenceOrderDialog : public QDialog {
    Q_OBJECT
public:
    ReferenceOrderDialog(CReferenceOrderDlg& form, QWidget* parent = nullptr);

    QCheckBox* CopyLockAndSkip() const { return m_copyLockAndSkip; }
    QTreeWidget* Details() const { return m_details; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void OnOk();

    CReferenceOrderDlg& m_form;
    QCheckBox* m_copyLockAndSkip;
    QTreeWidget* m_details;
    QPushButton* m_ok;
};

}  // namespace vesko::ui
