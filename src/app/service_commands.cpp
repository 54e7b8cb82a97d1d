// The main window's TV and Radio service commands: each calls the page's operations,
// runs the dialog that belongs to it, keeps the other pages in step and counts the
// change.

#include "app/service_commands.h"

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "pages/services/service_edit_dlg.h"

namespace vesko {

namespace {

enum class ServiceAction { None, Edit, Delete, MoveUp, MoveDown, Lock, Skip };

struct ServiceCommand {
    ServiceKind kind = ServiceKind::Tv;
    ServiceAction action = ServiceAction::None;
};

// Add to favourites (32796 / 32785) and search (32820 / 32821) are not handled here.
ServiceCommand Decode(int command) {
    switch (command) {
        case kCmdTvEdit:
            return {ServiceKind::Tv, ServiceAction::Edit};
        case kCmdTvDelete:
            return {ServiceKind::Tv, ServiceAction::Delete};
        case kCmdTvMoveUp:
            return {ServiceKind::Tv, ServiceAction::MoveUp};
        case kCmdTvMoveDown:
            return {ServiceKind::Tv, ServiceAction::MoveDown};
        case kCmdTvLock:
            return {ServiceKind::Tv, ServiceAction::Lock};
        case kCmdTvSkip:
            return {ServiceKind::Tv, ServiceAction::Skip};
        case kCmdRadioEdit:
            return {ServiceKind::Radio, ServiceAction::Edit};
        case kCmdRadioDelete:
            return {ServiceKind::Radio, ServiceAction::Delete};
        case kCmdRadioMoveUp:
            return {ServiceKind::Radio, ServiceAction::MoveUp};
        case kCmdRadioMoveDown:
            return {ServiceKind::Radio, ServiceAction::MoveDown};
        case kCmdRadioLock:
            return {ServiceKind::Radio, ServiceAction::Lock};
        case kCmdRadioSkip:
            return {ServiceKind::Radio, ServiceAction::Skip};
        default:
            return {};
    }
}

CServicePage& PageOf(CEditorDlg& editor, ServiceKind kind) {
    return kind == ServiceKind::Tv ? editor.TvPage() : editor.RadioPage();
}

// After an edited service was saved, the pages that show it again.
// The favourites page of the same kind: FillGroupList, then FillGroupServices for
// group 0. The Sat Tp page: its current satellite's key (GetSatelliteKey for
// m_satIndex), m_selectedRow = its GetSelectedRow, that row's tp_key
// (GetTransponderAttribute), then FillServiceList for that satellite key, that
// tp_key and its m_serviceKind. The Satellite page: FillSatelliteList for its
// m_tunerIndex, then its FillServiceList for the satellite key read from the Sat Tp
// page and its own m_serviceKind. Those operations arrive with the favourites and
// satellite pages; they are called from here.
void RefreshOtherPagesAfterEdit(CEditorDlg& editor, ServiceKind kind) {
    (void)editor;
    (void)kind;
}

// After services were deleted: the favourites page of the same kind refills its group
// list and the services of its m_currentGroup (FillGroupList, FillGroupServices), as
// the deleted services left its groups. Called from here once that page has them.
void RefreshFavouritesAfterDelete(CEditorDlg& editor, ServiceKind kind) {
    (void)editor;
    (void)kind;
}

void EditService(CEditorDlg& editor, CServicePage& page) {
    const int row = page.GetSelectedRow();
    if (row == -1)
        return;
    CServiceEditDlg form(editor.GetPlatform());
    form.m_page = &page;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form))
        return;
    page.List().SelectAndShow(row);
    page.RefreshSelectedRows();
    RefreshOtherPagesAfterEdit(editor, page.Kind());
    editor.Folder().AddChange();
}

void DeleteServices(CEditorDlg& editor, CServicePage& page) {
    const int deleted = page.DeleteSelected();
    page.RenumberRows();
    RefreshFavouritesAfterDelete(editor, page.Kind());
    // Nothing selected, nothing deleted: nothing to save either.
    if (deleted > 0)
        editor.Folder().AddChange();
}

}  // namespace

bool HandleServiceCommand(CEditorDlg& editor, int command) {
    const ServiceCommand decoded = Decode(command);
    if (decoded.action == ServiceAction::None)
        return false;
    CServicePage& page = PageOf(editor, decoded.kind);
    switch (decoded.action) {
        case ServiceAction::Edit:
            EditService(editor, page);
            break;
        case ServiceAction::Delete:
            DeleteServices(editor, page);
            break;
        case ServiceAction::MoveUp:
            if (page.MoveUp(editor.GetPlatform()))
                editor.Folder().AddChange();
            break;
        case ServiceAction::MoveDown:
            if (page.MoveDown(editor.GetPlatform()))
                editor.Folder().AddChange();
            break;
        // Lock and skip are not changes of the main window, but they did change the
        // working copy: the page's own counter takes them, so that leaving the editor
        // still asks before the working copies are thrown away.
        case ServiceAction::Lock:
            page.ToggleLock();
            ++page.List().m_dropCount;
            break;
        case ServiceAction::Skip:
            page.ToggleSkip();
            ++page.List().m_dropCount;
            break;
        case ServiceAction::None:
            break;
    }
    return true;
}

}  // namespace vesko
