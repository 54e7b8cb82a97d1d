#pragma once
// The editor's private working folder: made current at start-up so that the working
// copies of two editors never meet; removed at exit. Folders left by editors that
// died are removed at the next start.

#include <filesystem>

namespace vesko {

class WorkingFolder {
public:
    // Creates the folder under `base` (the user's temporary location when empty),
    // removes stale ones of dead processes, and makes it the current directory.
    explicit WorkingFolder(const std::filesystem::path& base = {});
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

}  // namespace vesko
