#include "app/editor_dlg.h"

#include "app/about_form.h"
#include "app/favourite_commands.h"
#include "app/file_commands.h"
#include "app/history_form.h"
#include "app/satellite_commands.h"
#include "app/service_commands.h"
#include "app/transponder_commands.h"
#include "controls/drag_list_ctrl.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "pages/favourites/fav_page.h"
#include "pages/icons/icon_page.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"

namespace vesko {

namespace {

constexpr std::u16string_view kNoSuchFolderMessage = u"There is no such folder:\n";
constexpr std::u16string_view kWorkingCopyFailedMessage =
    u"The change could not be made and was undone:";

}  // namespace

CEditorDlg::CEditorDlg(Platform& platform, Settings& settings)
    : m_platform(platform), m_settings(settings), m_folder(platform) {
    AddFileCommands(m_commands, *this);
    // The pages, in the order they reload after an open.
    AddPage<CServicePage>(AddServiceCommands, ServiceKind::Tv);
    AddPage<CServicePage>(AddServiceCommands, ServiceKind::Radio);
    AddPage<CFavPage>(AddFavouriteCommands, FavKind::Tv);
    AddPage<CFavPage>(AddFavouriteCommands, FavKind::Radio);
    AddPage<CSatellitePage>(AddSatelliteCommands);
    AddPage<CTransponderPage>(AddTransponderCommands, TransponderKind::Satellite);
    AddPage<CTransponderPage>(AddTransponderCommands, TransponderKind::Terrestrial);
    AddPage<CTransponderPage>(AddTransponderCommands, TransponderKind::Cable);
    AddPage<CIconPage>(nullptr);
    Page<CFavPage>(PageTab::FavTv).SetPartnerPage(&Page<CFavPage>(PageTab::FavRadio));
}

CPage& CEditorDlg::PageAt(PageTab tab) const {
    for (const auto& page : m_pages) {
        if (page->Tab() == tab) {
            return *page;
        }
    }
    // Every tab has its page from the constructor on.
    return *m_pages.front();
}

void CEditorDlg::OnCommand(int command) {
    const CommandRow* row = m_commands.Find(command);
    if (!row || !m_commands.IsEnabled(command)) {
        return;
    }
    RunPageAction(row->run);
}

void CEditorDlg::RunPageAction(const std::function<void()>& action) {
    // The working-copy writes of one action stand or fall together: when one of them
    // fails, every copy it wrote is put back, the pages show the copies again and the
    // user is told why.
    WorkingCopies& copies = WorkingCopies::Current();
    copies.BeginUnit();
    action();
    const std::vector<FileError> failures = copies.EndUnit();
    if (!failures.empty()) {
        ReportWorkingCopyFailures(failures);
    }
    Refresh();
}

int CEditorDlg::SelectedCount(PageTab page, int list) const {
    const std::vector<CDragListCtrl*> lists = PageAt(page).Lists();
    return list >= 0 && list < static_cast<int>(lists.size()) ? lists[list]->GetSelectedCount() : 0;
}

int CEditorDlg::CommandForInput(PageTab page, int list, const KeyPress& key) const {
    return m_commands.CommandForInput(page, list, key, SelectedCount(page, list));
}

ContextMenu CEditorDlg::ContextMenuFor(PageTab page, int list) const {
    return m_commands.ContextMenuFor(page, list, SelectedCount(page, list));
}

void CEditorDlg::ReportWorkingCopyFailures(const std::vector<FileError>& failures) {
    if (m_folder.IsDatabaseOpen()) {
        // The lists may show what the copies no longer hold; what the user was looking
        // at stays in view.
        std::vector<PageViewState> states;
        for (const auto& page : m_pages) {
            states.push_back(page->SaveViewState());
        }
        ReloadPages();
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            m_pages[i]->RestoreViewState(states[i]);
        }
    }
    std::u16string text(kWorkingCopyFailedMessage);
    for (const FileError& failure : failures) {
        text += u"\n";
        text += DescribeWorkingCopyError(failure);
    }
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

bool CEditorDlg::OpenDroppedFolder(const std::filesystem::path& folder) {
    bool opened = false;
    if (ConfirmLeaveCurrent()) {
        opened = m_folder.OpenFolder(folder, OpenSource::Drop, [this] { ReloadPages(); });
        if (opened) {
            AfterOpen();
        }
    }
    Refresh();
    return opened;
}

bool CEditorDlg::OpenNamedFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::u16string text(kNoSuchFolderMessage);
        text += folder.u16string();
        m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
        return false;
    }
    return OpenDroppedFolder(folder);
}

void CEditorDlg::OpenFromChooser() {
    if (ConfirmLeaveCurrent() &&
        m_folder.OpenFromChooser(ChooserStart(), [this] { ReloadPages(); })) {
        AfterOpen();
    }
}

// The working copies as the open made them are the saved state; the folder is where
// the chooser starts next time.
void CEditorDlg::AfterOpen() {
    m_settings.SetValue(SettingKey::LastFolder, m_folder.GetFolderPath().u16string());
}

// Unsaved changes of the open folder are either saved or given up before another
// folder replaces its working copies.
bool CEditorDlg::ConfirmLeaveCurrent() {
    return m_folder.ConfirmLeaveCurrent();
}

bool CEditorDlg::HasUnsavedChanges() const {
    return m_folder.HasUnsavedChanges();
}

// The folder chooser starts in the folder opened last, never in the private working
// folder the editor runs in.
std::filesystem::path CEditorDlg::ChooserStart() const {
    return std::filesystem::path(m_settings.Value(SettingKey::LastFolder));
}

std::u16string CEditorDlg::WindowTitle() const {
    if (!m_folder.IsDatabaseOpen()) {
        return std::u16string(kMainWindowCaption);
    }
    // A folder from the chooser ends with a separator: its name is the part before.
    std::filesystem::path folder = m_folder.GetFolderPath();
    if (folder.filename().empty()) {
        folder = folder.parent_path();
    }
    std::u16string title = folder.filename().u16string();
    if (title.empty()) {
        title = folder.u16string();
    }
    title += u" \u2014 ";
    title += kMainWindowCaption;
    if (HasUnsavedChanges()) {
        title += u" *";
    }
    return title;
}

void CEditorDlg::Save() {
    // After a failed save the changes still count as unsaved.
    m_folder.Save();
}

void CEditorDlg::SaveTo() {
    m_folder.SaveTo(ChooserStart());
}

void CEditorDlg::Exit() {
    if (m_folder.ConfirmExit()) {
        m_platform.EndProcess(0);
    }
}

void CEditorDlg::RunAbout() {
    CAboutDlg about(m_platform);
    m_platform.RunDialog(about);
}

void CEditorDlg::RunHistory() {
    CHistoryDlg history;
    m_platform.RunDialog(history);
}

// Every page first gets ready (the Satellite page's tuner button comes before any
// list), then each reloads in its turn.
void CEditorDlg::ReloadPages() {
    for (const auto& page : m_pages) {
        page->PrepareForReload();
    }
    for (const auto& page : m_pages) {
        page->Reload();
    }
}

void CEditorDlg::Refresh() {
    if (m_refresh) {
        m_refresh();
    }
}

}  // namespace vesko
