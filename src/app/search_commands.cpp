#include "app/search_commands.h"

#include "app/editor_dlg.h"
#include "pages/favourites/fav_page.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/search/search_dlg.h"
#include "pages/services/service_page.h"

namespace vesko {

namespace {

// The list a search reads and what the page does once a row of it was picked.
void AimAtPage(CEditorDlg& editor, CSearchDlg& form) {
    switch (form.Traits().kind) {
        case SearchKind::Tv:
            form.m_list = &editor.Page<CServicePage>(PageTab::Tv).List();
            break;
        case SearchKind::Radio:
            form.m_list = &editor.Page<CServicePage>(PageTab::Radio).List();
            break;
        case SearchKind::FavTv:
            form.m_list = &editor.Page<CFavPage>(PageTab::FavTv).ServiceList();
            break;
        case SearchKind::FavRadio:
            form.m_list = &editor.Page<CFavPage>(PageTab::FavRadio).ServiceList();
            break;
        case SearchKind::Satellite: {
            auto& page = editor.Page<CSatellitePage>(PageTab::Satellite);
            form.m_list = &page.SatelliteList();
            form.m_afterSelect = [&page] { page.TakeSelectedSatellite(); };
            break;
        }
        case SearchKind::SatTp:
        case SearchKind::TerTp:
        case SearchKind::CableTp: {
            const PageTab tab = form.Traits().kind == SearchKind::SatTp   ? PageTab::SatTp
                                : form.Traits().kind == SearchKind::TerTp ? PageTab::TerTp
                                                                          : PageTab::CableTp;
            auto& page = editor.Page<CTransponderPage>(tab);
            form.m_list = &page.TransponderList();
            form.m_afterSelect = [&page] { page.TakeSelectedTransponder(); };
            break;
        }
        case SearchKind::Program:  // the Icon page runs its own
            break;
    }
}

}  // namespace

void RunSearch(CEditorDlg& editor, SearchKind kind) {
    CSearchDlg form(kind);
    AimAtPage(editor, form);
    editor.GetPlatform().RunDialog(form);
}

}  // namespace vesko
