#include "ui/startup.h"

namespace vesko::ui {

std::filesystem::path FolderFromArguments(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].isEmpty()) {
        return {};
    }
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(arguments[1].toStdU16String(), ec);
    return ec ? std::filesystem::path(arguments[1].toStdU16String()) : folder;
}

}  // namespace vesko::ui
