#pragma once
// CDragListCtrl: the report-style list of every list page, as an in-memory table of
// rows (cell texts, cell images, selected and focused states) plus the drag state
// of a list whose selected rows can be dragged below another row. The page
// algorithms read and write it as they would a platform list view; the Qt view
// shows it through an observer and feeds mouse events into the drag steps.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vesko {

struct ListColumn {
    std::u16string header;
    int width = 60;  // pixels
};

// Told about every change of a list, so that a view can follow it.
class IListObserver {
public:
    virtual ~IListObserver() = default;
    virtual void OnListReset() = 0;  // everything may have changed
    virtual void OnRowsInserted(int row, int count) = 0;
    virtual void OnRowsRemoved(int row, int count) = 0;
    virtual void OnRowChanged(int row) = 0;  // texts or images of one row
    virtual void OnStateChanged() = 0;       // selection or focus
    virtual void OnEnsureVisible(int row) = 0;
    virtual void OnScrollTo(int /*row*/) {}  // make `row` the first row in view
};

class CDragListCtrl {
public:
    // Images of the list's 16 x 16 image list.
    enum Image : int {
        kImageBlank = 0,
        kImageCheck = 1,
        kImagePadlock = 3,
        kImageDollar = 6,
        kImageHeart = 7,
    };

    CDragListCtrl() = default;
    explicit CDragListCtrl(std::vector<ListColumn> columns) : m_columns(std::move(columns)) {}
    CDragListCtrl(const CDragListCtrl&) = delete;
    CDragListCtrl& operator=(const CDragListCtrl&) = delete;

    // Columns.
    void SetColumns(std::vector<ListColumn> columns);
    const std::vector<ListColumn>& GetColumns() const { return m_columns; }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }

    // Rows. Cell images are -1 (none) until set.
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    // Inserts a row with the column-0 text at `row` (clamped to the end); returns its index.
    int InsertItem(int row, std::u16string_view text);
    bool DeleteItem(int row);
    void DeleteAllItems();
    const std::u16string& GetItemText(int row, int column) const;  // "" outside the list
    void SetItemText(int row, int column, std::u16string_view text);
    int GetItemImage(int row, int column) const;  // -1 outside the list
    void SetItemImage(int row, int column, int image);

    // Selection and focus.
    bool IsSelected(int row) const;
    void SetSelected(int row, bool selected);
    bool IsFocused(int row) const;
    void SetFocused(int row, bool focused);  // at most one row has the focus
    int GetSelectedCount() const;
    // First selected row after `after` (-1: from the top); -1 when there is none.
    int GetNextSelected(int after = -1) const;
    void ClearSelection();
    // Selects and focuses a row and scrolls it into view.
    void SelectAndShow(int row);
    void EnsureVisible(int row);
    // The first row in view. The view notes where the user scrolled to; a page that
    // puts back what the user looked at scrolls there again.
    int GetTopIndex() const { return m_topIndex; }
    void NoteTopIndex(int row) { m_topIndex = row; }
    void ScrollToTop(int row);

    // Many changes in a row (a reload): observers hear one reset at the end.
    void BeginUpdate();
    void EndUpdate();

    void SetObserver(IListObserver* observer) { m_observer = observer; }
    IListObserver* GetObserver() const { return m_observer; }

    // A list in single-selection mode; a drag switches it off for its duration so that
    // the drop highlight can sit beside the dragged rows.
    void SetSingleSelection(bool single) { m_singleSelection = single; }
    bool IsSingleSelection() const { return m_singleSelection; }

    // The owner page's reaction to a left-button release over the list (it reads
    // m_dropped there and brings its file into the list's new order). Runs at the end
    // of OnLeftButtonUp.
    void SetAfterReleaseHandler(std::function<void()> handler) {
        m_afterRelease = std::move(handler);
    }

    // ---- drag and drop ----
    // Starts a drag of the selected rows.
    void BeginDrag();
    // Highlights `row` as the drop target (ignored outside the list).
    void HighlightDropRow(int row);
    // Gives the highlighted row back its own selection state.
    void RestoreHighlightedRow();
    // Moves the dragged rows into one selected block below the highlighted row.
    void MoveDraggedRows();
    // For each row after the last drop, the row it was before the drop; empty when the
    // last release moved no row. The owner puts its records into the same order by
    // position, so it needs no key to find them.
    const std::vector<int>& RowOrigins() const { return m_rowOrigins; }
    // Left button released over the list: ends a drag (moving the rows) and counts.
    void OnLeftButtonUp();
    // Mouse moved during a drag. `rowUnderCursor` is the row at the list's left edge
    // and the cursor's height (-1: none, or the cursor is not over this list);
    // `verticalZone` is -1 above the visible rows, 1 below them, 0 inside. Sets
    // m_scrollDirection, which tells the view whether its 100 ms timer should run.
    void OnDragMove(int rowUnderCursor, int verticalZone);
    // One auto-scroll step; returns the number of lines the view must scroll (-1 up,
    // 1 down, 0 none) and moves the highlight one row along.
    int OnScrollTimer();

    // Read and written by the owner page.
    bool m_dropped = false;
    int m_dropIndex = -1;
    int m_draggedCount = 0;
    int m_dropCount = 0;
    // Drag state.
    bool m_dragging = false;
    bool m_hasDragImage = false;  // a drag of at least one row is in progress
    std::vector<int> m_draggedRows;
    int m_hoverRow = -1;
    bool m_hoverState = false;
    int m_scrollDirection = 0;            // 0 none, 1 up, 2 down
    bool m_savedSingleSelection = false;  // single selection was switched off for a drag

private:
    struct Cell {
        std::u16string text;
        int image = -1;
    };
    struct Row {
        std::vector<Cell> cells;
        bool selected = false;
        bool focused = false;
    };

    void NotifyReset();
    void NotifyRowsInserted(int row, int count);
    void NotifyRowsRemoved(int row, int count);
    void NotifyRowChanged(int row);
    void NotifyState();
    bool IsRow(int row) const { return row >= 0 && row < GetItemCount(); }
    void BuildDragImage();
    void MoveOneDraggedRow(std::size_t entry, int& insertAt);

    std::vector<ListColumn> m_columns;
    std::vector<Row> m_rows;
    std::vector<int> m_rowOrigins;  // moved along with m_rows by MoveDraggedRows
    IListObserver* m_observer = nullptr;
    std::function<void()> m_afterRelease;
    bool m_singleSelection = false;
    // Batching of notifications between BeginUpdate and EndUpdate.
    int m_updateDepth = 0;
    bool m_pendingReset = false;
    bool m_pendingState = false;
    int m_pendingEnsureVisible = -1;
    int m_topIndex = 0;
};

}  // namespace vesko
