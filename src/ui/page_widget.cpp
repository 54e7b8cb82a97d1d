#include "ui/page_widget.h"

#include "ui/dialog_units.h"
#include "ui/drag_list_view.h"

namespace vesko::ui {

PageWidget::PageWidget(double widthUnits, double heightUnits, QWidget* parent)
    : QWidget(parent), m_widthUnits(widthUnits), m_heightUnits(heightUnits) {}

void PageWidget::AdoptList(DragListView* view) {
    connect(view, &DragListView::command, this, &PageWidget::command);
}

void PageWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const DialogUnits units(width() / m_widthUnits, height() / m_heightUnits);
    for (const Placed& placed : m_placed) {
        const QRectF& r = placed.units;
        placed.widget->setGeometry(units.Rect(r.x(), r.y(), r.width(), r.height()));
    }
}

}  // namespace vesko::ui
