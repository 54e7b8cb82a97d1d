#pragma once
// The main window's own commands: File, the toolbar, About and History, and the
// Ctrl+O and Ctrl+S keys of every list.

namespace vesko {

class CEditorDlg;
class CommandTable;

void AddFileCommands(CommandTable& table, CEditorDlg& editor);

}  // namespace vesko
