#pragma once
// The commands of the three transponder pages (Sat Tp, Ter Tp, Cable Tp): Edit, Delete,
// Add and Search with their keys and the two context menus of each transponder list.

namespace vesko {

class CEditorDlg;
class CommandTable;
class CTransponderPage;

void AddTransponderCommands(CommandTable& table, CEditorDlg& editor, CTransponderPage& page);

}  // namespace vesko
