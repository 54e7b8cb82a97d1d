#include "app/editor_dlg.h"

#include "app/about_form.h"
#include "app/history_form.h"
#include "app/service_commands.h"
#include "base/commands.h"
#include "database/working_copies.h"

namespace vesko {

namespace {

constexpr std::u16string_view kWorkingCopyFailedMessage =
    u"The change could not be made and was undone:";

// The change counters as they stood before a command: a command that was undone
// counts as no change.
struct ChangeCounts {
    int folder;
    std::array<int, 5> lists;
};

std::array<CDragListCtrl*, 5> CountingLists(CEditorDlg& editor) {
    return {&editor.TvPage().List(), &editor.RadioPage().List(), &editor.FavTvPage().GroupList(),
            &editor.FavRadioPage().GroupList(), &editor.SatTpPage().TransponderList()};
}

ChangeCounts CountsOf(CEditorDlg& editor) {
    ChangeCounts counts{editor.Folder().GetChangeCount(), {}};
    const auto lists = CountingLists(editor);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        counts.lists[i] = lists[i]->m_dropCount;
    }
    return counts;
}

void RestoreCounts(CEditorDlg& editor, const ChangeCounts& counts) {
    editor.Folder().SetChangeCount(counts.folder);
    const auto lists = CountingLists(editor);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i]->m_dropCount = counts.lists[i];
    }
}

}  // namespace

CEditorDlg::CEditorDlg(Platform& platform) : m_platform(platform), m_folder(platform) {
    m_favTvPage.SetPartnerPage(&m_favRadioPage);
}

void CEditorDlg::OnCommand(int command) {
    // A command's working-copy writes stand or fall together: when one of them fails,
    // every copy it wrote is put back, the pages show the copies again and the user is
    // told why.
    WorkingCopies& copies = WorkingCopies::Current();
    const ChangeCounts before = CountsOf(*this);
    copies.BeginUnit();
    RunCommand(command);
    const std::vector<FileError> failures = copies.EndUnit();
    if (!failures.empty()) {
        ReportWorkingCopyFailures(failures);
        RestoreCounts(*this, before);
    }
    Refresh();
}

void CEditorDlg::ReportWorkingCopyFailures(const std::vector<FileError>& failures) {
    if (m_folder.IsDatabaseOpen()) {
        ReloadPages();
    }
    std::u16string text(kWorkingCopyFailedMessage);
    for (const FileError& failure : failures) {
        text += u"\n";
        text += DescribeWorkingCopyError(failure);
    }
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

void CEditorDlg::RunCommand(int command) {
    switch (command) {
        case kCmdMenuOpen:
            RunCommand(kCmdOpenFolder);
            return;
        case kCmdOpenFolder:
            OpenFromChooser();
            break;
        case kCmdMenuSave:
            Save();
            break;
        case kCmdToolbarSave:
            RunCommand(kCmdMenuSave);
            return;
        case kCmdSaveTo:
            m_folder.SaveTo();
            break;
        case kCmdMenuExit:
            Exit();
            break;
        case kCmdToolbarExit:
            RunCommand(kCmdMenuExit);
            return;
        case kCmdAbout:
            RunAbout();
            break;
        case kCmdHistory:
            RunHistory();
            break;
        default:
            HandleServiceCommand(*this, command);
            break;
    }
}

bool CEditorDlg::OpenDroppedFolder(const std::filesystem::path& folder) {
    bool opened = false;
    if (ConfirmLeaveCurrent()) {
        opened = m_folder.OpenFolder(folder, OpenSource::Drop, [this] { ReloadPages(); });
    }
    Refresh();
    return opened;
}

void CEditorDlg::OpenFromChooser() {
    if (ConfirmLeaveCurrent()) {
        m_folder.OpenFromChooser([this] { ReloadPages(); });
    }
}

// Unsaved changes of the open folder are either saved or given up before another
// folder replaces its working copies.
bool CEditorDlg::ConfirmLeaveCurrent() {
    return m_folder.ConfirmLeaveCurrent(PageChangeCount());
}

void CEditorDlg::Save() {
    // After a failed save the counters keep saying that there is something to save.
    if (m_folder.Save()) {
        ResetPageChangeCounts();
    }
}

void CEditorDlg::Exit() {
    if (m_folder.ConfirmExit(PageChangeCount())) {
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

// The order matters: the Satellite page's tuner button first, then the pages whose
// lists depend on nothing else, then the lists built from the satellites.
void CEditorDlg::ReloadPages() {
    m_satellitePage.ShowTunerButton(m_satellitePage.ReadTunerCount());
    m_tvPage.Reload();
    m_radioPage.Reload();
    m_favTvPage.Reload();
    m_favRadioPage.Reload();
    m_satellitePage.FillSatelliteList(m_satellitePage.m_tunerIndex);
    m_satTpPage.Reload();
    m_terTpPage.Reload();
    m_cableTpPage.Reload();
    // The changes counted so far belonged to the folder that was just replaced.
    ResetPageChangeCounts();
}

int CEditorDlg::PageChangeCount() const {
    return m_tvPage.List().m_dropCount + m_radioPage.List().m_dropCount +
           m_favTvPage.ChangeCount() + m_favRadioPage.ChangeCount() + m_satTpPage.ChangeCount();
}

void CEditorDlg::ResetPageChangeCounts() {
    m_tvPage.List().m_dropCount = 0;
    m_radioPage.List().m_dropCount = 0;
    m_favTvPage.ResetChangeCount();
    m_favRadioPage.ResetChangeCount();
    m_satTpPage.ResetChangeCount();
}

void CEditorDlg::Refresh() {
    if (m_refresh) {
        m_refresh();
    }
}

}  // namespace vesko
