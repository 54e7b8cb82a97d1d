// The Icon page on 10,000 TV services: loading an icon folder that holds pictures for a
// few of them, and paging through the loaded table.

#include <filesystem>
#include <fstream>

#include "command_bench.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/icons/icon_name.h"
#include "pages/icons/icon_page.h"

namespace vesko::bench {

namespace {

namespace fs = std::filesystem;

const fs::path kIconFolder = "icons";

CIconPage& Icons(CEditorDlg& editor) {
    return editor.Page<CIconPage>(PageTab::Icon);
}

// A fresh icon folder with a name-based picture for every 20th service: most of the
// large database's services have none.
void MakeIconFolder(CEditorDlg&) {
    fs::remove_all(kIconFolder);
    fs::create_directory(kIconFolder);
    CXmlDoc doc;
    LoadWorkingCopy(doc, kTvProgWork);
    const std::vector<int> services = RootChildren(doc, u"prog");
    for (std::size_t n = 0; n < services.size(); n += 20) {
        const std::u16string name = doc.GetAttributeOf(services[n], u"name");
        if (IsPlainFileName(name)) {
            std::ofstream(kIconFolder / (name + u".jpg"), std::ios::binary) << "\xFF\xD8\xFF\xD9";
        }
    }
}

}  // namespace

std::vector<BenchCase> IconCases(BenchPlatform& platform) {
    const std::vector<const char*> reads{kTvProgWork, kSatWork, kSatTerWork, kSatCableWork};
    return {
        {"load an icon folder (500 icons)", reads, MakeIconFolder,
         [&platform](CEditorDlg& editor) {
             Icons(editor).LoadIconFolderAt(kIconFolder, platform);
         }},
        {"page down through 100 icon pages",
         {kTvProgWork},
         [&platform](CEditorDlg& editor) {
             MakeIconFolder(editor);
             Icons(editor).LoadIconFolderAt(kIconFolder, platform);
         },
         [](CEditorDlg& editor) {
             for (int k = 0; k < 100; ++k) {
                 Icons(editor).PageDown();
             }
         }},
    };
}

}  // namespace vesko::bench
