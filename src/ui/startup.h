#pragma once
// What the editor takes from its command line: an optional database folder, --help and
// --version.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace vesko::ui {

struct CommandLine {
    // The database folder named by the argument, made absolute against the directory
    // the editor was started in (before it moves into its working folder); empty when
    // there is none.
    std::filesystem::path folder;
    // Set when the editor is to print `output` and end at once with this code (--help,
    // --version, an option it does not know).
    std::optional<int> exitCode;
    QString output;
};

CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace vesko::ui
