#include "ui/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include "ui/dialog_registry.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace

MessageAnswer QtPlatform::ShowMessage(std::u16string_view caption, std::u16string_view text,
                                      MessageButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::NoButton,
                    m_parent);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

std::filesystem::path QtPlatform::ChooseFolder(std::u16string_view title,
                                               const std::filesystem::path& initialFolder) {
    // The chooser never opens in the private working folder the editor runs in.
    std::error_code ec;
    const QString start = !initialFolder.empty() && std::filesystem::is_directory(initialFolder, ec)
                              ? QString::fromStdU16String(initialFolder.u16string())
                              : QDir::homePath();
    const QString folder = QFileDialog::getExistingDirectory(m_parent, ToQString(title), start);
    return folder.isEmpty() ? std::filesystem::path() : ToPath(folder);
}

QString QtPlatform::ToQtFilter(std::u16string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i];
        if (i + 1 < parts.size() && !description.contains(QLatin1Char('('))) {
            // Qt separates the patterns of one filter by spaces, the desktop by ';'.
            QString patterns = parts[i + 1];
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            description += QStringLiteral(" (%1)").arg(patterns);
        }
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}

std::filesystem::path QtPlatform::ChooseFile(std::u16string_view filter,
                                             const std::filesystem::path& initialFolder) {
    const QString file = QFileDialog::getOpenFileName(
        m_parent, QString(), QString::fromStdU16String(initialFolder.u16string()),
        ToQtFilter(filter));
    return file.isEmpty() ? std::filesystem::path() : ToPath(file);
}

bool QtPlatform::RunDialog(CDialogForm& form) {
    for (const DialogFactory& factory : DialogFactories()) {
        if (std::unique_ptr<QDialog> dialog = factory(form, m_parent)) {
            return dialog->exec() == QDialog::Accepted;
        }
    }
    qWarning("No dialog is registered for this form");
    return false;
}

void QtPlatform::OpenUrl(std::u16string_view url) {
    QDesktopServices::openUrl(QUrl(ToQString(url)));
}

void QtPlatform::EndProcess(int exitCode) {
    // The command that ends the editor returns first; then the window closes for good.
    QPointer<QWidget> window = m_parent;
    QTimer::singleShot(0, qApp, [window, exitCode] {
        if (auto* main = qobject_cast<MainWindow*>(window.data())) {
            main->CloseForExit();
        }
        QApplication::exit(exitCode);
    });
}

}  // namespace vesko::ui
