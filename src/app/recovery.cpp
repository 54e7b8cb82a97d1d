#include "app/recovery.h"

#include <ctime>
#include <string>

#include "app/command_table.h"
#include "app/editor_dlg.h"
#include "database/working_folder.h"

namespace vesko {

namespace {

std::u16string LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d at %H:%M", &local);
    const std::string shown = text;
    return {shown.begin(), shown.end()};
}

std::u16string Question(const LeftSession& left) {
    std::u16string text = u"Vesko Editor ended before these changes were saved:\n\n";
    text += left.record.folder.u16string();
    text += u"\n";
    const int changes = std::max(left.record.changes, 1);
    text += CountedText({}, changes, u"change", u"changes");
    text += u", the last on " + LocalTime(left.lastChange) + u".\n\n";
    text +=
        u"Recover them?\n\nYes opens the folder with the changes (Save writes them); No "
        u"throws them away; Cancel asks again at the next start.";
    return text;
}

}  // namespace

bool OfferRecovery(CEditorDlg& editor, WorkingFolder& folder) {
    bool recovered = false;
    for (LeftSession& left : folder.LeftSessions()) {
        if (recovered) {
            folder.Settle(left, false);  // one session at a time: the others wait
            continue;
        }
        switch (editor.GetPlatform().ShowMessage(kMessageCaption, Question(left),
                                                 MessageButtons::YesNoCancel)) {
            case MessageAnswer::Yes:
                recovered = editor.RecoverSession(left);
                // A session that could not be opened stays for another try.
                folder.Settle(left, recovered);
                break;
            case MessageAnswer::No:
                folder.Settle(left, true);
                break;
            default:
                folder.Settle(left, false);
                break;
        }
    }
    folder.LeftSessions().clear();
    return recovered;
}

}  // namespace vesko
