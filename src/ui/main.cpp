// The editor's program: the command line, a private working folder, the Qt platform,
// the main window, and an optional argument that opens a database folder as if it were
// dropped.

#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/editor_dlg.h"
#include "app/recovery.h"
#include "database/working_folder.h"
#include "ui/images.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "ui/qt_settings.h"
#include "ui/startup.h"

namespace {

void SetApplicationNames() {
    QCoreApplication::setOrganizationName(QStringLiteral("Vesko"));
    QCoreApplication::setApplicationName(QStringLiteral("Vesko Editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESKO_VERSION));
}

}  // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer without a display: the command line is read before
    // any window system is touched. The path is made absolute before the move into the
    // working folder, so that a relative path still means what the user meant.
    vesko::ui::CommandLine commandLine;
    {
        QCoreApplication reader(argc, argv);
        SetApplicationNames();
        commandLine = vesko::ui::ParseCommandLine(QCoreApplication::arguments());
    }
    if (commandLine.exitCode) {
        std::fputs(commandLine.output.toLocal8Bit().constData(),
                   *commandLine.exitCode == 0 ? stdout : stderr);
        return *commandLine.exitCode;
    }

    QApplication app(argc, argv);
    SetApplicationNames();
    QApplication::setWindowIcon(vesko::ui::AppIcon());

    vesko::WorkingFolder workingFolder;
    vesko::ui::QtPlatform platform;
    if (!workingFolder.Ready()) {
        // Said on the terminal too, for an editor started where no window can be seen.
        const std::u16string problem = workingFolder.DescribeProblem();
        std::fprintf(stderr, "%s\n", QString::fromStdU16String(problem).toLocal8Bit().constData());
        platform.ShowMessage(vesko::kMessageCaption, problem, vesko::MessageButtons::Ok);
        return 1;
    }
    vesko::ui::QtSettings settings;
    vesko::CEditorDlg editor(platform, settings);
    // Backups live with the user's application data, never beside the database.
    editor.SetBackupRoot(
        std::filesystem::path((QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                               QStringLiteral("/backups"))
                                  .toStdU16String()));
    vesko::ui::MainWindow window(editor);
    platform.SetParentWindow(&window);
    window.show();
    // Work that a crash left unsaved comes before the folder the command line names.
    if (!vesko::OfferRecovery(editor, workingFolder) && !commandLine.folder.empty()) {
        editor.OpenNamedFolder(commandLine.folder);
    }
    return QApplication::exec();
}
