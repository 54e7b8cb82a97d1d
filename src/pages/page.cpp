#include "pages/page.h"

#include "controls/drag_list_ctrl.h"

namespace vesko {

PageViewState CPage::SaveViewState() {
    PageViewState state;
    state.choices = SaveChoices();
    for (const CDragListCtrl* list : Lists()) {
        ListViewState& shown = state.lists.emplace_back();
        for (int row = list->GetNextSelected(-1); row >= 0; row = list->GetNextSelected(row)) {
            shown.selected.push_back(row);
            if (list->IsFocused(row)) {
                shown.focused = row;
            }
        }
        if (shown.focused < 0) {
            for (int row = 0; row < list->GetItemCount(); ++row) {
                if (list->IsFocused(row)) {
                    shown.focused = row;
                    break;
                }
            }
        }
        shown.topRow = list->GetTopIndex();
    }
    return state;
}

// The choices come first: they decide what the second lists hold (the services of
// the current group), and only then can their rows be selected again. Rows that are
// gone since (a shorter list after the reload) are skipped.
void CPage::RestoreViewState(const PageViewState& state) {
    RestoreChoices(state.choices);
    const std::vector<CDragListCtrl*> lists = Lists();
    for (std::size_t i = 0; i < lists.size() && i < state.lists.size(); ++i) {
        CDragListCtrl& list = *lists[i];
        const ListViewState& shown = state.lists[i];
        list.BeginUpdate();
        list.ClearSelection();
        for (const int row : shown.selected) {
            list.SetSelected(row, true);
        }
        if (shown.focused >= 0) {
            list.SetFocused(shown.focused, true);
        }
        list.EndUpdate();
        list.ScrollToTop(shown.topRow);
    }
}

}  // namespace vesko
