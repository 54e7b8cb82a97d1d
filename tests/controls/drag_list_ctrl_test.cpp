#include "controls/drag_list_ctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_rows.h"

namespace vesko {
namespace {

std::u16string Num(int n) {
    std::u16string s;
    for (char c : std::to_string(n)) {
        s.push_back(static_cast<char16_t>(c));
    }
    return s;
}

// A list of `count` rows; row n holds "n" in column 0 and "cn" in column 1.
void Fill(CDragListCtrl& list, int count) {
    list.SetColumns({{u"No", 40}, {u"Name", 80}});
    for (int n = 0; n < count; ++n) {
        list.InsertItem(n, Num(n));
        list.SetItemText(n, 1, u"c" + Num(n));
    }
}

std::vector<int> Order(const CDragListCtrl& list) {
    std::vector<int> order;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::u16string text = list.GetItemText(row, 0);
        order.push_back(std::stoi(std::string(text.begin(), text.end())));
        // The second column travels with its row.
        EXPECT_EQ(list.GetItemText(row, 1), u"c" + text) << "row " << row;
    }
    return order;
}

using testing::Selected;

void Drag(CDragListCtrl& list, std::vector<int> rows, int highlight) {
    list.ClearSelection();
    for (int row : rows) {
        list.SetSelected(row, true);
    }
    list.BeginDrag();
    list.OnDragMove(highlight, 0);
    list.OnLeftButtonUp();
}

struct Recorder : IListObserver {
    int resets = 0, inserted = 0, removed = 0, changed = 0, states = 0;
    std::vector<int> ensured;
    void OnListReset() override { ++resets; }
    void OnRowsInserted(int, int count) override { inserted += count; }
    void OnRowsRemoved(int, int count) override { removed += count; }
    void OnRowChanged(int) override { ++changed; }
    void OnStateChanged() override { ++states; }
    void OnEnsureVisible(int row) override { ensured.push_back(row); }
};

TEST(DragListCtrl, DropBelowHighlightedRowMovesBlockInOrder) {
    CDragListCtrl list;
    Fill(list, 10);
    Drag(list, {2, 5}, 7);

    EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 3, 4, 6, 7, 2, 5, 8, 9}));
    EXPECT_EQ(Selected(list), (std::vector<int>{6, 7}));
    EXPECT_EQ(list.m_dropIndex, 8);
    // Where each row came from, for the owner to move its records alike.
    EXPECT_EQ(list.RowOrigins(), Order(list));
    EXPECT_EQ(list.m_draggedCount, 2);
    EXPECT_TRUE(list.m_dropped);
    EXPECT_EQ(list.m_dropCount, 1);
    EXPECT_FALSE(list.m_dragging);

    // The focus (the view's current row) goes with its row: with the moved block when
    // it is a dragged row, and stays with an undragged row that had it.
    const struct {
        int focused;
        std::vector<int> dragged;
        int highlight;
        int focusedAfter;
    } cases[] = {{5, {2, 5}, 7, 7}, {2, {2, 5}, 7, 6}, {3, {2, 5}, 7, 2}, {8, {1, 8}, 2, 3}};
    for (const auto& c : cases) {
        CDragListCtrl focusList;
        Fill(focusList, 10);
        focusList.SetFocused(c.focused, true);
        Drag(focusList, c.dragged, c.highlight);
        for (int row = 0; row < focusList.GetItemCount(); ++row)
            EXPECT_EQ(focusList.IsFocused(row), row == c.focusedAfter) << c.focused << " " << row;
    }
}

TEST(DragListCtrl, DropPositionsAtTheEdges) {
    {  // the last row highlighted appends the block
        CDragListCtrl list;
        Fill(list, 6);
        Drag(list, {0, 2}, 5);
        EXPECT_EQ(Order(list), (std::vector<int>{1, 3, 4, 5, 0, 2}));
        EXPECT_EQ(Selected(list), (std::vector<int>{4, 5}));
        EXPECT_EQ(list.m_dropIndex, 6);
    }
    {  // rows moved upwards keep their order and sit below the highlighted row
        CDragListCtrl list;
        Fill(list, 8);
        Drag(list, {5, 7}, 1);
        EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 5, 7, 2, 3, 4, 6}));
        EXPECT_EQ(Selected(list), (std::vector<int>{2, 3}));
        EXPECT_EQ(list.m_dropIndex, 4);
    }
    {  // no row highlighted yet in the first drag: the block goes to the top
        CDragListCtrl list;
        Fill(list, 5);
        list.SetSelected(3, true);
        list.BeginDrag();
        list.OnLeftButtonUp();
        EXPECT_EQ(Order(list), (std::vector<int>{3, 0, 1, 2, 4}));
        EXPECT_EQ(Selected(list), (std::vector<int>{0}));
    }
}

TEST(DragListCtrl, DropJustBelowTheRowAboveTheBlockChangesNothing) {
    // Highlighting the row directly above the dragged block inserts each copy at the
    // original's own index; the originals must go, not the copies.
    CDragListCtrl list;
    Fill(list, 8);
    Drag(list, {5, 6}, 4);
    EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Selected(list), (std::vector<int>{5, 6}));
    EXPECT_EQ(list.m_dropIndex, 7);
}

TEST(DragListCtrl, ReleaseWithoutDragOnlyCounts) {
    CDragListCtrl list;
    Fill(list, 4);
    list.SetSelected(1, true);
    int handlerRuns = 0;
    bool droppedSeenByHandler = false;
    list.SetAfterReleaseHandler([&] {
        ++handlerRuns;
        droppedSeenByHandler = list.m_dropped;
    });

    list.OnLeftButtonUp();
    list.OnLeftButtonUp();

    EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Selected(list), (std::vector<int>{1}));
    EXPECT_TRUE(list.m_dropped);
    EXPECT_EQ(list.m_dropCount, 2);
    EXPECT_EQ(handlerRuns, 2);
    EXPECT_TRUE(droppedSeenByHandler);

    // A drag with nothing selected shows nothing and moves nothing, but still counts.
    list.ClearSelection();
    list.BeginDrag();
    EXPECT_FALSE(list.m_hasDragImage);
    list.OnDragMove(2, 0);
    list.OnLeftButtonUp();
    EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.m_dropCount, 3);
}

TEST(DragListCtrl, HighlightBorrowsAndGivesBackSelection) {
    CDragListCtrl list;
    Fill(list, 6);
    list.SetSelected(1, true);
    list.BeginDrag();
    list.OnDragMove(3, 0);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 3}));
    list.OnDragMove(4, 0);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 4}));
    EXPECT_EQ(list.m_dropIndex, 4);
    list.OnDragMove(17, 0);  // outside the list: the highlight stays
    EXPECT_EQ(list.m_dropIndex, 4);
    list.OnDragMove(1, 0);  // a dragged row keeps its own selection when passed over
    list.OnDragMove(2, 0);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 2}));
}

TEST(DragListCtrl, AutoScrollMovesHighlightOneRowPerTick) {
    CDragListCtrl list;
    Fill(list, 10);
    list.SetSelected(0, true);
    list.BeginDrag();
    list.OnDragMove(5, 0);
    EXPECT_EQ(list.m_scrollDirection, 0);

    list.OnDragMove(-1, -1);  // above the rows
    EXPECT_EQ(list.m_scrollDirection, 1);
    EXPECT_EQ(list.OnScrollTimer(), -1);
    EXPECT_EQ(list.m_dropIndex, 4);
    EXPECT_EQ(list.OnScrollTimer(), -1);
    EXPECT_EQ(list.m_dropIndex, 3);

    list.OnDragMove(-1, 1);  // below the rows
    EXPECT_EQ(list.OnScrollTimer(), 1);
    EXPECT_EQ(list.m_dropIndex, 4);

    list.OnDragMove(6, 0);  // back inside: scrolling stops
    EXPECT_EQ(list.m_scrollDirection, 0);
    EXPECT_EQ(list.OnScrollTimer(), 0);
    EXPECT_EQ(list.m_dropIndex, 6);

    list.OnLeftButtonUp();
    EXPECT_EQ(list.m_scrollDirection, 0);
    EXPECT_EQ(list.OnScrollTimer(), 0);  // no drag any more: a late tick does nothing
}

TEST(DragListCtrl, SingleSelectionIsSuspendedDuringDrag) {
    CDragListCtrl list;
    Fill(list, 4);
    list.SetSingleSelection(true);
    list.SetSelected(0, true);
    list.BeginDrag();
    EXPECT_FALSE(list.IsSingleSelection());
    list.OnDragMove(2, 0);
    list.OnLeftButtonUp();
    EXPECT_TRUE(list.IsSingleSelection());
    EXPECT_EQ(Order(list), (std::vector<int>{1, 2, 0, 3}));
}

TEST(DragListCtrl, CellsFocusAndOutOfRangeAccess) {
    CDragListCtrl list;
    Fill(list, 3);
    list.SetItemImage(1, 1, CDragListCtrl::kImageHeart);
    EXPECT_EQ(list.GetItemImage(1, 1), CDragListCtrl::kImageHeart);
    EXPECT_EQ(list.GetItemImage(1, 0), -1);
    EXPECT_EQ(list.GetItemText(7, 0), u"");
    EXPECT_EQ(list.GetItemText(0, 9), u"");
    EXPECT_EQ(list.GetItemImage(-1, 0), -1);
    list.SetItemText(5, 0, u"x");  // ignored
    EXPECT_FALSE(list.DeleteItem(3));

    list.SetFocused(0, true);
    list.SetFocused(2, true);
    EXPECT_FALSE(list.IsFocused(0));
    EXPECT_TRUE(list.IsFocused(2));

    EXPECT_EQ(list.InsertItem(99, u"end"), 3);  // clamped to the end
    EXPECT_EQ(list.GetItemText(3, 0), u"end");
    EXPECT_EQ(list.GetNextSelected(), -1);

    // Columns added later give every row the new cells.
    list.SetColumns({{u"A", 10}, {u"B", 10}, {u"C", 10}});
    list.SetItemText(0, 2, u"z");
    EXPECT_EQ(list.GetItemText(0, 2), u"z");
}

TEST(DragListCtrl, UpdateBatchTellsObserverOnce) {
    CDragListCtrl list;
    Recorder recorder;
    list.SetColumns({{u"A", 10}});
    list.SetObserver(&recorder);

    list.BeginUpdate();
    for (int n = 0; n < 100; ++n) {
        list.InsertItem(n, Num(n));
        list.SetSelected(n, n % 2 == 0);
    }
    list.SelectAndShow(50);
    EXPECT_EQ(recorder.resets + recorder.inserted + recorder.states, 0);
    list.EndUpdate();
    EXPECT_EQ(recorder.resets, 1);
    EXPECT_EQ(recorder.inserted, 0);
    EXPECT_EQ(recorder.ensured, (std::vector<int>{50}));

    // Outside a batch every change is told as it happens.
    list.InsertItem(0, u"x");
    list.DeleteItem(0);
    list.SetItemText(0, 0, u"y");
    list.SetSelected(1, true);
    EXPECT_EQ(recorder.inserted, 1);
    EXPECT_EQ(recorder.removed, 1);
    EXPECT_EQ(recorder.changed, 1);
    EXPECT_EQ(recorder.states, 1);

    // A batch of cell and selection changes only is told as a state change.
    list.BeginUpdate();
    list.SetItemText(3, 0, u"z");
    list.EndUpdate();
    EXPECT_EQ(recorder.resets, 1);
    EXPECT_EQ(recorder.states, 2);
}

}  // namespace
}  // namespace vesko
