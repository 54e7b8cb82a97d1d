#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/commands.h"
#include "ui/dialog_units.h"
#include "ui/images.h"
#include "ui/list_pages.h"
#include "ui/page_registry.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

// The window's client area in dialog units.
constexpr double kClientWidth = 627;
constexpr double kClientHeight = 334;

// The picture beside each toolbar command's text.
QIcon ToolbarIconFor(int command) {
    switch (command) {
        case kCmdOpenFolder:
            return ToolbarIcon(ToolbarImage::Open);
        case kCmdToolbarSave:
            return ToolbarIcon(ToolbarImage::Save);
        default:
            return ToolbarIcon(ToolbarImage::Exit);
    }
}

}  // namespace

MainWindow::MainWindow(CEditorDlg& editor, QWidget* parent)
    : QMainWindow(parent), m_editor(editor) {
    setWindowTitle(ToQString(kMainWindowCaption));
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    BuildMenus();
    BuildToolbar();
    BuildTabs();
    SetInitialSize();
    m_editor.SetRefreshHandler([this] { RefreshPages(); });
    RefreshPages();
    ShowPage(0);
}

MainWindow::~MainWindow() {
    m_editor.SetRefreshHandler(nullptr);
}

// The File menu, the menu bar's own entries and the toolbar come from the command
// table, in its order; every action is named after its command.
void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    for (const CommandRow& row : m_editor.Commands().Rows()) {
        if (row.place == CommandPlace::FileMenu || row.place == CommandPlace::EditMenu) {
            QAction* action =
                AddCommandAction(row.place == CommandPlace::FileMenu ? file : edit, row);
            QList<QKeySequence> keys;
            for (const std::u16string_view key : {row.shortcut, row.altShortcut}) {
                if (!key.empty()) {
                    keys << QKeySequence(ToQString(key));
                }
            }
            action->setShortcuts(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        } else if (row.place == CommandPlace::MenuBar) {
            AddCommandAction(menuBar(), row);
        }
    }
}

QAction* MainWindow::AddCommandAction(QWidget* container, const CommandRow& row,
                                      const QIcon& icon) {
    auto* action = new QAction(icon, ToQString(row.menuText), container);
    action->setObjectName(QString::fromLatin1(row.name.data(), static_cast<int>(row.name.size())));
    const int command = row.number;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    container->addAction(action);
    m_actions.push_back(action);
    return action;
}

void MainWindow::BuildToolbar() {
    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const CommandRow& row : m_editor.Commands().Rows()) {
        if (row.place == CommandPlace::Toolbar) {
            AddCommandAction(toolbar, row, ToolbarIconFor(row.number));
        }
    }
}

void MainWindow::BuildTabs() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 4, 8, 8);
    m_tabs = new QTabWidget(central);
    m_tabs->setDocumentMode(false);
    m_tabs->setUsesScrollButtons(false);
    layout->addWidget(m_tabs);
    setCentralWidget(central);

    for (int tab = 0; tab < kPageTabCount; ++tab) {
        CPage& page = m_editor.PageAt(static_cast<PageTab>(tab));
        PageWidget* widget = CreatePageWidget(m_editor, page, nullptr);
        m_pages[static_cast<std::size_t>(tab)] = widget;
        m_tabs->addTab(widget, ToQString(kPageTabTexts[static_cast<std::size_t>(tab)]));
        connect(widget, &PageWidget::command, this, &MainWindow::RunCommand);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::ShowPage);
}

// The window opens at its described size and can be resized or maximized from there;
// the pages scale their controls with it, so a large window shows more rows. Below
// two thirds of that size the controls would get too small to use.
void MainWindow::SetInitialSize() {
    const DialogUnits units = DialogUnits::FromFont(font());
    const QSize client = units.Size(kClientWidth, kClientHeight);
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize initial(client.width(), client.height() + menuHeight);
    resize(initial);
    setMinimumSize(initial * 2 / 3);
}

void MainWindow::ShowPage(int index) {
    if (index < 0 || index >= kPageTabCount) {
        return;
    }
    if (m_tabs->currentIndex() != index) {
        m_tabs->setCurrentIndex(index);
    }
    // Edit > Sort sorts the list in view, and is offered only where there is one.
    m_editor.SetCurrentTab(static_cast<PageTab>(index));
    RefreshActions();
    // A tab switch reloads nothing but what other pages changed behind this one.
    m_editor.PageAt(static_cast<PageTab>(index)).BringUpToDate();
    if (QWidget* target = m_pages[static_cast<std::size_t>(index)]->FocusTarget()) {
        target->setFocus();
    }
}

void MainWindow::RunCommand(int command) {
    m_editor.OnCommand(command);
}

bool MainWindow::OpenFolder(const std::filesystem::path& folder) {
    return m_editor.OpenDroppedFolder(folder);
}

void MainWindow::RefreshPages() {
    setWindowTitle(ToQString(m_editor.WindowTitle()));
    if (m_tabs) {
        m_editor.PageAt(static_cast<PageTab>(m_tabs->currentIndex())).BringUpToDate();
    }
    for (PageWidget* page : m_pages) {
        page->Refresh();
    }
    RefreshActions();
}

void MainWindow::RefreshActions() {
    for (QAction* action : m_actions) {
        const CommandRow* row = m_editor.Commands().FindByName(action->objectName().toStdString());
        action->setEnabled(row && m_editor.Commands().IsEnabled(row->number));
        if (row && row->liveText) {
            // A step named after a group may hold an ampersand: it is no mnemonic here.
            action->setText(
                ToQString(row->liveText()).replace(QLatin1Char('&'), QStringLiteral("&&")));
        }
    }
}

void MainWindow::CloseForExit() {
    m_closing = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    // The close button is the Exit command; the editor decides whether to end.
    event->ignore();
    RunCommand(kCmdMenuExit);
}

std::filesystem::path MainWindow::DroppedFolder(const QMimeData& data) {
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            return std::filesystem::path(url.toLocalFile().toStdU16String());
        }
        break;  // only the first item counts
    }
    return {};
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && !DroppedFolder(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::filesystem::path folder =
        event->mimeData() ? DroppedFolder(*event->mimeData()) : std::filesystem::path();
    if (folder.empty()) {
        return;
    }
    event->acceptProposedAction();
    OpenFolder(folder);
}

}  // namespace vesko::ui
