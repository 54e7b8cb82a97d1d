#include "ui/dialog_registry.h"

#include "ui/about_dialog.h"
#include "ui/add_to_fav_dialog.h"
#include "ui/check_report_dialog.h"
#include "ui/fav_rename_dialog.h"
#include "ui/history_dialog.h"
#include "ui/reference_order_dialog.h"
#include "ui/restore_backup_dialog.h"
#include "ui/sat_edit_dialog.h"
#include "ui/search_dialog.h"
#include "ui/service_edit_dialog.h"
#include "ui/sort_services_dialog.h"
#include "ui/tp_edit_dialog.h"

namespace vesko::ui {

const std::vector<DialogFactory>& DialogFactories() {
    static const std::vector<DialogFactory> factories{
        DialogFor<CAboutDlg, AboutDialog>(),
        DialogFor<CHistoryDlg, HistoryDialog>(),
        DialogFor<CServiceEditDlg, ServiceEditDialog>(),
        DialogFor<CFavRenameDlg, FavRenameDialog>(),
        DialogFor<CAddToFavDlg, AddToFavDialog>(),
        DialogFor<CSatEditDlg, SatEditDialog>(),
        DialogFor<CTpEditDlg, TpEditDialog>(),
        DialogFor<CRestoreBackupDlg, RestoreBackupDialog>(),
        DialogFor<CCheckReportDlg, CheckReportDialog>(),
        DialogFor<CSearchDlg, SearchDialog>(),
        DialogFor<CSortServicesDlg, SortServicesDialog>(),
        DialogFor<CReferenceOrderDlg, ReferenceOrderDialog>(),
    };
    return factories;
}

}  // namespace vesko::ui
