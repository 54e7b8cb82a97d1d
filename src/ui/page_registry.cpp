#include "ui/page_registry.h"

#include "pages/favourites/fav_page.h"
#include "pages/icons/icon_page.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"
#include "ui/fav_page_widget.h"
#include "ui/icon_page_widget.h"
#include "ui/list_pages.h"

namespace vesko::ui {

PageWidget* CreatePageWidget(CEditorDlg& editor, CPage& page, QWidget* parent) {
    static const std::vector<PageWidgetFactory> factories{
        PageWidgetFor<CServicePage, ServicePageWidget>(),
        PageWidgetFor<CFavPage, FavPageWidget>(),
        PageWidgetFor<CSatellitePage, SatellitePageWidget>(),
        PageWidgetFor<CTransponderPage, TransponderPageWidget>(),
        PageWidgetFor<CIconPage, IconPageWidget>(),
    };
    for (const PageWidgetFactory& factory : factories) {
        if (PageWidget* widget = factory(editor, page, parent)) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace vesko::ui
