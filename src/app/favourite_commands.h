#pragma once
// The Fav Tv and Fav Radio pages' commands: rename, group and service moves, removal,
// the completion of a group drag, which keys raise them and the four context menus of
// each page.

namespace vesko {

class CEditorDlg;
class CommandTable;
class CFavPage;
class CServicePage;
enum class ServiceKind;

void AddFavouriteCommands(CommandTable& table, CEditorDlg& editor, CFavPage& page);

// The add-to-favourites command of a TV or Radio page: the dialog, then the
// favourites page of the same kind shows the groups again.
void AddServicesToFavourites(CEditorDlg& editor, CServicePage& page);

// After a service of that kind was edited or deleted: the favourites page of the same
// kind shows its groups and the services of its current group again.
void RefreshFavourites(CEditorDlg& editor, ServiceKind kind);

}  // namespace vesko
