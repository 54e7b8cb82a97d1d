// "Sort services" and "Apply order from another database" driven with the keyboard:
// the focus starts in the first field, Enter does the work, Escape leaves the files.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <map>

#include "database/working_copies.h"
#include "pages/order/reference_order_dlg.h"
#include "pages/services/service_fixture.h"
#include "pages/services/sort_dlg.h"
#include "ui/qt_test_app.h"
#include "ui/reference_order_dialog.h"
#include "ui/sort_services_dialog.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> Names(const std::string& file) {
    CXmlDoc doc;
    doc.Load(file);
    std::vector<std::u16string> names;
    while (doc.FindChildElement(u"prog")) {
        doc.IntoElement();
        names.push_back(doc.GetAttribute(u"name"));
        doc.OutOfElement();
    }
    return names;
}

// `block` by service name.
std::map<std::u16string, std::u16string> Locks(const std::string& file) {
    CXmlDoc doc;
    doc.Load(file);
    std::map<std::u16string, std::u16string> locks;
    while (doc.FindChildElement(u"prog")) {
        doc.IntoElement();
        locks[doc.GetAttribute(u"name")] = doc.GetAttribute(u"block");
        doc.OutOfElement();
    }
    return locks;
}

void Keys(QDialog& dialog, std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys)
        QTest::keyClick(dialog.focusWidget(), key);
}

class OrderDialogsTest : public ServicePageTest {
protected:
    struct App {
        App() { TestApp(); }
    } m_app;
};

TEST_F(OrderDialogsTest, SortByKeyboard) {
    CTvPage page(ServiceKind::Tv);
    page.Reload();
    Select(page.List(), {1, 3, 5});
    CSortServicesDlg form;
    form.m_page = &page;
    form.Open();
    ui::SortServicesDialog dialog(form);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));  // laid out: arrows go by place
    ASSERT_EQ(dialog.focusWidget(), dialog.Field());
    EXPECT_EQ(dialog.Field()->currentText(), QStringLiteral("Name"));
    EXPECT_TRUE(dialog.SelectedRows()->isChecked());

    // On to the order, down to Descending, and Enter sorts.
    Keys(dialog, {Qt::Key_Tab, Qt::Key_Down});
    ASSERT_TRUE(dialog.Descending()->isChecked());
    Keys(dialog, {Qt::Key_Return});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FileKeys("temp_tv_prog.xml"),
              (std::vector<std::u16string>{u"100", u"105", u"102", u"103", u"104", u"101", u"106",
                                           u"107", u"108", u""}));
    EXPECT_EQ(form.StepText(), u"Sort 3 TV services by name, descending");

    // Escape writes nothing.
    const std::string before = ReadBytes("temp_tv_prog.xml");
    CSortServicesDlg again;
    again.m_page = &page;
    again.Open();
    ui::SortServicesDialog cancelled(again);
    cancelled.show();
    Keys(cancelled, {Qt::Key_Down, Qt::Key_Escape});
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
}

TEST_F(OrderDialogsTest, ApplyOrderByKeyboard) {
    // The demo's rescanned twin as the open database, the demo as the reference.
    WorkingCopies::Current().Reset();
    const fs::path examples = fs::path(VESKO_SOURCE_DIR) / "examples";
    for (const DatabaseFile& file : kRequiredFiles) {
        CXmlDoc doc;
        ASSERT_TRUE(doc.Load(examples / "demo-rescan" / file.fileName));
        doc.Save(file.workingCopy);
    }
    const auto apply = [&](std::initializer_list<Qt::Key> keys) {
        auto reference = std::make_unique<ReferenceDatabase>();
        std::u16string problem;
        EXPECT_TRUE(ReadReferenceDatabase(examples / "demo", *reference, problem));
        CReferenceOrderDlg form(std::make_unique<ReferenceOrder>(std::move(reference)), u"demo");
        ui::ReferenceOrderDialog dialog(form);
        dialog.show();
        EXPECT_EQ(dialog.focusWidget(), dialog.CopyLockAndSkip());
        EXPECT_EQ(dialog.Details()->topLevelItemCount(), static_cast<int>(form.Details().size()));
        Keys(dialog, keys);
        return dialog.result();
    };

    const std::string scan = ReadBytes(kTvProgWork);
    EXPECT_EQ(apply({Qt::Key_Space, Qt::Key_Escape}), QDialog::Rejected);
    EXPECT_EQ(ReadBytes(kTvProgWork), scan);

    // Space ticks the copy of lock and skip; Enter applies.
    EXPECT_EQ(apply({Qt::Key_Space, Qt::Key_Return}), QDialog::Accepted);
    // The demo's first service comes first, and "Das Erste" is locked again.
    const std::vector<std::u16string> names = Names(kTvProgWork);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), u"BBC One");
    EXPECT_EQ(Locks(kTvProgWork).at(u"Das Erste"), u"1");
    EXPECT_EQ(Locks((examples / "demo-rescan" / "tv_prog.xml").string()).at(u"Das Erste"), u"0");
}

}  // namespace
}  // namespace vesko::testing
