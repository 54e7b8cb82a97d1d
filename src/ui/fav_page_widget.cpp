#include "ui/fav_page_widget.h"

#include <QKeyEvent>

#include "pages/favourites/fav_page.h"
#include "ui/drag_list_view.h"
#include "ui/list_pages.h"

namespace vesko::ui {

FavPageWidget::FavPageWidget(CEditorDlg& editor, CFavPage& page, QWidget* parent)
    : PageWidget(editor, page.Tab(), kListPageWidth, kListPageHeight, parent), m_page(page) {
    m_groups = Place(new DragListView(page.GroupList(), this), 7, 7, 164, 288);
    m_services = Place(new DragListView(page.ServiceList(), this), 171, 7, 520, 288);
    AdoptList(m_groups, 0);
    AdoptList(m_services, 1);
    m_groups->installEventFilter(this);
    SetFocusTarget(m_groups);
}

// The arrow keys on the group list pick the group above or below the selected one
// before the list moves its selection there.
bool FavPageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_groups && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const KeyPress press = DragListView::ToKeyPress(*key);
        if (!press.ctrl && (press.key == PageKey::Up || press.key == PageKey::Down))
            m_page.OnGroupArrow(press.key == PageKey::Up ? -1 : 1);
    }
    return PageWidget::eventFilter(watched, event);
}

}  // namespace vesko::ui
