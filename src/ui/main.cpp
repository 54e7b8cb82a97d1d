// The editor's program: a private working folder, the Qt platform, the main window,
// and an optional first argument that opens a database folder as if it were dropped.

#include <QApplication>
#include <cstdio>
#include <filesystem>

#include "app/editor_dlg.h"
#include "database/working_folder.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vesko Editor"));
    QApplication::setWindowIcon(vesko::ui::AppIcon());

    // Read before the move into the working folder, so that a relative path still
    // means what the user meant.
    const std::filesystem::path argumentFolder =
        vesko::ui::FolderFromArguments(QApplication::arguments());

    vesko::WorkingFolder workingFolder;
    vesko::ui::QtPlatform platform;
    if (!workingFolder.Ready()) {
        // Said on the terminal too, for an editor started where no window can be seen.
        const std::u16string problem = workingFolder.DescribeProblem();
        std::fprintf(stderr, "%s\n", QString::fromStdU16String(problem).toLocal8Bit().constData());
        platform.ShowMessage(vesko::kMessageCaption, problem, vesko::MessageButtons::Ok);
        return 1;
    }
    vesko::CEditorDlg editor(platform);
    vesko::ui::MainWindow window(editor);
    platform.SetParentWindow(&window);
    window.show();
    if (!argumentFolder.empty()) {
        window.OpenFolder(argumentFolder);
    }
    return QApplication::exec();
}
