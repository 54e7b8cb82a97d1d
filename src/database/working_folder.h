#pragma once
// The editor's private working folder: made current at start-up so that the working
// copies of two editors never meet; removed at exit. It lives in a root folder that
// must be the user's own (a real folder, not a link, owned by the user, closed to
// everyone else): anything else there could be another user's trap, so the editor then
// stops before it touches a single file. A live editor holds a lock on its folder;
// folders nobody holds were left by editors that died and are removed at the next start.

#include <filesystem>
#include <string>

#include "base/file_result.h"
#include "base/file_system.h"

namespace vesko {

class WorkingFolder {
public:
    // Makes the folder under `root` (the user's temporary location + "vesko-editor-<uid>"
    // when empty), removes the unlocked folders of dead editors, and makes it the current
    // directory. Whether that worked is Status().
    explicit WorkingFolder(const std::filesystem::path& root = {},
                           FileSystem& fs = FileSystem::System());
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const FileResult& Status() const { return m_status; }
    bool Ready() const { return m_status.Ok(); }
    const std::filesystem::path& Path() const { return m_path; }
    // What the user is told when the folder could not be made safely.
    std::u16string DescribeProblem() const;

private:
    FileResult CheckRoot(const std::filesystem::path& root);
    FileResult MakeOwnFolder(const std::filesystem::path& root);
    void RemoveLeftFolders(const std::filesystem::path& root);

    FileSystem& m_fs;
    FileResult m_status;
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
    FileHandle m_lock;
};

}  // namespace vesko
