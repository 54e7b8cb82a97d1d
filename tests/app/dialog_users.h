#pragma once
// How the test user changes something in each dialog before pressing OK. A dialog
// that arrives with a page adds its line here; a test that meets a dialog without one
// fails.

#include <functional>
#include <map>
#include <typeindex>

#include "app/restore_backup_form.h"
#include "pages/check/check_report_dlg.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/order/reference_order_dlg.h"
#include "pages/satellites/decimal_value.h"
#include "pages/satellites/sat_edit_dlg.h"
#include "pages/satellites/tp_edit_dlg.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/sort_dlg.h"
#include "xml/decimal_text.h"

namespace vesko::testing {

inline const std::map<std::type_index, std::function<bool(CDialogForm&)>>& DialogUsers() {
    static const std::map<std::type_index, std::function<bool(CDialogForm&)>> users{
        {typeid(CServiceEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CServiceEditDlg&>(form);
             edit.m_name += u" (edited)";
             return edit.Ok();
         }},
        {typeid(CFavRenameDlg),
         [](CDialogForm& form) {
             auto& rename = static_cast<CFavRenameDlg&>(form);
             rename.m_name += u" (edited)";
             return rename.Ok();
         }},
        {typeid(CAddToFavDlg),
         [](CDialogForm& form) {
             auto& add = static_cast<CAddToFavDlg&>(form);
             add.m_checks.fill(1);
             return add.Ok();
         }},
        {typeid(CSatEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CSatEditDlg&>(form);
             edit.m_name += u" (edited)";
             return edit.Ok();
         }},
        {typeid(CTpEditDlg),
         [](CDialogForm& form) {
             auto& edit = static_cast<CTpEditDlg&>(form);
             edit.m_freq = DecimalText(ParseDecimal(edit.m_freq) + (edit.m_addMode ? 0 : 1));
             return edit.Ok();
         }},
        {typeid(CCheckReportDlg),
         [](CDialogForm& form) { return static_cast<CCheckReportDlg&>(form).Ok(); }},
        {typeid(CRestoreBackupDlg),
         [](CDialogForm& form) { return static_cast<CRestoreBackupDlg&>(form).Ok(); }},
        {typeid(CSortServicesDlg),
         [](CDialogForm& form) {
             auto& sort = static_cast<CSortServicesDlg&>(form);
             sort.m_selectedOnly = false;
             sort.m_descending = true;
             return sort.Ok();
         }},
        {typeid(CReferenceOrderDlg),
         [](CDialogForm& form) {
             auto& apply = static_cast<CReferenceOrderDlg&>(form);
             apply.m_copyLockAndSkip = true;
             return apply.Ok();
         }},
    };
    return users;
}

}  // namespace vesko::testing
