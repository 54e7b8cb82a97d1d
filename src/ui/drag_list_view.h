#pragma once
// DragListView: the report-style list of every list page. It shows one CDragListCtrl
// through a DragListModel, keeps the selection in step with the control both ways and
// feeds the control's drag steps with the mouse: begin-drag, moves, the release and
// the 100 ms auto-scroll timer. Keys, double-clicks and right clicks are turned into
// the page's commands, which leave through the `command` signal.

#include <QTableView>
#include <QTimer>
#include <functional>

#include "base/page_input.h"
#include "controls/drag_list_ctrl.h"

class QLabel;

namespace vesko::ui {

class DragListModel;

// What the owner page decides for this list; any of them may be empty.
struct ListHooks {
    std::function<int(const KeyPress&)> commandForKey = {};
    std::function<int()> commandForDoubleClick = {};
    std::function<ContextMenu()> contextMenu = {};
    // Runs what a mouse release does to the page (a drop rewrites its file), so that
    // the editor can check its writes and show the result; called directly when empty.
    std::function<void(const std::function<void()>&)> runAction = {};
};

class DragListView : public QTableView {
    Q_OBJECT
public:
    DragListView(CDragListCtrl& list, QWidget* parent = nullptr);
    ~DragListView() override;

    CDragListCtrl& List() { return m_list; }
    DragListModel* ListModel() const { return m_model; }
    void SetHooks(ListHooks hooks) { m_hooks = std::move(hooks); }
    // Lists that only show data (the satellite list, the services beside the
    // transponders) can still be dragged in; this turns the drag off altogether.
    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }

    // Translates a Qt key event into the page's key vocabulary.
    static KeyPress ToKeyPress(const QKeyEvent& event);

signals:
    void command(int command);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ApplyColumns();
    void CopySelectionFromList();
    void CopyAddedRowsFromList(int row, int count);
    void CopySelectionToList();
    void BeginDrag(const QPoint& viewportPos);
    void DragMove(const QPoint& viewportPos);
    void EndDrag();
    void ScrollStep();
    void ShowDragImage(const QPoint& viewportPos);
    QPixmap RenderDragImage(QPoint& hotSpot, const QPoint& viewportPos) const;
    void RaiseCommand(int command);
    void ReleaseOnList();

    CDragListCtrl& m_list;
    DragListModel* m_model = nullptr;
    ListHooks m_hooks;
    bool m_dragEnabled = true;
    bool m_syncing = false;       // selection being copied: do not copy it back
    bool m_pressPending = false;  // left button down on a row, no drag yet
    int m_pressRow = -1;
    bool m_deferredSelect = false;  // a plain press on a selected row selects it alone on release
    QPoint m_pressPos;
    QLabel* m_dragImage = nullptr;  // follows the cursor while rows are dragged
    QPoint m_hotSpot;
    QTimer m_scrollTimer;
};

}  // namespace vesko::ui
