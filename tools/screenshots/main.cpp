// vesko-screenshots: opens the main window on a database folder without a display and
// writes one picture per tab (and of the About and History boxes) into a folder.
//
//   QT_QPA_PLATFORM=offscreen vesko-screenshots <database folder> <output folder>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <filesystem>

#include "app/about_form.h"
#include "app/editor_dlg.h"
#include "app/history_form.h"
#include "database/working_folder.h"
#include "ui/about_dialog.h"
#include "ui/history_dialog.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace {

// Nobody is there to answer: messages are printed and answered with their first button.
class UnattendedPlatform : public vesko::Platform {
public:
    vesko::MessageAnswer ShowMessage(std::u16string_view caption, std::u16string_view text,
                                     vesko::MessageButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", vesko::ui::ToQString(caption).toLocal8Bit().constData(),
                     vesko::ui::ToQString(text).toLocal8Bit().constData());
        return buttons == vesko::MessageButtons::YesNoCancel ? vesko::MessageAnswer::No
                                                             : vesko::MessageAnswer::Ok;
    }
    std::filesystem::path ChooseFolder(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    std::filesystem::path ChooseFile(std::u16string_view, const std::filesystem::path&) override {
        return {};
    }
    bool RunDialog(vesko::CDialogForm&) override { return false; }
    void OpenUrl(std::u16string_view) override {}
    void EndProcess(int) override {}
};

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool Save(QWidget& widget, const QDir& out, const QString& name) {
    Settle();
    const QString path = out.filePath(name);
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: vesko-screenshots <database folder> <output folder>\n");
        return 2;
    }
    std::error_code ec;
    const auto database = std::filesystem::absolute(arguments[1].toStdU16String(), ec);
    QDir out(QDir::current().absoluteFilePath(arguments[2]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make the output folder\n");
        return 1;
    }

    vesko::WorkingFolder workingFolder;
    UnattendedPlatform platform;
    vesko::MemorySettings settings;  // screenshots never touch the user's settings
    vesko::CEditorDlg editor(platform, settings);
    vesko::ui::MainWindow window(editor);
    window.show();
    Settle();
    if (!window.OpenFolder(database)) {
        std::fprintf(stderr, "the folder did not open; the pages are shown empty\n");
    }

    bool ok = true;
    for (int tab = 0; tab < vesko::kPageTabCount; ++tab) {
        window.Tabs()->setCurrentIndex(tab);
        QString name =
            window.Tabs()->tabText(tab).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        ok = Save(window, out, QStringLiteral("%1-%2.png").arg(tab).arg(name)) && ok;
    }

    vesko::CAboutDlg about(platform);
    vesko::ui::AboutDialog aboutDialog(about, &window);
    aboutDialog.show();
    ok = Save(aboutDialog, out, QStringLiteral("about.png")) && ok;
    aboutDialog.hide();

    vesko::CHistoryDlg history;
    vesko::ui::HistoryDialog historyDialog(history, &window);
    historyDialog.show();
    ok = Save(historyDialog, out, QStringLiteral("history.png")) && ok;
    historyDialog.hide();

    window.CloseForExit();
    return ok ? 0 : 1;
}
