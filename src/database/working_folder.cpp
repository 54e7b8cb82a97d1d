#include "database/working_folder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace vesko {

namespace {

constexpr std::string_view kFolderPrefix = "work-";

bool ProcessIsAlive(long pid) {
    if (pid <= 0) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes the working folders of editors that ended without cleaning up.
void RemoveStaleFolders(const std::filesystem::path& root) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(root, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kFolderPrefix, 0) != 0) {
            continue;
        }
        long pid = 0;
        try {
            pid = std::stol(name.substr(kFolderPrefix.size()));
        } catch (...) {
            continue;
        }
        if (pid != static_cast<long>(::getpid()) && !ProcessIsAlive(pid)) {
            std::filesystem::remove_all(entry.path(), ec);
        }
    }
}

}  // namespace

WorkingFolder::WorkingFolder(const std::filesystem::path& base) {
    std::error_code ec;
    m_previous = std::filesystem::current_path(ec);
    std::filesystem::path root = base;
    if (root.empty()) {
        root = std::filesystem::temp_directory_path(ec);
        if (ec) {
            root = "/tmp";
        }
        root /= "vesko-editor-" + std::to_string(::getuid());
    }
    std::filesystem::create_directories(root, ec);
    RemoveStaleFolders(root);
    m_path = root / (std::string(kFolderPrefix) + std::to_string(::getpid()));
    std::filesystem::remove_all(m_path, ec);  // a leftover of an earlier process with our id
    std::filesystem::create_directories(m_path, ec);
    ::chmod(root.c_str(), 0700);
    std::filesystem::current_path(m_path, ec);
}

WorkingFolder::~WorkingFolder() {
    std::error_code ec;
    if (!m_previous.empty()) {
        std::filesystem::current_path(m_previous, ec);
    }
    std::filesystem::remove_all(m_path, ec);
}

}  // namespace vesko
