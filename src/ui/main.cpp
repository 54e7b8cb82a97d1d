// The editor's program: a private working folder, the Qt platform, the main window,
// and an optional first argument that opens a database folder as if it were dropped.

#include <QApplication>
#include <filesystem>

#include "app/editor_dlg.h"
#include "database/working_folder.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vesko Editor"));
    QApplication::setWindowIcon(vesko::ui::AppIcon());

    // A relative folder on the command line means relative to where the editor was
    // started, not to the private working folder it is about to move into.
    std::filesystem::path argumentFolder;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        std::error_code ec;
        argumentFolder = std::filesystem::absolute(arguments[1].toStdU16String(), ec);
    }

    vesko::WorkingFolder workingFolder;
    vesko::ui::QtPlatform platform;
    vesko::CEditorDlg editor(platform);
    vesko::ui::MainWindow window(editor);
    platform.SetParentWindow(&window);
    window.show();
    if (!argumentFolder.empty()) {
        window.OpenFolder(argumentFolder);
    }
    return QApplication::exec();
}
