#pragma once
// Everything the core needs from the window system: message boxes, choosers,
// modal dialogs, the browser and the end of the process. The Qt front end
// implements it with real widgets; tests implement it with a scripted fake.

#include <filesystem>
#include <string>
#include <string_view>

namespace vesko {

// Caption of every message box of the editor.
inline constexpr std::u16string_view kMessageCaption = u"VeksoEditor";

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Base of every dialog form: the values and steps of a modal dialog, without widgets.
class CDialogForm {
public:
    virtual ~CDialogForm() = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; returns the button the user chose.
    virtual MessageAnswer ShowMessage(std::u16string_view caption, std::u16string_view text,
                                      MessageButtons buttons) = 0;
    // Folder chooser opening in `initialFolder` (the home folder when empty); an empty
    // path when cancelled or when the item has no path.
    virtual std::filesystem::path ChooseFolder(std::u16string_view title,
                                               const std::filesystem::path& initialFolder) = 0;
    // Single-file open chooser; an empty path when cancelled.
    virtual std::filesystem::path ChooseFile(std::u16string_view filter,
                                             const std::filesystem::path& initialFolder) = 0;
    // Runs a dialog form modally; true when it was closed with OK.
    virtual bool RunDialog(CDialogForm& form) = 0;
    // Opens a web address in the default browser; failures are not reported.
    virtual void OpenUrl(std::u16string_view url) = 0;
    // Ends the editor with an exit code once the current command returns.
    virtual void EndProcess(int exitCode) = 0;
};

}  // namespace vesko
