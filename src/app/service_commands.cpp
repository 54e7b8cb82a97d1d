#include "app/service_commands.h"

namespace vesko {

bool HandleServiceCommand(CEditorDlg&, int) { return false; }

}  // namespace vesko
