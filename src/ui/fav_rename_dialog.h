#pragma once
// "FAV Group Rename": the widgets of the rename form, in the Fav Tv or the Fav Radio
// layout after the form's page.

#include <QDialog>

#include "pages/favourites/fav_rename_dlg.h"

class QLineEdit;
class QPushButton;

namespace vesko::ui {

class FavRenameDialog : public QDialog {
    Q_OBJECT
public:
    FavRenameDialog(CFavRenameDlg& form, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    void ShowName();
    void OnOk();
    void OnReset();

    CFavRenameDlg& m_form;
    QLineEdit* m_name;
    QPushButton* m_ok;
    QPushButton* m_reset;
};

}  // namespace vesko::ui
