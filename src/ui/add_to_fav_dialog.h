#pragma once
// "Add to FAV": 32 check boxes, one per favourite group, over the add-to-favourites
// form.

#include <QDialog>
#include <array>

#include "pages/services/add_to_fav_dlg.h"

class QCheckBox;
class QPushButton;

namespace vesko::ui {

class AddToFavDialog : public QDialog {
    Q_OBJECT
public:
    AddToFavDialog(CAddToFavDlg& form, QWidget* parent = nullptr);

    QCheckBox* Box(int group) const { return m_boxes[static_cast<size_t>(group)]; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ResetButton() const { return m_reset; }

private:
    void ShowChecks();
    void OnOk();
    void OnReset();

    CAddToFavDlg& m_form;
    std::array<QCheckBox*, CAddToFavDlg::kBoxCount> m_boxes{};
    QPushButton* m_ok;
    QPushButton* m_reset;
};

}  // namespace vesko::ui
