#pragma once
// The TV and Radio pages' commands: what each does, which keys raise it and the two
// context menus of each service list.

namespace vesko {

class CEditorDlg;
class CommandTable;
class CServicePage;

void AddServiceCommands(CommandTable& table, CEditorDlg& editor, CServicePage& page);

}  // namespace vesko
