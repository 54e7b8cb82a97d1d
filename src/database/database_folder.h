#pragma once
// The database folder the user opened, its working copies, and the File commands
// built on them (open, save, save to, the exit question).

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"
#include "database/backup_store.h"
#include "database/file_set.h"
#include "database/folder_stamps.h"

namespace vesko {

class Platform;

enum class OpenSource { Menu, Drop };

class CDatabaseFolder {
public:
    explicit CDatabaseFolder(Platform& platform, FileSystem& fs = FileSystem::System());

    // Opens a folder: copies every database file into its working copy. The new copies
    // are made aside and replace the old ones as one set, so on failure the current
    // database (path, working copies, flag) stays exactly as it was; on success
    // `reloadPages` runs and the database-open flag is set. Only regular files are read
    // (a FIFO or device is refused, never waited on); a file that is not well-formed
    // still opens, and the user is told which one and where. Messages go through the
    // platform.
    bool OpenFolder(const std::filesystem::path& folder, OpenSource source,
                    const std::function<void()>& reloadPages);
    // Shows the folder chooser (starting in `startIn`) and opens the chosen folder;
    // false when cancelled or failed.
    bool OpenFromChooser(const std::filesystem::path& startIn,
                         const std::function<void()>& reloadPages);

    // Writes the working copies into `folder` as one set: afterwards the folder holds
    // either all of the new files or all of its old ones.
    SetOutcome SaveToFolder(const std::filesystem::path& folder);
    // Save: writes into the open folder and reports failures with their cause. Asks
    // first when an edited copy would replace a file that was damaged when opened, and
    // when another program changed a file of the folder since the editor last read or
    // wrote it; the first Save after an open backs the folder's files up first. True
    // when the folder was written (nothing is written and false is returned when no
    // folder is open or the user said no).
    bool Save();
    // Save to: chooser (starting in `startIn`), then SaveToFolder and a report of
    // failures. The open folder chosen again is a Save.
    void SaveTo(const std::filesystem::path& startIn);

    // Where backups go (none are made until this is set).
    void SetBackupStore(std::unique_ptr<BackupStore> store) { m_backups = std::move(store); }
    const BackupStore* Backups() const { return m_backups.get(); }

    // The folder's files as the last open or save saw them; a recovered session takes
    // back those its editor saw, so that Save still notices what changed since.
    const std::vector<FileStamp>& Stamps() const { return m_stamps; }
    void SetStamps(std::vector<FileStamp> stamps) { m_stamps = std::move(stamps); }
    // Deletes the eight working copies; missing ones are ignored.
    void DiscardWorkingCopies();

    // True when a folder is open and a working copy's bytes differ from what the last
    // open or save left.
    bool HasUnsavedChanges() const;
    // The exit question, asked only when there are unsaved changes. Returns true when
    // the editor may end (working copies discarded), false when it stays open.
    bool ConfirmExit();
    // Before opening another folder: asks the same question when there are unsaved
    // changes. True when the open may go on.
    bool ConfirmLeaveCurrent();

    const std::filesystem::path& GetFolderPath() const { return m_folderPath; }
    bool IsDatabaseOpen() const { return m_databaseOpen; }

    // Files of the open folder that were not well-formed when it was opened, each with
    // where the damage is.
    const std::vector<std::pair<std::string, std::u16string>>& DamagedFiles() const {
        return m_damaged;
    }

private:
    struct Staged;
    bool CheckRequiredFiles(const std::filesystem::path& folder);
    FileResult MakeWorkingCopies(const std::filesystem::path& folder, Staged& staged);
    FileResult ReplaceWorkingCopies(const Staged& staged);
    void ReportDamage();
    bool ConfirmReplacingDamaged();
    bool ConfirmOverwritingChanged();
    bool MakeBackup();
    void ReportSave(const SetOutcome& outcome, const std::filesystem::path& folder);

    Platform& m_platform;
    FileSystem& m_fs;
    std::vector<std::pair<std::string, std::u16string>> m_damaged;
    std::filesystem::path m_folderPath;
    bool m_databaseOpen = false;
    std::vector<FileStamp> m_stamps;
    std::unique_ptr<BackupStore> m_backups;
    bool m_backedUp = false;  // since the open
};

}  // namespace vesko
