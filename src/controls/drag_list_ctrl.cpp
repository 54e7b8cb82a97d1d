#include "controls/drag_list_ctrl.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace vesko {

namespace {

const std::u16string kEmptyText;

}  // namespace

// ---- columns and rows ----

void CDragListCtrl::SetColumns(std::vector<ListColumn> columns) {
    m_columns = std::move(columns);
    const std::size_t cells = std::max<std::size_t>(1, m_columns.size());
    for (Row& row : m_rows) {
        row.cells.resize(cells);
    }
    NotifyReset();
}

int CDragListCtrl::InsertItem(int row, std::u16string_view text) {
    const int at = std::clamp(row, 0, GetItemCount());
    Row newRow;
    newRow.cells.resize(std::max<std::size_t>(1, m_columns.size()));
    newRow.cells[0].text = text;
    m_rows.insert(m_rows.begin() + at, std::move(newRow));
    NotifyRowsInserted(at, 1);
    return at;
}

bool CDragListCtrl::DeleteItem(int row) {
    if (!IsRow(row)) {
        return false;
    }
    m_rows.erase(m_rows.begin() + row);
    NotifyRowsRemoved(row, 1);
    return true;
}

void CDragListCtrl::DeleteAllItems() {
    m_rows.clear();
    NotifyReset();
}

const std::u16string& CDragListCtrl::GetItemText(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(m_rows[row].cells.size())) {
        return kEmptyText;
    }
    return m_rows[row].cells[column].text;
}

void CDragListCtrl::SetItemText(int row, int column, std::u16string_view text) {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(m_rows[row].cells.size())) {
        return;
    }
    m_rows[row].cells[column].text = text;
    NotifyRowChanged(row);
}

int CDragListCtrl::GetItemImage(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(m_rows[row].cells.size())) {
        return -1;
    }
    return m_rows[row].cells[column].image;
}

void CDragListCtrl::SetItemImage(int row, int column, int image) {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(m_rows[row].cells.size())) {
        return;
    }
    m_rows[row].cells[column].image = image;
    NotifyRowChanged(row);
}

// ---- selection and focus ----

bool CDragListCtrl::IsSelected(int row) const {
    return IsRow(row) && m_rows[row].selected;
}

void CDragListCtrl::SetSelected(int row, bool selected) {
    if (!IsRow(row) || m_rows[row].selected == selected) {
        return;
    }
    m_rows[row].selected = selected;
    NotifyState();
}

bool CDragListCtrl::IsFocused(int row) const {
    return IsRow(row) && m_rows[row].focused;
}

void CDragListCtrl::SetFocused(int row, bool focused) {
    if (!IsRow(row) || m_rows[row].focused == focused) {
        return;
    }
    if (focused) {
        for (Row& other : m_rows) {
            other.focused = false;
        }
    }
    m_rows[row].focused = focused;
    NotifyState();
}

int CDragListCtrl::GetSelectedCount() const {
    return static_cast<int>(
        std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.selected; }));
}

int CDragListCtrl::GetNextSelected(int after) const {
    for (int row = std::max(0, after + 1); row < GetItemCount(); ++row) {
        if (m_rows[row].selected) {
            return row;
        }
    }
    return -1;
}

void CDragListCtrl::ClearSelection() {
    bool changed = false;
    for (Row& row : m_rows) {
        changed = changed || row.selected;
        row.selected = false;
    }
    if (changed) {
        NotifyState();
    }
}

void CDragListCtrl::SelectAndShow(int row) {
    if (!IsRow(row)) {
        return;
    }
    SetSelected(row, true);
    SetFocused(row, true);
    EnsureVisible(row);
}

void CDragListCtrl::EnsureVisible(int row) {
    if (!IsRow(row)) {
        return;
    }
    if (m_updateDepth > 0) {
        m_pendingEnsureVisible = row;
    } else if (m_observer) {
        m_observer->OnEnsureVisible(row);
    }
}

void CDragListCtrl::ScrollToTop(int row) {
    if (!IsRow(row)) {
        return;
    }
    m_topIndex = row;
    if (m_observer) {
        m_observer->OnScrollTo(row);
    }
}

// ---- notifications ----

void CDragListCtrl::BeginUpdate() {
    ++m_updateDepth;
}

void CDragListCtrl::EndUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0) {
        return;
    }
    const bool reset = std::exchange(m_pendingReset, false);
    const bool state = std::exchange(m_pendingState, false);
    const int ensure = std::exchange(m_pendingEnsureVisible, -1);
    if (!m_observer) {
        return;
    }
    if (reset) {
        m_observer->OnListReset();
    } else if (state) {
        m_observer->OnStateChanged();
    }
    if (IsRow(ensure)) {
        m_observer->OnEnsureVisible(ensure);
    }
}

void CDragListCtrl::NotifyReset() {
    if (m_updateDepth > 0) {
        m_pendingReset = true;
    } else if (m_observer) {
        m_observer->OnListReset();
    }
}

void CDragListCtrl::NotifyRowsInserted(int row, int count) {
    if (m_updateDepth > 0) {
        m_pendingReset = true;
    } else if (m_observer) {
        m_observer->OnRowsInserted(row, count);
    }
}

void CDragListCtrl::NotifyRowsRemoved(int row, int count) {
    if (m_updateDepth > 0) {
        m_pendingReset = true;
    } else if (m_observer) {
        m_observer->OnRowsRemoved(row, count);
    }
}

void CDragListCtrl::NotifyRowChanged(int row) {
    if (m_updateDepth > 0) {
        // A changed cell is shown anew by the reset or repaint that ends the batch.
        m_pendingState = true;
    } else if (m_observer) {
        m_observer->OnRowChanged(row);
    }
}

void CDragListCtrl::NotifyState() {
    if (m_updateDepth > 0) {
        m_pendingState = true;
    } else if (m_observer) {
        m_observer->OnStateChanged();
    }
}

// ---- drag and drop ----

void CDragListCtrl::BeginDrag() {
    m_dragging = true;
    m_rowOrigins.clear();
    m_hoverRow = -1;
    m_hoverState = false;
    m_draggedRows.clear();
    for (int row = GetNextSelected(); row >= 0; row = GetNextSelected(row)) {
        m_draggedRows.push_back(row);
    }
    // The drop highlight borrows the selection of the row under the cursor, which a
    // single-selection list would take away from the dragged rows.
    if (m_singleSelection) {
        m_savedSingleSelection = true;
        m_singleSelection = false;
    }
    if (!m_draggedRows.empty()) {
        m_hasDragImage = false;
        BuildDragImage();
    }
}

void CDragListCtrl::BuildDragImage() {
    // The pixels are the view's business; the count of rows in the image is ours and
    // the owner page reads it to reselect the block after a reload.
    m_draggedCount = GetSelectedCount();
    m_hasDragImage = true;
}

void CDragListCtrl::HighlightDropRow(int row) {
    if (!IsRow(row)) {
        return;
    }
    RestoreHighlightedRow();
    m_hoverRow = row;
    m_hoverState = m_rows[row].selected;
    SetSelected(row, true);
    m_dropIndex = row;
    NotifyState();
}

void CDragListCtrl::RestoreHighlightedRow() {
    if (IsRow(m_hoverRow)) {
        SetSelected(m_hoverRow, m_hoverState);
    }
    m_hoverRow = -1;
}

void CDragListCtrl::OnDragMove(int rowUnderCursor, int verticalZone) {
    if (!m_hasDragImage) {
        m_scrollDirection = 0;
        return;
    }
    if (rowUnderCursor >= 0) {
        HighlightDropRow(rowUnderCursor);
    }
    m_scrollDirection = verticalZone < 0 ? 1 : verticalZone > 0 ? 2 : 0;
}

int CDragListCtrl::OnScrollTimer() {
    if (!m_hasDragImage) {
        m_scrollDirection = 0;
        return 0;
    }
    if (m_scrollDirection == 1) {
        HighlightDropRow(m_dropIndex - 1);
        return -1;
    }
    if (m_scrollDirection == 2) {
        HighlightDropRow(m_dropIndex + 1);
        return 1;
    }
    return 0;
}

void CDragListCtrl::OnLeftButtonUp() {
    m_dragging = false;
    m_scrollDirection = 0;
    m_rowOrigins.clear();
    if (m_hasDragImage) {
        m_hasDragImage = false;
        MoveDraggedRows();
    }
    if (m_savedSingleSelection) {
        m_singleSelection = true;
        m_savedSingleSelection = false;
    }
    m_dropped = true;
    ++m_dropCount;
    if (m_afterRelease) {
        m_afterRelease();
    }
}

void CDragListCtrl::MoveDraggedRows() {
    RestoreHighlightedRow();
    const int count = GetItemCount();
    int insertAt = m_dropIndex + 1;
    if (insertAt < 0 || insertAt > count - 1) {
        insertAt = count;
    }
    m_rowOrigins.resize(static_cast<std::size_t>(count));
    std::iota(m_rowOrigins.begin(), m_rowOrigins.end(), 0);
    for (std::size_t entry = 0; entry < m_draggedRows.size(); ++entry) {
        MoveOneDraggedRow(entry, insertAt);
    }
    m_dropIndex = insertAt;
    if (m_savedSingleSelection) {
        m_singleSelection = true;
        m_savedSingleSelection = false;
    }
}

// Copies the dragged row to the insertion point, deletes the original and keeps the
// positions of the rows still to be moved and of the insertion point up to date.
void CDragListCtrl::MoveOneDraggedRow(std::size_t entry, int& insertAt) {
    const int source = m_draggedRows[entry];
    if (!IsRow(source)) {
        return;
    }
    Row copy;
    copy.cells.resize(m_rows[source].cells.size());
    copy.cells[0] = m_rows[source].cells[0];
    copy.focused = m_rows[source].focused;
    copy.selected = true;
    SetSelected(source, false);
    m_rows.insert(m_rows.begin() + insertAt, std::move(copy));
    const int origin = m_rowOrigins[static_cast<std::size_t>(source)];
    m_rowOrigins.insert(m_rowOrigins.begin() + insertAt, origin);
    NotifyRowsInserted(insertAt, 1);

    // Inserting at the source's own index pushes the source down as well; treating
    // that case as "above" keeps a drop right below the row before the block from
    // deleting the fresh copy instead of the original.
    const int moved = insertAt <= source ? source + 1 : source;
    // Cell images stay behind: the owner page refreshes them after the drop.
    for (std::size_t column = 1; column < m_rows[moved].cells.size(); ++column) {
        m_rows[insertAt].cells[column].text = m_rows[moved].cells[column].text;
    }
    NotifyRowChanged(insertAt);
    DeleteItem(moved);
    m_rowOrigins.erase(m_rowOrigins.begin() + moved);

    for (std::size_t later = entry + 1; later < m_draggedRows.size(); ++later) {
        int& e = m_draggedRows[later];
        if (moved < e && e < insertAt) {
            --e;
        } else if (insertAt < e && e < moved) {
            ++e;
        }
    }
    if (insertAt < moved) {
        ++insertAt;
    }
}

}  // namespace vesko
