#pragma once
// The Search command of every list page: runs the page's search dialog over the list it
// shows; a pick selects the found row there (and shows its services where the page has
// them). Searching never changes data.

namespace vesko {

class CEditorDlg;
enum class SearchKind;

void RunSearch(CEditorDlg& editor, SearchKind kind);

}  // namespace vesko
