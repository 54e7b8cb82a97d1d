#pragma once
// The Satellite page's commands: Edit (the "Edit Satellite" dialog) and Search, the
// keys that raise them and the two context menus of the satellite list.

namespace vesko {

class CEditorDlg;
class CommandTable;
class CSatellitePage;

void AddSatelliteCommands(CommandTable& table, CEditorDlg& editor, CSatellitePage& page);

// After a service was edited: the service lists of the Satellite page and of the three
// transponder pages show their current satellite's or transponder's services again.
void RefreshSatelliteServiceLists(CEditorDlg& editor);

}  // namespace vesko
