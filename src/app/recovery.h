#pragma once
// At start-up: the unsaved work that editors which died left in their working folders
// is offered back, newest first. Yes (the default) opens the folder with those
// changes, No throws them away, Cancel keeps them for the next start. Only after the
// answer is a left folder cleaned up.

namespace vesko {

class CEditorDlg;
class WorkingFolder;

// True when a session was recovered (the editor then shows it).
bool OfferRecovery(CEditorDlg& editor, WorkingFolder& folder);

}  // namespace vesko
