#pragma once
// The editor's private working folder: made current at start-up so that the working
// copies of two editors never meet; removed at exit. It lives in a root folder that
// must be the user's own (a real folder, not a link, owned by the user, closed to
// everyone else): anything else there could be another user's trap, so the editor then
// stops before it touches a single file. A live editor holds a lock on its folder;
// folders nobody holds were left by editors that died. At the next start those whose
// working copies hold changes that were never saved are kept (and locked) for the user
// to take back; the others are removed.

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"
#include "database/session_record.h"

namespace vesko {

// The working folder of an editor that died with unsaved changes.
struct LeftSession {
    std::filesystem::path path;
    SessionRecord record;
    std::time_t lastChange = 0;  // when its newest working copy was written
    FileHandle lock;             // held while this editor decides about it
};

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

    // Folders of editors that died with unsaved changes, the newest first.
    std::vector<LeftSession>& LeftSessions() { return m_left; }
    // Done with one of them: removed, or left for the next start.
    void Settle(LeftSession& left, bool remove);

private:
    FileResult CheckRoot(const std::filesystem::path& root);
    FileResult MakeOwnFolder(const std::filesystem::path& root);
    void SortOutLeftFolders(const std::filesystem::path& root);
    bool HoldsUnsavedWork(const std::filesystem::path& folder, LeftSession& left);

    FileSystem& m_fs;
    FileResult m_status;
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
    FileHandle m_lock;
    std::vector<LeftSession> m_left;
};

}  // namespace vesko
