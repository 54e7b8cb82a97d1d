#pragma once
// The Platform of the running editor: Qt message boxes, choosers, dialogs and the
// desktop's browser.

#include <QPointer>
#include <QWidget>

#include "base/platform.h"

namespace vesko::ui {

class QtPlatform : public Platform {
public:
    // Dialogs and message boxes are centred on this window once it is set.
    void SetParentWindow(QWidget* window) { m_parent = window; }

    MessageAnswer ShowMessage(std::u16string_view caption, std::u16string_view text,
                              MessageButtons buttons) override;
    std::filesystem::path ChooseFolder(std::u16string_view title,
                                       const std::filesystem::path& initialFolder) override;
    std::filesystem::path ChooseFile(std::u16string_view filter,
                                     const std::filesystem::path& initialFolder) override;
    bool RunDialog(CDialogForm& form) override;
    void OpenUrl(std::u16string_view url) override;
    void EndProcess(int exitCode) override;

    // "Text (*.jpg)|*.jpg|..." as the desktop writes filters, in Qt's "Text (*.jpg);;..." form.
    static QString ToQtFilter(std::u16string_view filter);

private:
    QPointer<QWidget> m_parent;
};

}  // namespace vesko::ui
