// Sorting and applying the order of a reference database. Both are ordinary commands
// of the table: whatever they write is one unit of the working copies and one step
// of the history, which Undo takes back as a whole.

#include "app/order_commands.h"

#include <memory>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "database/schema.h"
#include "pages/order/reference_order_dlg.h"
#include "pages/services/service_page.h"
#include "pages/services/sort_dlg.h"

namespace vesko {

namespace {

constexpr std::u16string_view kReferenceChooserTitle =
    u"Choose the reference database (it is only read)";
constexpr std::u16string_view kReferenceUnreadable = u"The reference database cannot be used:\n";

bool IsServiceTab(PageTab tab) {
    return tab == PageTab::Tv || tab == PageTab::Radio;
}

// The folder's own name, as the step and the dialog call it.
std::u16string FolderName(std::filesystem::path folder) {
    if (folder.filename().empty())
        folder = folder.parent_path();
    const std::u16string name = folder.filename().u16string();
    return name.empty() ? folder.u16string() : name;
}

}  // namespace

void SortServices(CEditorDlg& editor, CServicePage& page) {
    CSortServicesDlg form;
    form.m_page = &page;
    form.Open();
    if (!editor.GetPlatform().RunDialog(form))
        return;
    // The service lists beside the satellites and transponders follow the new file order
    // when they are next seen (they notice the programme copy changed).
    editor.DescribeStep(form.StepText());
}

void ApplyOrderFromReference(CEditorDlg& editor) {
    if (!editor.Folder().IsDatabaseOpen())
        return;
    Platform& platform = editor.GetPlatform();
    std::filesystem::path start(editor.GetSettings().Value(SettingKey::LastReference));
    if (start.empty())
        start = std::filesystem::path(editor.GetSettings().Value(SettingKey::LastFolder));
    const std::filesystem::path folder = platform.ChooseFolder(kReferenceChooserTitle, start);
    if (folder.empty())
        return;
    editor.GetSettings().SetValue(SettingKey::LastReference, folder.u16string());

    auto reference = std::make_unique<ReferenceDatabase>();
    std::u16string problem;
    if (!ReadReferenceDatabase(folder, *reference, problem)) {
        platform.ShowMessage(kMessageCaption, std::u16string(kReferenceUnreadable) + problem,
                             MessageButtons::Ok);
        return;
    }
    CReferenceOrderDlg form(std::make_unique<ReferenceOrder>(std::move(reference)),
                            FolderName(folder));
    if (!platform.RunDialog(form))
        return;
    editor.DescribeStep(form.StepText());
    editor.ReloadPagesReading({kTvProgWork, kRadioProgWork, kTvFavWork, kRadioFavWork});
}

void AddOrderCommands(CommandTable& table, CEditorDlg& editor) {
    table.Add({.number = kCmdSortServices,
               .name = "edit.sort",
               .place = CommandPlace::EditMenu,
               .menuText = u"Sort...",
               .run =
                   [&editor] {
                       editor.OnCommand(editor.CurrentTab() == PageTab::Tv ? kCmdTvSort
                                                                           : kCmdRadioSort);
                   },
               .enabled =
                   [&editor] {
                       return editor.Folder().IsDatabaseOpen() && IsServiceTab(editor.CurrentTab());
                   },
               .changesData = true});
}

}  // namespace vesko
