// The demo's rescanned twin takes the demo's order as a new user would: File > Apply
// order from another database..., the result read, Cancel changing nothing, OK as one
// step that Undo takes back; Edit > Sort... the same way on the page in view.

#include <gtest/gtest.h>

#include <set>

#include "app/editor_dlg.h"
#include "base/commands.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "fake_platform.h"
#include "list_rows.h"
#include "pages/favourites/fav_page.h"
#include "pages/order/reference_order_dlg.h"
#include "pages/services/name_collator.h"
#include "pages/services/service_page.h"
#include "pages/services/sort_dlg.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

namespace fs = std::filesystem;
using testing::Column;
using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;

// The `name` of every child `element` of the root (or of every `fav` group).
std::vector<std::u16string> Names(const fs::path& file, std::u16string_view element) {
    CXmlDoc doc;
    doc.Load(file);
    std::vector<std::u16string> names;
    while (doc.FindChildElement(element)) {
        doc.IntoElement();
        names.push_back(doc.GetAttribute(u"name"));
        doc.OutOfElement();
    }
    return names;
}

struct OrderCommandsTest : ::testing::Test {
    OrderCommandsTest() { WorkingCopies::Current().Reset(); }
    ~OrderCommandsTest() override { WorkingCopies::Current().Reset(); }

    void SetUp() override {
        fs::copy(fs::path(VESKO_SOURCE_DIR) / "examples/demo-rescan", rescan);
        ASSERT_TRUE(editor.OpenDroppedFolder(rescan));
    }

    std::map<std::string, std::string> Copies() const {
        std::map<std::string, std::string> bytes;
        for (const DatabaseFile& file : kRequiredFiles)
            bytes[std::string(file.workingCopy)] = ReadBytes(work / file.workingCopy);
        return bytes;
    }

    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    MemorySettings settings;
    CEditorDlg editor{platform, settings};
    fs::path demo = fs::path(VESKO_SOURCE_DIR) / "examples/demo";
    fs::path rescan = scratch.Path() / "demo-rescan";
};

TEST_F(OrderCommandsTest, TheRescanTakesTheDemosOrderInOneStepThatUndoTakesBack) {
    const auto opened = Copies();
    CServicePage& tv = editor.Page<CServicePage>(PageTab::Tv);

    // Read, then cancelled: nothing is written, nothing to undo.
    std::u16string summary;
    size_t details = 0;
    platform.folders = {demo};
    platform.runDialog = [&](CDialogForm& form) {
        auto& result = dynamic_cast<CReferenceOrderDlg&>(form);
        summary = result.Summary();
        details = result.Details().size();
        return false;
    };
    editor.OnCommand(kCmdApplyReferenceOrder);
    EXPECT_NE(summary.find(u"TV: 243 of 248 services matched (5 only by name)"),
              std::u16string::npos)
        << std::string(summary.begin(), summary.end());
    EXPECT_GT(details, 0u);
    EXPECT_EQ(Copies(), opened);
    EXPECT_FALSE(editor.History().CanUndo());
    EXPECT_EQ(settings.Value(SettingKey::LastReference), demo.u16string());

    // A folder that is no database is said so; nothing changes.
    platform.folders = {scratch.Path()};
    editor.OnCommand(kCmdApplyReferenceOrder);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.starts_with(u"The reference database cannot be used:\n"));
    EXPECT_EQ(Copies(), opened);

    // Applied: the TV list and the file in the demo's order for the services both have,
    // the rest after them in the scan's order; the groups as the demo's.
    platform.folders = {demo};
    platform.runDialog = [](CDialogForm& form) {
        return dynamic_cast<CReferenceOrderDlg&>(form).Ok();
    };
    editor.OnCommand(kCmdApplyReferenceOrder);
    const std::vector<std::u16string> demoNames = Names(demo / "tv_prog.xml", u"prog");
    const std::vector<std::u16string> scanNames = Names(rescan / "tv_prog.xml", u"prog");
    const std::set<std::u16string> inDemo(demoNames.begin(), demoNames.end());
    const std::set<std::u16string> inScan(scanNames.begin(), scanNames.end());
    std::vector<std::u16string> expected;
    for (const std::u16string& name : demoNames) {
        if (inScan.contains(name))
            expected.push_back(name);
    }
    for (const std::u16string& name : scanNames) {
        if (!inDemo.contains(name))
            expected.push_back(name);
    }
    EXPECT_EQ(Column(tv.List(), kColName), expected);
    EXPECT_EQ(Names(kTvProgWork, u"prog"), expected);
    EXPECT_EQ(Column(editor.Page<CFavPage>(PageTab::FavRadio).GroupList(), 1),
              Names(demo / "radio_fav.xml", u"fav"));
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Apply order of demo");
    EXPECT_TRUE(editor.HasUnsavedChanges());

    editor.OnCommand(kCmdUndo);
    EXPECT_EQ(Copies(), opened);
    EXPECT_EQ(Column(tv.List(), kColName), scanNames);
    EXPECT_FALSE(editor.HasUnsavedChanges());

    // Edit > Sort... sorts the page in view, as one step too.
    editor.SetCurrentTab(PageTab::Radio);
    platform.runDialog = [](CDialogForm& form) {
        auto& sort = dynamic_cast<CSortServicesDlg&>(form);
        EXPECT_EQ(sort.m_page->Kind(), ServiceKind::Radio);
        sort.m_field = static_cast<int>(SortField::Name);
        return sort.Ok();
    };
    editor.OnCommand(kCmdSortServices);
    const std::vector<std::u16string> radio = Names(kRadioProgWork, u"prog");
    const NameCollator collator;
    for (size_t k = 1; k < radio.size(); ++k)
        EXPECT_LE(collator.SortKey(radio[k - 1]), collator.SortKey(radio[k])) << k;
    EXPECT_EQ(editor.HistoryMenuText(HistoryMove::Undo), u"Undo Sort 59 radio services by name");
    editor.OnCommand(kCmdUndo);
    EXPECT_EQ(Copies(), opened);
    editor.SetCurrentTab(PageTab::FavTv);
    EXPECT_FALSE(editor.Commands().IsEnabled(kCmdSortServices));
}

}  // namespace
}  // namespace vesko
