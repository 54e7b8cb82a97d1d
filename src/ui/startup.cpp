#include "ui/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace vesko::ui {

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Editor for the channel database of a digital-TV receiver: a folder holding sat.xml, "
        "tv_prog.xml, radio_prog.xml, tv_fav.xml and radio_fav.xml."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Options the window system takes for itself; QApplication reads them later.
    for (const char* qtOption :
         {"platform", "style", "display", "qwindowgeometry", "qwindowtitle"}) {
        QCommandLineOption option(QString::fromLatin1(qtOption), QString(),
                                  QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("The database folder to open."),
                                 QStringLiteral("[folder]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.exitCode = 2;
        line.output = parser.errorText() + QStringLiteral("\n\n") + parser.helpText();
        return line;
    }
    if (parser.isSet(help)) {
        line.exitCode = 0;
        line.output = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.exitCode = 0;
        line.output = QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return line;
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty() && !positional.front().isEmpty()) {
        const std::filesystem::path named(positional.front().toStdU16String());
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(named, ec);
        line.folder = ec ? named : absolute;
    }
    return line;
}

}  // namespace vesko::ui
