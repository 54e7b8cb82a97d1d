#pragma once
// Sorting and the order of a reference database: Edit > Sort... (the sort of the TV or
// Radio page in view), the Sort entry of the service lists, and File > Apply order from
// another database....

namespace vesko {

class CEditorDlg;
class CommandTable;
class CServicePage;

// The Edit menu's Sort... entry.
void AddOrderCommands(CommandTable& table, CEditorDlg& editor);

// The sort dialog of a TV or Radio page, then the lists that show its services in file
// order follow.
void SortServices(CEditorDlg& editor, CServicePage& page);

// Asks for the reference folder, shows what its order would do and, on OK, applies it
// as one step.
void ApplyOrderFromReference(CEditorDlg& editor);

}  // namespace vesko
