#pragma once
// The database folder the user opened, its working copies, and the File commands
// built on them (open, save, save to, the exit question).

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vesko {

class Platform;

enum class OpenSource { Menu, Drop };

class CDatabaseFolder {
public:
    explicit CDatabaseFolder(Platform& platform);

    // Opens a folder: copies every database file into its working copy. On success
    // `reloadPages` runs and the database-open flag is set; on failure the current
    // database (path, working copies, flag) stays exactly as it was. The messages of
    // a failed open are shown through the platform.
    bool OpenFolder(const std::filesystem::path& folder, OpenSource source,
                    const std::function<void()>& reloadPages);
    // Shows the folder chooser and opens the chosen folder; false when cancelled or failed.
    bool OpenFromChooser(const std::function<void()>& reloadPages);

    // Writes the working copies into `folder`; returns the files that could not be written.
    std::vector<std::filesystem::path> SaveToFolder(const std::filesystem::path& folder);
    // Save: writes into the open folder and reports failures. True when every file was
    // written (nothing is written and false is returned when no folder is open).
    bool Save();
    // Save to: chooser, then SaveToFolder and a report of failures.
    void SaveTo();
    // Deletes the eight working copies; missing ones are ignored.
    void DiscardWorkingCopies();

    // The exit question, given the sum of the pages' change counters. Returns true when
    // the editor may end (working copies discarded), false when it stays open.
    bool ConfirmExit(int pageChanges);
    // Before opening another folder: asks the same question when there are unsaved
    // changes. True when the open may go on.
    bool ConfirmLeaveCurrent(int pageChanges);

    const std::filesystem::path& GetFolderPath() const { return m_folderPath; }
    bool IsDatabaseOpen() const { return m_databaseOpen; }
    int GetChangeCount() const { return m_changeCount; }
    void AddChange() { ++m_changeCount; }
    void ResetChangeCount() { m_changeCount = 0; }

private:
    bool ReplaceWorkingCopies(const std::filesystem::path& staging);
    void ReportFailedFiles(const std::vector<std::filesystem::path>& failed);

    Platform& m_platform;
    std::filesystem::path m_folderPath;
    bool m_databaseOpen = false;
    int m_changeCount = 0;
};

}  // namespace vesko
