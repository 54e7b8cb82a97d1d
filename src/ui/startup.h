#pragma once
// What the editor takes from its command line.

#include <QStringList>
#include <filesystem>

namespace vesko::ui {

// The database folder named by the first argument, made absolute against the directory
// the editor was started in (before it moves into its working folder); empty when
// there is no argument.
std::filesystem::path FolderFromArguments(const QStringList& arguments);

}  // namespace vesko::ui
