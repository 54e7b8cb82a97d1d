#include "app/editor_dlg.h"

#include <algorithm>
#include <cstdlib>

#include "app/about_form.h"
#include "app/favourite_commands.h"
#include "app/file_commands.h"
#include "app/history_form.h"
#include "app/order_commands.h"
#include "app/restore_backup_form.h"
#include "app/satellite_commands.h"
#include "app/service_commands.h"
#include "app/transponder_commands.h"
#include "controls/drag_list_ctrl.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "database/working_folder.h"
#include "pages/check/check_report_dlg.h"
#include "pages/favourites/fav_page.h"
#include "pages/icons/icon_page.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::u16string_view kNoSuchFolderMessage = u"There is no such folder:\n";
constexpr std::u16string_view kWorkingCopyFailedMessage =
    u"The change could not be made and was undone:";
constexpr std::u16string_view kHistoryLostMessage =
    u"This cannot be undone or redone: the working copy of ";
constexpr std::u16string_view kNoBackupMessage =
    u"There is no backup of this folder yet. One is made before the first Save of a session "
    u"overwrites the folder's files.";
constexpr std::u16string_view kRestoredMessage =
    u"The backup is in the editor now: Save puts it back into the folder, Undo takes it "
    u"back out of the editor.";
constexpr std::u16string_view kCheckCleanMessage =
    u"The database check found nothing the receiver may choke on.";

template <class Visit>
void ForEachDatabaseFile(Visit&& visit) {
    std::for_each(kRequiredFiles.begin(), kRequiredFiles.end(), visit);
    std::for_each(kOptionalFiles.begin(), kOptionalFiles.end(), visit);
}

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
    AddOrderCommands(m_commands, *this);
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
    // Named before it runs: "Delete 3 services" counts the rows selected now.
    RunPageAction(row->run, m_commands.StepText(command));
}

bool CEditorDlg::RunPageAction(const std::function<void()>& action,
                               std::u16string_view description) {
    // The working-copy writes of one action stand or fall together: when one of them
    // fails, every copy it wrote is put back, the pages show the copies again and the
    // user is told why. An action inside another (a command a drop raises) is part of
    // the outer one's unit and step.
    WorkingCopies& copies = WorkingCopies::Current();
    const bool outermost = !copies.InUnit();
    if (outermost) {
        m_stepDescription.clear();
        m_pendingMove.reset();
    }
    copies.BeginUnit();
    action();
    const std::vector<FileError> failures = copies.EndUnit();
    if (!outermost) {
        return failures.empty();
    }
    if (failures.empty()) {
        FinishStep(m_stepDescription.empty() ? description : m_stepDescription);
    } else {
        m_pendingMove.reset();
        ReportWorkingCopyFailures(failures);
    }
    Refresh();
    return failures.empty();
}

// A unit that stood is one step of the history, or a move through it.
void CEditorDlg::FinishStep(std::u16string_view description) {
    WorkingCopies& copies = WorkingCopies::Current();
    std::vector<CopyChange> changes = copies.TakeUnitChanges();
    FollowSavedState();
    if (m_pendingMove) {
        const HistoryMove move = *m_pendingMove;
        m_pendingMove.reset();
        m_history.Moved(move);
        m_changes += move == HistoryMove::Undo ? -1 : 1;
        ReloadPagesReading(m_movedCopies);
        return;
    }
    if (changes.empty()) {
        return;
    }
    m_history.Record(std::u16string(description), changes);
    // A step after undoing past the last save goes away from the saved state again.
    m_changes = std::abs(m_changes) + 1;
}

void CEditorDlg::Undo() {
    MoveInHistory(HistoryMove::Undo);
}

void CEditorDlg::Redo() {
    MoveInHistory(HistoryMove::Redo);
}

// The copies are written inside the running command's unit; the history moves on only
// when the unit stands (FinishStep).
void CEditorDlg::MoveInHistory(HistoryMove move) {
    if (!WorkingCopies::Current().InUnit()) {
        RunPageAction([this, move] { MoveInHistory(move); });
        return;
    }
    std::vector<std::string> written;
    const FileResult applied = m_history.Apply(WorkingCopies::Current(), move, written);
    if (applied) {
        m_pendingMove = move;
        m_movedCopies = std::move(written);
        return;
    }
    if (applied.Error().step == FileStep::Write) {
        return;  // the unit's failure: reported and put back with the unit
    }
    // A copy that is not as the history left it cannot be rebuilt from it.
    m_history.Clear();
    std::u16string text(kHistoryLostMessage);
    text += DescribeWorkingCopyError(applied.Error())
                .substr(std::u16string_view(u"the working copy of ").size());
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

std::u16string CEditorDlg::HistoryMenuText(HistoryMove move) const {
    std::u16string text = move == HistoryMove::Undo ? u"Undo" : u"Redo";
    const std::u16string_view step = m_history.Description(move);
    if (!step.empty()) {
        text += u" ";
        text += step;
    }
    return text;
}

// The pages whose lists are built from a copy that was written back, each keeping what
// the user looks at.
void CEditorDlg::ReloadPagesReading(const std::vector<std::string>& copies) {
    std::vector<CPage*> pages;
    for (const auto& page : m_pages) {
        for (const std::string_view read : page->WorkingCopiesRead()) {
            if (std::find(copies.begin(), copies.end(), read) != copies.end()) {
                pages.push_back(page.get());
                break;
            }
        }
    }
    std::vector<PageViewState> states;
    for (CPage* page : pages) {
        states.push_back(page->SaveViewState());
    }
    for (CPage* page : pages) {
        page->PrepareForReload();
    }
    for (CPage* page : pages) {
        page->Reload();
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i]->RestoreViewState(states[i]);
    }
}

void CEditorDlg::ReloadPagesKeepingView() {
    std::vector<PageViewState> states;
    for (const auto& page : m_pages) {
        states.push_back(page->SaveViewState());
    }
    ReloadPages();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->RestoreViewState(states[i]);
    }
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
        ReloadPagesKeepingView();
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
    // The history belongs to the copies of one open.
    m_history.Clear();
    m_history.SetLimits(static_cast<std::size_t>(SettingNumber(
                            SettingKey::UndoDepth, static_cast<int>(UndoHistory::kDefaultSteps))),
                        UndoHistory::kDefaultBytes);
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
    RecordSession();
    if (m_refresh) {
        m_refresh();
    }
}

// After an open or save the count of changes starts again, and the copies' bytes as
// they are now are what the session record calls saved.
void CEditorDlg::FollowSavedState() {
    WorkingCopies& copies = WorkingCopies::Current();
    if (copies.SavedGeneration() == m_savedGeneration) {
        return;
    }
    m_savedGeneration = copies.SavedGeneration();
    m_changes = 0;
    m_savedCopies.clear();
    for (const std::string& name : copies.Expected()) {
        std::string bytes;
        if (ReadFileBytes(FileSystem::System(), name, bytes)) {
            m_savedCopies[name] = StableHash(bytes);
        }
    }
}

// The session record follows the open folder and its saved state, so that the next
// start can tell unsaved work in the copies of an editor that died; it is written only
// when it changed.
void CEditorDlg::RecordSession() {
    FollowSavedState();
    SessionRecord record;
    if (m_folder.IsDatabaseOpen()) {
        record.folder = m_folder.GetFolderPath();
        record.stamps = m_folder.Stamps();
        record.savedCopies = m_savedCopies;
    }
    record.changes = std::abs(m_changes);
    if (m_sessionWritten && record == m_session) {
        return;
    }
    m_session = std::move(record);
    // A record that cannot be written only costs the offer after a crash.
    m_sessionWritten = WriteSessionRecord(FileSystem::System(), kSessionRecordName, m_session).Ok();
}

// A positive number a setting holds, or `fallback`.
int CEditorDlg::SettingNumber(SettingKey key, int fallback) const {
    const std::u16string text = m_settings.Value(key);
    int value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9' || value > 1000000) {
            return fallback;
        }
        value = value * 10 + (c - u'0');
    }
    return value > 0 ? value : fallback;
}

void CEditorDlg::SetBackupRoot(const std::filesystem::path& root) {
    m_folder.SetBackupStore(std::make_unique<BackupStore>(
        FileSystem::System(), root, SettingNumber(SettingKey::BackupCount, 10)));
}

// The database files of `folder` (a backup, a left working folder's copies) become the
// working copies of the open database, read and written through the engine as an open
// makes them.
bool CEditorDlg::WriteCopiesFrom(const std::filesystem::path& folder,
                                 const std::vector<std::string>& fileNames) {
    const auto& expected = WorkingCopies::Current().Expected();
    std::vector<std::pair<std::string_view, std::unique_ptr<CXmlDoc>>> docs;
    bool readable = true;
    ForEachDatabaseFile([&](const DatabaseFile& file) {
        const bool wanted =
            std::find(fileNames.begin(), fileNames.end(), file.fileName) != fileNames.end();
        if (!readable || !wanted || !expected.contains(file.workingCopy)) {
            return;  // a file the open database does not have could not be saved anyway
        }
        auto doc = std::make_unique<CXmlDoc>();
        if (!doc->Load(folder / file.fileName) && doc->GetFileError()) {
            m_platform.ShowMessage(
                kMessageCaption,
                u"Nothing was restored:\n" +
                    DescribeFileError(
                        {FileStep::Read, folder / file.fileName, doc->GetFileError(), {}}),
                MessageButtons::Ok);
            readable = false;
            return;
        }
        docs.emplace_back(file.workingCopy, std::move(doc));
    });
    if (!readable) {
        return false;
    }
    for (auto& [copy, doc] : docs) {
        SaveWorkingCopy(*doc, copy);
    }
    return true;
}

void CEditorDlg::RestoreBackup() {
    const BackupStore* store = m_folder.Backups();
    if (!m_folder.IsDatabaseOpen()) {
        return;
    }
    const std::vector<BackupInfo> backups =
        store ? store->List(m_folder.GetFolderPath()) : std::vector<BackupInfo>{};
    if (backups.empty()) {
        m_platform.ShowMessage(kMessageCaption, kNoBackupMessage, MessageButtons::Ok);
        return;
    }
    CRestoreBackupDlg form;
    form.m_heading = u"Backups of " + m_folder.GetFolderPath().u16string() + u", newest first:";
    for (const BackupInfo& backup : backups) {
        form.m_entries.push_back(
            backup.when + u"  (" +
            CountedText({}, static_cast<int>(backup.files.size()), u"file", u"files") + u")");
    }
    if (!m_platform.RunDialog(form) || !form.Ok()) {
        return;
    }
    const BackupInfo& chosen = backups[static_cast<std::size_t>(form.m_selected)];
    DescribeStep(u"Restore backup of " + chosen.when);
    if (WriteCopiesFrom(chosen.path, chosen.files)) {
        ReloadPagesKeepingView();
        m_platform.ShowMessage(kMessageCaption, kRestoredMessage, MessageButtons::Ok);
    }
}

void CEditorDlg::CheckDatabase() {
    if (!m_folder.IsDatabaseOpen()) {
        return;
    }
    CCheckReportDlg form(vesko::CheckDatabase());
    if (form.Report().findings.empty()) {
        m_platform.ShowMessage(kMessageCaption, kCheckCleanMessage, MessageButtons::Ok);
        return;
    }
    if (!m_platform.RunDialog(form) || !form.Ok()) {
        return;
    }
    DescribeStep(form.FixText());
    FixDatabase();
    ReloadPagesKeepingView();
}

bool CEditorDlg::RecoverSession(const LeftSession& left) {
    if (!OpenNamedFolder(left.record.folder)) {
        return false;
    }
    // Save asks about files that changed since the dead editor read or wrote them.
    m_folder.SetStamps(left.record.stamps);
    const bool recovered = RunPageAction(
        [&] {
            ForEachDatabaseFile([&](const DatabaseFile& file) {
                std::string bytes;
                if (!left.record.savedCopies.contains(file.workingCopy) ||
                    !WorkingCopies::Current().Expected().contains(file.workingCopy) ||
                    !ReadFileBytes(FileSystem::System(), left.path / file.workingCopy, bytes)) {
                    return;
                }
                WorkingCopies::Current().WriteBytes(file.workingCopy, bytes);
            });
            ReloadPagesKeepingView();
        },
        u"Recover unsaved changes");
    if (recovered) {
        m_changes = std::max(left.record.changes, 1);
        Refresh();
    }
    return recovered;
}

}  // namespace vesko
