#pragma once
// The TV and Radio service commands of the main window.

namespace vesko {

class CEditorDlg;

// Runs a TV or Radio service command; false when `command` is not one of them.
bool HandleServiceCommand(CEditorDlg& editor, int command);

}  // namespace vesko
