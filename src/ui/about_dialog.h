#pragma once
// "About Vesko Editor": the product line with the build date and the web-site link.

#include <QDialog>

#include "app/about_form.h"

class QLabel;

namespace vesko::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(CAboutDlg& form, QWidget* parent = nullptr);

    QLabel* LinkLabel() const { return m_link; }

    // Mouse state flags of a button event in the form's terms.
    static unsigned MouseFlagsOf(const QMouseEvent& event);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CAboutDlg& m_form;
    QLabel* m_versionLine;
    QLabel* m_link;
};

}  // namespace vesko::ui
