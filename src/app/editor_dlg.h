#pragma once
// CEditorDlg: the main window without its widgets. It owns the database folder, the
// pages and the command table; it runs every command of the menus, the toolbar, the
// shortcuts and the pages, and keeps the pages consistent after each of them.
//
// A page plugs in with one line of the constructor: the page object and the function
// that adds its commands and context menus to the table.

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_table.h"
#include "base/file_result.h"
#include "base/platform.h"
#include "base/settings.h"
#include "database/database_folder.h"
#include "pages/page.h"

namespace vesko {

inline constexpr std::u16string_view kMainWindowCaption = u"Vesko Editor";

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
    // view refreshes.
    void RunPageAction(const std::function<void()>& action);
    // What a key or double-click on a page's list raises (0: nothing), and the
    // context menu a right click there shows.
    int CommandForInput(PageTab page, int list, const KeyPress& key) const;
    ContextMenu ContextMenuFor(PageTab page, int list) const;

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

    // The File and Help commands call these.
    void OpenFromChooser();
    void Save();
    void SaveTo();
    void Exit();
    void RunAbout();
    void RunHistory();

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
};

}  // namespace vesko
