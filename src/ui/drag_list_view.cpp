#include "ui/drag_list_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/list_model.h"

namespace vesko::ui {

namespace {

constexpr int kScrollIntervalMs = 100;
// The drag image shows at most this many rows; a larger block is summed up below them.
constexpr int kDragImageRows = 8;

}  // namespace

DragListView::DragListView(CDragListCtrl& list, QWidget* parent)
    : QTableView(parent), m_list(list) {
    m_model = new DragListModel(list, this);
    setModel(m_model);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setDragEnabled(false);  // rows move by our own drag, not by Qt's drag and drop
    setAcceptDrops(false);  // a folder dropped here goes on to the main window
    setIconSize(QSize(16, 16));
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // the auto-scroll moves by lines
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Uniform row heights keep long lists fast: nothing is measured per row.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
    QHeaderView* columns = horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setSectionsClickable(false);
    columns->setMinimumSectionSize(8);
    ApplyColumns();

    connect(m_model, &QAbstractItemModel::modelReset, this, &DragListView::ApplyColumns);
    connect(m_model, &DragListModel::stateChanged, this, &DragListView::CopySelectionFromList);
    connect(m_model, &DragListModel::rowsAdded, this, &DragListView::CopyAddedRowsFromList);
    connect(m_model, &DragListModel::ensureVisible, this,
            [this](int row) { scrollTo(m_model->index(row, 0)); });
    connect(m_model, &DragListModel::scrollToTop, this, [this](int row) {
        scrollTo(m_model->index(row, 0), QAbstractItemView::PositionAtTop);
    });
    // The control keeps where the user scrolled to, so that a page can show it again.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { m_list.NoteTopIndex(std::max(0, rowAt(0))); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DragListView::CopySelectionToList);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncing && !m_model->RowsChanging() && current.isValid()) {
                    m_syncing = true;
                    m_list.SetFocused(current.row(), true);
                    m_syncing = false;
                }
            });

    m_scrollTimer.setInterval(kScrollIntervalMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &DragListView::ScrollStep);
    CopySelectionFromList();
}

DragListView::~DragListView() {
    m_scrollTimer.stop();
}

void DragListView::ApplyColumns() {
    const auto& listColumns = m_list.GetColumns();
    for (int column = 0; column < static_cast<int>(listColumns.size()); ++column) {
        setColumnWidth(column, listColumns[static_cast<std::size_t>(column)].width);
    }
}

// ---- selection in step with the control ----

void DragListView::CopySelectionFromList() {
    if (m_syncing) {
        return;
    }

    m_syncing = true;
    QItemSelection selection;
    const int rows = m_list.GetItemCount();
    const int lastColumn = std::max(0, m_model->columnCount() - 1);
    int focused = -1;
    for (int row = 0; row < rows;) {
        if (m_list.IsFocused(row)) {
            focused = row;
        }
        if (!m_list.IsSelected(row)) {
            ++row;
            continue;
        }
        const int first = row;
        while (row + 1 < rows && m_list.IsSelected(row + 1)) {
            ++row;
            if (m_list.IsFocused(row)) {
                focused = row;
            }
        }
        selection.select(m_model->index(first, 0), m_model->index(row, lastColumn));
        ++row;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (focused >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(focused, 0),
                                          QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

// Only the new rows need looking at, which keeps long lists fast when many rows are
// inserted one by one.
void DragListView::CopyAddedRowsFromList(int row, int count) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    const int lastColumn = std::max(0, m_model->columnCount() - 1);
    for (int added = row; added < row + count; ++added) {
        const bool selected = m_list.IsSelected(added);
        if (selected != selectionModel()->isRowSelected(added, {})) {
            selectionModel()->select(
                QItemSelection(m_model->index(added, 0), m_model->index(added, lastColumn)),
                selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
        }
        if (m_list.IsFocused(added)) {
            selectionModel()->setCurrentIndex(m_model->index(added, 0),
                                              QItemSelectionModel::NoUpdate);
        }
    }
    m_syncing = false;
}

void DragListView::CopySelectionToList() {
    // While rows come and go the selection model passes through interim states that
    // are not the user's choice; the control's own state is copied back afterwards.
    if (m_syncing || m_model->RowsChanging()) {
        return;
    }
    m_syncing = true;
    // One notification for the whole change, however many rows it touched.
    m_list.BeginUpdate();
    const QItemSelectionModel* model = selectionModel();
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        m_list.SetSelected(row, model->isRowSelected(row, {}));
    }
    m_list.EndUpdate();
    m_syncing = false;
}

// ---- keys, clicks and menus ----

KeyPress DragListView::ToKeyPress(const QKeyEvent& event) {
    KeyPress press;
    press.ctrl = (event.modifiers() & Qt::ControlModifier) != 0;
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            press.key = PageKey::Enter;
            break;
        case Qt::Key_Escape:
            press.key = PageKey::Escape;
            break;
        case Qt::Key_Insert:
            press.key = PageKey::Insert;
            break;
        case Qt::Key_Delete:
            press.key = PageKey::Delete;
            break;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            press.key = keypad ? PageKey::KeypadDecimal : PageKey::Other;
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            press.key = PageKey::Plus;
            break;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            press.key = PageKey::Minus;
            break;
        case Qt::Key_Up:
            press.key = PageKey::Up;
            break;
        case Qt::Key_Down:
            press.key = PageKey::Down;
            break;
        case Qt::Key_PageUp:
            press.key = PageKey::PageUp;
            break;
        case Qt::Key_PageDown:
            press.key = PageKey::PageDown;
            break;
        case Qt::Key_F3:
            press.key = PageKey::F3;
            break;
        case Qt::Key_D:
            press.key = PageKey::LetterD;
            break;
        case Qt::Key_F:
            press.key = PageKey::LetterF;
            break;
        case Qt::Key_O:
            press.key = PageKey::LetterO;
            break;
        case Qt::Key_S:
            press.key = PageKey::LetterS;
            break;
        default:
            break;
    }
    return press;
}

bool DragListView::event(QEvent* event) {
    // A key the page turns into a command belongs to the list, not to a window-wide
    // shortcut: Ctrl+O pressed in a list must open the chooser once, not twice.
    if (event->type() == QEvent::ShortcutOverride && m_hooks.commandForKey) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_hooks.commandForKey(ToKeyPress(*key)) != 0) {
            event->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

void DragListView::keyPressEvent(QKeyEvent* event) {
    const KeyPress press = ToKeyPress(*event);
    const int cmd = m_hooks.commandForKey ? m_hooks.commandForKey(press) : 0;
    if (cmd != 0) {
        event->accept();
        RaiseCommand(cmd);
        return;
    }
    if (press.key == PageKey::Enter || press.key == PageKey::Escape) {
        event->accept();  // never the window's default or cancel action
        return;
    }
    // Home and End go to the first and last row, with or without Ctrl (a table would
    // go to the first and last column of the row); PageUp and PageDown move the
    // selection by a page as the table does.
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) && m_model->rowCount() > 0 &&
        !(event->modifiers() & Qt::ShiftModifier)) {
        const int row = event->key() == Qt::Key_Home ? 0 : m_model->rowCount() - 1;
        const QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DragListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && m_hooks.commandForDoubleClick) {
        if (const int cmd = m_hooks.commandForDoubleClick(); cmd != 0) {
            RaiseCommand(cmd);
        }
    }
}

void DragListView::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_hooks.contextMenu) {
        return;
    }
    const ContextMenu entries = m_hooks.contextMenu();
    if (entries.empty()) {
        return;
    }
    QMenu menu(this);
    for (const MenuEntry& entry : entries) {
        if (entry.text.empty()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdU16String(entry.text));
        action->setObjectName(
            QString::fromLatin1(entry.name.data(), static_cast<int>(entry.name.size())));
        action->setData(entry.command);
        action->setEnabled(!entry.greyed);
    }
    if (QAction* chosen = menu.exec(event->globalPos())) {
        RaiseCommand(chosen->data().toInt());
    }
}

void DragListView::RaiseCommand(int cmd) {
    emit command(cmd);
}

void DragListView::ReleaseOnList() {
    const auto release = [this] { m_list.OnLeftButtonUp(); };
    if (m_hooks.runAction) {
        m_hooks.runAction(release);
    } else {
        release();
    }
}

// ---- the drag ----

void DragListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        m_pressPending = index.isValid() && m_dragEnabled;
        m_pressRow = index.row();
        m_pressPos = event->position().toPoint();
        m_deferredSelect = false;
        // As in a desktop list: a plain press on a selected row keeps the selection so
        // that all selected rows can be dragged; without a drag the release selects
        // that row alone.
        if (m_pressPending && event->modifiers() == Qt::NoModifier &&
            selectionModel()->isRowSelected(m_pressRow, {})) {
            m_deferredSelect = true;
            event->accept();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void DragListView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_list.m_dragging) {
        if (!(event->buttons() & Qt::LeftButton)) {
            // The release went elsewhere (a popup took the mouse): end the drag as the
            // release would have, rather than leave the image stuck to the cursor.
            EndDrag();
            ReleaseOnList();
        } else {
            DragMove(pos);
        }
        event->accept();
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && m_pressPending) {
        if ((pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            BeginDrag(pos);
        }
        event->accept();  // rows are dragged, not swept into the selection
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void DragListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const bool dragged = m_list.m_dragging;
    if (!dragged && m_deferredSelect) {
        const QModelIndex index = m_model->index(m_pressRow, 0);
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    m_pressPending = false;
    m_deferredSelect = false;
    EndDrag();
    // Every release counts, a plain click included; the control moves the rows of a
    // drag and lets its page bring the file into the new order.
    ReleaseOnList();
    if (dragged) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void DragListView::BeginDrag(const QPoint& viewportPos) {
    m_pressPending = false;
    m_deferredSelect = false;
    m_list.BeginDrag();
    viewport()->setCursor(Qt::SizeAllCursor);
    if (m_list.m_hasDragImage) {
        ShowDragImage(viewportPos);
    }
}

void DragListView::DragMove(const QPoint& pos) {
    if (!m_list.m_hasDragImage) {
        m_list.OnDragMove(-1, 0);
        m_scrollTimer.stop();
        return;
    }
    if (m_dragImage) {
        m_dragImage->move(pos - m_hotSpot);
    }
    // Only the height of the cursor matters: the row is the one at the list's left edge.
    const int zone = pos.y() < 0 ? -1 : pos.y() >= viewport()->height() ? 1 : 0;
    const int row = zone == 0 ? rowAt(pos.y()) : -1;
    m_list.OnDragMove(row, zone);
    if (m_list.m_scrollDirection == 0) {
        m_scrollTimer.stop();
    } else if (!m_scrollTimer.isActive()) {
        m_scrollTimer.start();
    }
}

void DragListView::ScrollStep() {
    const int lines = m_list.OnScrollTimer();
    if (lines != 0) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
    }
    if (m_list.m_scrollDirection == 0) {
        m_scrollTimer.stop();
    }
}

void DragListView::EndDrag() {
    m_scrollTimer.stop();
    if (m_dragImage) {
        m_dragImage->deleteLater();
        m_dragImage = nullptr;
    }
    viewport()->unsetCursor();
}

void DragListView::ShowDragImage(const QPoint& viewportPos) {
    QPoint hotSpot;
    const QPixmap pixmap = RenderDragImage(hotSpot, viewportPos);
    if (pixmap.isNull()) {
        return;
    }
    m_hotSpot = hotSpot;
    m_dragImage = new QLabel(viewport());
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setPixmap(pixmap);
    m_dragImage->resize(pixmap.size());
    m_dragImage->move(viewportPos - m_hotSpot);
    m_dragImage->show();
    m_dragImage->raise();
}

// The selected rows, stacked and translucent, with the cursor where it grabbed the
// first of them.
QPixmap DragListView::RenderDragImage(QPoint& hotSpot, const QPoint& viewportPos) const {
    std::vector<int> rows;
    for (int row = m_list.GetNextSelected();
         row >= 0 && static_cast<int>(rows.size()) < kDragImageRows;
         row = m_list.GetNextSelected(row)) {
        rows.push_back(row);
    }
    if (rows.empty()) {
        return {};
    }
    const int rowHeight = verticalHeader()->defaultSectionSize();
    const int more = m_list.m_draggedCount - static_cast<int>(rows.size());
    const int width = std::min(viewport()->width(), horizontalHeader()->length());
    const int height = rowHeight * (static_cast<int>(rows.size()) + (more > 0 ? 1 : 0));
    QPixmap pixmap(std::max(1, width), std::max(1, height));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setOpacity(0.6);
    QColor fill = palette().color(QPalette::Highlight);
    painter.fillRect(pixmap.rect(), fill.lighter(160));
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const int top = static_cast<int>(n) * rowHeight;
        for (int column = 0; column < m_model->columnCount(); ++column) {
            const int left = columnViewportPosition(column);
            const int cellWidth = columnWidth(column);
            if (left + cellWidth < 0 || left > width) {
                continue;
            }
            const QRect cell(left + 3, top, cellWidth - 6, rowHeight);
            const int image = m_list.GetItemImage(rows[n], column);
            if (image > 0) {
                painter.drawPixmap(
                    left + 2, top + (rowHeight - 16) / 2,
                    m_model->data(m_model->index(rows[n], column), Qt::DecorationRole)
                        .value<QPixmap>());
            }
            const QString text = QString::fromStdU16String(m_list.GetItemText(rows[n], column));
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                             fontMetrics().elidedText(text, Qt::ElideRight, cell.width()));
        }
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, top + rowHeight - 1, width, top + rowHeight - 1);
        painter.setPen(palette().color(QPalette::Text));
    }
    if (more > 0) {
        painter.drawText(QRect(6, height - rowHeight, width - 12, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("+ %1 more").arg(more));
    }
    // The grabbed row stays under the cursor, where the user took hold of it.
    const auto grabbed = std::find(rows.begin(), rows.end(), m_pressRow);
    const int grabbedIndex = grabbed == rows.end() ? 0 : static_cast<int>(grabbed - rows.begin());
    const int withinRow =
        grabbed == rows.end()
            ? rowHeight / 2
            : std::clamp(m_pressPos.y() - rowViewportPosition(m_pressRow), 0, rowHeight - 1);
    hotSpot = QPoint(viewportPos.x(), grabbedIndex * rowHeight + withinRow);
    return pixmap;
}

}  // namespace vesko::ui
