#pragma once
// The main window: menu bar, toolbar and the nine tab pages around one CEditorDlg.
// Every menu entry, toolbar button, shortcut and page command goes to the editor's
// OnCommand; the window only shows the result.

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <vector>

#include "app/editor_dlg.h"

class QAction;
class QIcon;
class QMimeData;
class QTabWidget;

namespace vesko::ui {

class PageWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(CEditorDlg& editor, QWidget* parent = nullptr);
    ~MainWindow() override;

    CEditorDlg& Editor() { return m_editor; }
    QTabWidget* Tabs() const { return m_tabs; }
    PageWidget* Page(PageTab tab) const { return m_pages[static_cast<std::size_t>(tab)]; }

    // Runs a command and shows what it changed.
    void RunCommand(int command);
    // Opens a folder as if it had been dropped on the window.
    bool OpenFolder(const std::filesystem::path& folder);
    // Lets the window close without asking (the editor has ended).
    void CloseForExit();

    // Shows every page's state that lists do not carry.
    void RefreshPages();

    // The folder of a drop: the first dropped item that has a local path.
    static std::filesystem::path DroppedFolder(const QMimeData& data);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildTabs();
    QAction* AddCommandAction(QWidget* container, const CommandRow& row, const QIcon& icon = {});
    void SetInitialSize();
    void ShowPage(int index);
    void RefreshActions();

    CEditorDlg& m_editor;
    QTabWidget* m_tabs = nullptr;
    std::array<PageWidget*, kPageTabCount> m_pages{};
    std::vector<QAction*> m_actions;  // menu and toolbar actions, one per command row
    bool m_closing = false;
};

}  // namespace vesko::ui
