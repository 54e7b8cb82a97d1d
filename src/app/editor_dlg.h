#pragma once
// CEditorDlg: the main window without its widgets. It owns the database folder, the
// pages and the command table; it runs every command of the menus, the toolbar, the
// shortcuts and the pages, and keeps the pages consistent after each of them.
//
// A page plugs in with one line of the constructor: the page object and the function
// that adds its commands and context menus to the table.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_table.h"
#include "base/file_result.h"
#include "base/platform.h"
#include "base/settings.h"
#include "database/database_folder.h"
#include "database/session_record.h"
#include "database/undo_history.h"
#include "pages/page.h"

namespace vesko {

inline constexpr std::u16string_view kMainWindowCaption = u"Vesko Editor";
// What Undo calls a drop on a list.
inline constexpr std::u16string_view kDragStep = u"Drag and drop";

struct LeftSession;

class CEditorDlg {
public:
    CEditorDlg(Platform& platform, Settings& settings);
    CEditorDlg(const CEditorDlg&) = delete;
    CEditorDlg& operator=(const CEditorDlg&) = delete;

    Platform& GetPlatform() { return m_platform; }
    Settings& GetSettings() { return m_settings; }
    CDatabaseFolder& Folder() { return m_folder; }
    const CDatabaseFolder& Folder() const { return m_folder; }
    const CommandTable& Commands() const { return m_commands; }

    // The pages in the order they reload after an open.
    const std::vector<std::unique_ptr<CPage>>& Pages() const { return m_pages; }
    CPage& PageAt(PageTab tab) const;
    template <class P>
    P& Page(PageTab tab) const {
        return dynamic_cast<P&>(PageAt(tab));
    }

    // Runs a numbered command (menu, toolbar, shortcut, page key or context menu).
    // A command without a row, or one that cannot run now, does nothing.
    void OnCommand(int command);
    // Runs what a page does on its own (a drop, a button that changes what it shows)
    // like a command: its writes stand or fall together, failures are told, and the
    // view refreshes. What it changed becomes one undo step called `description`.
    // True when its writes stood.
    bool RunPageAction(const std::function<void()>& action,
                       std::u16string_view description = kDragStep);
    // While a command runs: calls the step it makes something more exact than what it
    // was called before it ran ("Restore backup of 2024-05-17 18:04:31").
    void DescribeStep(std::u16string description) { m_stepDescription = std::move(description); }
    // What a key or double-click on a page's list raises (0: nothing), and the
    // context menu a right click there shows.
    int CommandForInput(PageTab page, int list, const KeyPress& key) const;
    ContextMenu ContextMenuFor(PageTab page, int list) const;

    // The tab the user looks at (the front end tells it): Edit > Sort sorts its list.
    void SetCurrentTab(PageTab tab) { m_currentTab = tab; }
    PageTab CurrentTab() const { return m_currentTab; }

    // Reloads the pages whose lists are built from the given working copies, each
    // keeping what the user looks at (after a command rewrote those copies as a whole).
    void ReloadPagesReading(const std::vector<std::string>& copies);

    // Opens a folder dropped on the window.
    bool OpenDroppedFolder(const std::filesystem::path& folder);
    // Opens the folder named on the command line; one that does not exist is said so
    // in one message, not with a message per missing file.
    bool OpenNamedFolder(const std::filesystem::path& folder);

    // True when a working copy changed since the folder was opened or last saved.
    bool HasUnsavedChanges() const;
    // "Vesko Editor" before a folder is open, then "<folder> — Vesko Editor", with " *"
    // while there are unsaved changes.
    std::u16string WindowTitle() const;

    // Told after every command and open, so that a view can refresh what lists do not
    // carry (buttons, choices, labels, the window title).
    void SetRefreshHandler(std::function<void()> handler) { m_refresh = std::move(handler); }

    // The File, Edit and Help commands call these.
    void OpenFromChooser();
    void Save();
    void SaveTo();
    void Exit();
    void RunAbout();
    void RunHistory();
    void Undo();
    void Redo();
    void RestoreBackup();
    void CheckDatabase();

    const UndoHistory& History() const { return m_history; }
    // "Undo Delete 3 services", or "Undo" alone when there is nothing to undo.
    std::u16string HistoryMenuText(HistoryMove move) const;
    // Commands that changed data since the last open or save (Undo counts back).
    int ChangeCount() const { return m_changes < 0 ? -m_changes : m_changes; }

    // Where backups of database folders go: the user's application data folder, which
    // the front end knows (none are made while it is not set).
    void SetBackupRoot(const std::filesystem::path& root);
    // Opens the folder of an editor that died and gives its working copies back as one
    // step that Undo can take back. True when the session was recovered.
    bool RecoverSession(const LeftSession& left);

private:
    // Adds a page and its commands: `addCommands(table, editor, page)`.
    template <class P, class... Args>
    P& AddPage(void (*addCommands)(CommandTable&, CEditorDlg&, P&), Args&&... args) {
        auto page = std::make_unique<P>(std::forward<Args>(args)...);
        P& added = *page;
        m_pages.push_back(std::move(page));
        if (addCommands) {
            addCommands(m_commands, *this, added);
        }
        return added;
    }

    int SelectedCount(PageTab page, int list) const;
    void ReportWorkingCopyFailures(const std::vector<FileError>& failures);
    void MoveInHistory(HistoryMove move);
    void FinishStep(std::u16string_view description);
    void ReloadPagesKeepingView();
    bool WriteCopiesFrom(const std::filesystem::path& folder,
                         const std::vector<std::string>& fileNames);
    void RecordSession();
    void FollowSavedState();
    int SettingNumber(SettingKey key, int fallback) const;
    bool ConfirmLeaveCurrent();
    std::filesystem::path ChooserStart() const;
    void AfterOpen();
    void ReloadPages();
    void Refresh();

    Platform& m_platform;
    Settings& m_settings;
    CDatabaseFolder m_folder;
    CommandTable m_commands;
    std::vector<std::unique_ptr<CPage>> m_pages;
    std::function<void()> m_refresh;
    PageTab m_currentTab = PageTab::Tv;

    UndoHistory m_history;
    std::optional<HistoryMove> m_pendingMove;  // an Undo or Redo inside the running unit
    std::vector<std::string> m_movedCopies;    // the copies it wrote
    std::u16string m_stepDescription;          // set by the running command
    int m_changes = 0;
    std::uint64_t m_savedGeneration = ~std::uint64_t{0};
    std::map<std::string, std::uint64_t, std::less<>> m_savedCopies;  // StableHash per copy
    SessionRecord m_session;                                          // as last written
    bool m_sessionWritten = false;
};

}  // namespace vesko
