#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "base/commands.h"
#include "ui/dialog_units.h"
#include "ui/icon_page_widget.h"
#include "ui/images.h"
#include "ui/list_pages.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

// The window's client area in dialog units.
constexpr double kClientWidth = 627;
constexpr double kClientHeight = 334;

}  // namespace

MainWindow::MainWindow(CEditorDlg& editor, QWidget* parent)
    : QMainWindow(parent), m_editor(editor) {
    setWindowTitle(ToQString(kMainWindowCaption));
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    BuildMenus();
    BuildToolbar();
    BuildTabs();
    BuildShortcuts();
    FixWindowSize();
    m_editor.SetRefreshHandler([this] { RefreshPages(); });
    ShowPage(0);
}

MainWindow::~MainWindow() {
    m_editor.SetRefreshHandler(nullptr);
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    const auto add = [this](QMenu* menu, const QString& text, int command) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    };
    add(file, tr("&Open..."), kCmdMenuOpen);
    add(file, tr("Save(&s)"), kCmdMenuSave);
    add(file, tr("&Save to"), kCmdSaveTo);
    file->addSeparator();
    add(file, tr("&Exit"), kCmdMenuExit);
    QAction* about = menuBar()->addAction(tr("About"));
    connect(about, &QAction::triggered, this, [this] { RunCommand(kCmdAbout); });
    QAction* history = menuBar()->addAction(tr("History"));
    connect(history, &QAction::triggered, this, [this] { RunCommand(kCmdHistory); });
}

void MainWindow::BuildToolbar() {
    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this, toolbar](ToolbarImage image, const QString& text, int command) {
        QAction* action = toolbar->addAction(ToolbarIcon(image), text);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    };
    add(ToolbarImage::Open, tr("Open"), kCmdOpenFolder);
    add(ToolbarImage::Save, tr("Save"), kCmdToolbarSave);
    add(ToolbarImage::Exit, tr("Exit"), kCmdToolbarExit);
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

    m_pages = {
        new ServicePageWidget(m_editor.TvPage()),
        new ServicePageWidget(m_editor.RadioPage()),
        new FavPageWidget(m_editor.FavTvPage()),
        new FavPageWidget(m_editor.FavRadioPage()),
        new TransponderPageWidget(m_editor.SatTpPage()),
        new SatellitePageWidget(m_editor.SatellitePage()),
        new TransponderPageWidget(m_editor.TerTpPage()),
        new TransponderPageWidget(m_editor.CableTpPage()),
        new IconPageWidget(m_editor.IconPage()),
    };
    for (int tab = 0; tab < kPageTabCount; ++tab) {
        PageWidget* page = m_pages[static_cast<std::size_t>(tab)];
        m_tabs->addTab(page, ToQString(kPageTabTexts[static_cast<std::size_t>(tab)]));
        connect(page, &PageWidget::command, this, &MainWindow::RunCommand);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::ShowPage);
}

// Ctrl+O and Ctrl+S work wherever the focus is outside a list; a list that turns the
// same keys into its own commands takes them first.
void MainWindow::BuildShortcuts() {
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(open, &QShortcut::activated, this, [this] { RunCommand(kCmdOpenFolder); });
    auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(save, &QShortcut::activated, this, [this] { RunCommand(kCmdToolbarSave); });
}

void MainWindow::FixWindowSize() {
    const DialogUnits units = DialogUnits::FromFont(font());
    const QSize client = units.Size(kClientWidth, kClientHeight);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(client.width(), client.height() + menuHeight);
}

void MainWindow::ShowPage(int index) {
    if (index < 0 || index >= kPageTabCount) {
        return;
    }
    if (m_tabs->currentIndex() != index) {
        m_tabs->setCurrentIndex(index);
    }
    // Nothing is reloaded on a tab switch: the page keeps what it last showed.
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
    for (PageWidget* page : m_pages) {
        page->Refresh();
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
