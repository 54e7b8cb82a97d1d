#pragma once
// Backups of database folders, made before the first Save of a session overwrites a
// folder's files: a copy of the files as they were, byte for byte, in a folder of the
// user's own (not the database folder, which goes back to the receiver). The newest
// few of each database folder are kept.
//
//   <root>/<folder name>-<hash of its path>/<yyyymmdd-hhmmss>/sat.xml, ..., origin.txt

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"

namespace vesko {

struct BackupInfo {
    std::filesystem::path path;      // the backup's own folder
    std::u16string when;             // "2024-05-17 18:04:31", local time
    std::vector<std::string> files;  // the database files it holds
};

class BackupStore {
public:
    // `keep`: how many backups of one database folder stay (at least one).
    BackupStore(FileSystem& fs, std::filesystem::path root, int keep);

    // Copies the database files `folder` has into a new backup made at `now`; then the
    // oldest backups of that folder beyond `keep` go. A backup is complete or absent:
    // it is written aside and moved into place at the end.
    FileResult Make(const std::filesystem::path& folder, std::time_t now);
    // The backups of `folder`, newest first.
    std::vector<BackupInfo> List(const std::filesystem::path& folder) const;

    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path FolderOf(const std::filesystem::path& database) const;
    std::string NextName(const std::filesystem::path& folder, std::time_t now) const;
    void Prune(const std::filesystem::path& folder) const;

    FileSystem& m_fs;
    std::filesystem::path m_root;
    int m_keep;
};

}  // namespace vesko
