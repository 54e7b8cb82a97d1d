#include "app/editor_dlg.h"

#include "app/about_form.h"
#include "app/favourite_commands.h"
#include "app/file_commands.h"
#include "app/history_form.h"
#include "app/service_commands.h"
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

constexpr std::u16string_view kWorkingCopyFailedMessage =
    u"The change could not be saved and was undone:";

}  // namespace

CEditorDlg::CEditorDlg(Platform& platform, Settings& settings)
    : m_platform(platform), m_settings(settings), m_folder(platform) {
    AddFileCommands(m_commands, *this);
    // The pages, in the order they reload after an open.
    AddPage<CServicePage>(AddServiceCommands, ServiceKind::Tv);
    AddPage<CServicePage>(AddServiceCommands, ServiceKind::Radio);
    AddPage<CFavPage>(AddFavouriteCommands, FavKind::Tv);
    AddPage<CFavPage>(AddFavouriteCommands, FavKind::Radio);
    AddPage<CSatellitePage>(nullptr);
    AddPage<CTransponderPage>(nullptr, TransponderKind::Satellite);
    AddPage<CTransponderPage>(nullptr, TransponderKind::Terrestrial);
    AddPage<CTransponderPage>(nullptr, TransponderKind::Cable);
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
    // A command's working-copy writes stand or fall together: when one of them fails,
    // every copy it wrote is put back, the pages show the copies again and the user is
    // told why.
    WorkingCopies& copies = WorkingCopies::Current();
    copies.BeginUnit();
    row->run();
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
        text += DescribeFileError(failure);
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

void CEditorDlg::OpenFromChooser() {
    if (ConfirmLeaveCurrent() && m_folder.OpenFromChooser([this] { ReloadPages(); })) {
        AfterOpen();
    }
}

// The working copies as the open made them are the saved state; the folder is where
// the chooser starts next time.
void CEditorDlg::AfterOpen() {
    std::vector<std::string> present;
    for (const DatabaseFile& file : kRequiredFiles) {
        present.emplace_back(file.workingCopy);
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        std::error_code ec;
        if (std::filesystem::exists(file.workingCopy, ec)) {
            present.emplace_back(file.workingCopy);
        }
    }
    WorkingCopies::Current().SetExpected(std::move(present));
    m_settings.SetValue(SettingKey::LastFolder, m_folder.GetFolderPath().u16string());
}

// Unsaved changes of the open folder are either saved or given up before another
// folder replaces its working copies.
bool CEditorDlg::ConfirmLeaveCurrent() {
    m_folder.ResetChangeCount();
    return m_folder.ConfirmLeaveCurrent(HasUnsavedChanges() ? 1 : 0);
}

bool CEditorDlg::HasUnsavedChanges() const {
    return m_folder.IsDatabaseOpen() && WorkingCopies::Current().IsModified();
}

void CEditorDlg::Save() {
    // After a failed save the changes still count as unsaved.
    if (m_folder.Save()) {
        WorkingCopies::Current().MarkSaved();
    }
}

void CEditorDlg::SaveTo() {
    m_folder.SaveTo();
}

void CEditorDlg::Exit() {
    m_folder.ResetChangeCount();
    if (m_folder.ConfirmExit(HasUnsavedChanges() ? 1 : 0)) {
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
