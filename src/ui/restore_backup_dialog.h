#pragma once
// "Restore backup": the open folder's backups in a list, the newest chosen; OK (or
// Enter, or a double-click) restores the chosen one.

#include <QDialog>

#include "app/restore_backup_form.h"

class QListWidget;

namespace vesko::ui {

class RestoreBackupDialog : public QDialog {
    Q_OBJECT
public:
    RestoreBackupDialog(CRestoreBackupDlg& form, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }

private:
    CRestoreBackupDlg& m_form;
    QListWidget* m_list;
};

}  // namespace vesko::ui
