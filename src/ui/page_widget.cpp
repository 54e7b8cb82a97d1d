#include "ui/page_widget.h"

#include "app/editor_dlg.h"
#include "ui/dialog_units.h"
#include "ui/drag_list_view.h"

namespace vesko::ui {

PageWidget::PageWidget(CEditorDlg& editor, PageTab tab, double widthUnits, double heightUnits,
                       QWidget* parent)
    : QWidget(parent),
      m_editor(editor),
      m_tab(tab),
      m_widthUnits(widthUnits),
      m_heightUnits(heightUnits) {}

void PageWidget::AdoptList(DragListView* view, int listIndex) {
    CEditorDlg* editor = &m_editor;
    const PageTab tab = m_tab;
    view->SetHooks({
        .commandForKey =
            [editor, tab, listIndex](const KeyPress& key) {
                return editor->CommandForInput(tab, listIndex, key);
            },
        .commandForDoubleClick =
            [editor, tab, listIndex] {
                return editor->CommandForInput(tab, listIndex, {PageKey::DoubleClick});
            },
        .contextMenu = [editor, tab, listIndex] { return editor->ContextMenuFor(tab, listIndex); },
        .runAction =
            [editor](const std::function<void()>& action) { editor->RunPageAction(action); },
    });
    view->SetDragEnabled(editor->PageAt(tab).CanReorder(listIndex));
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
