#include "pages/services/service_edit_dlg.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

class ServiceEditDlgTest : public ServicePageTest {
protected:
    CServiceEditDlg OpenOn(int row) {
        m_page.List().ClearSelection();
        m_page.List().SetSelected(row, true);
        CServiceEditDlg dlg(m_platform);
        dlg.m_page = &m_page;
        dlg.Open();
        return dlg;
    }
    std::u16string Stored(int row, std::u16string_view name) {
        std::u16string value;
        m_page.GetServiceAttribute(row, name, value);
        return value;
    }

    void SetUp() override {
        ServicePageTest::SetUp();
        m_page.Reload();
    }

    FakePlatform m_platform;
    CServicePage m_page{ServiceKind::Tv};
};

TEST_F(ServiceEditDlgTest, ShowsTheServiceAndWhereItIsReceived) {
    CServiceEditDlg dlg = OpenOn(0);  // free, locked, not skipped, on Astra
    EXPECT_EQ(dlg.Title(), u"TV Service information");
    EXPECT_EQ(dlg.m_row, 0);
    EXPECT_EQ(dlg.m_name, u"Channel 100");
    EXPECT_EQ(dlg.m_free, CServiceEditDlg::kYes);
    EXPECT_EQ(dlg.m_lock, CServiceEditDlg::kYes);
    EXPECT_EQ(dlg.m_skip, CServiceEditDlg::kNo);
    EXPECT_EQ(dlg.m_satellite, u"Astra 19.2E");
    EXPECT_EQ(dlg.m_transponder, u"11362/22000/H");

    dlg = OpenOn(1);
    EXPECT_EQ(dlg.m_satellite, u"Terrestrial");
    EXPECT_EQ(dlg.m_transponder, u"474000/8/CH21");
    EXPECT_EQ(dlg.m_free, CServiceEditDlg::kNo);  // encrypt ""
    dlg = OpenOn(3);
    EXPECT_EQ(dlg.m_satellite, u"Cable");
    EXPECT_EQ(dlg.m_transponder, u"346000/6875/64QAM");
    EXPECT_EQ(dlg.m_free, CServiceEditDlg::kNo);  // encrypt absent
    // A transponder that is not there: the raw keys.
    dlg = OpenOn(4);
    EXPECT_EQ(dlg.m_satellite, u"1");
    EXPECT_EQ(dlg.m_transponder, u"99");
    EXPECT_EQ(dlg.m_lock, CServiceEditDlg::kNo);  // "2"
    EXPECT_EQ(OpenOn(2).m_skip, CServiceEditDlg::kYes);

    // Nothing selected: nothing is read, the fields stay.
    m_page.List().ClearSelection();
    dlg.m_name = u"kept";
    dlg.Open();
    EXPECT_EQ(dlg.m_row, -1);
    EXPECT_EQ(dlg.m_name, u"kept");

    CServicePage radio(ServiceKind::Radio);
    CServiceEditDlg radioDlg(m_platform);
    radioDlg.m_page = &radio;
    EXPECT_EQ(radioDlg.Title(), u"Radio Service information");
}

TEST_F(ServiceEditDlgTest, OkWritesNameLockAndSkipOnly) {
    CServiceEditDlg dlg = OpenOn(0);
    dlg.m_lock = CServiceEditDlg::kNo;
    dlg.m_skip = CServiceEditDlg::kYes;
    dlg.m_free = CServiceEditDlg::kNo;  // the list is disabled; never written
    dlg.m_name = u"Das Erste <HD>";
    EXPECT_TRUE(dlg.Ok());
    EXPECT_EQ(Stored(0, u"block"), u"0");
    EXPECT_EQ(Stored(0, u"bskip"), u"1");
    EXPECT_EQ(Stored(0, u"encrypt"), u"NULL");
    EXPECT_EQ(Stored(0, u"name"), u"Das Erste <HD>");
    EXPECT_TRUE(m_platform.messages.empty());

    // A list without selection writes "0".
    dlg.m_lock = -1;
    EXPECT_TRUE(dlg.Ok());
    EXPECT_EQ(Stored(0, u"block"), u"0");
}

TEST_F(ServiceEditDlgTest, ResetBringsTheStoredValuesBack) {
    CServiceEditDlg dlg = OpenOn(2);
    dlg.m_name = u"typed";
    dlg.m_skip = CServiceEditDlg::kNo;
    dlg.Reset();
    EXPECT_EQ(dlg.m_name, u"Channel 102");
    EXPECT_EQ(dlg.m_skip, CServiceEditDlg::kYes);
}

TEST_F(ServiceEditDlgTest, LongStoredNameIsKeptWholeAndOnlyAChangedOneIsRefused) {
    const std::u16string longName(45, u'N');
    m_page.SetServiceAttribute(5, u"name", longName);
    CServiceEditDlg dlg = OpenOn(5);
    EXPECT_EQ(dlg.m_name, longName);
    // Left as it is, the name is no reason to refuse: Lock is written, the name stays.
    dlg.m_lock = CServiceEditDlg::kYes;
    EXPECT_TRUE(dlg.Ok());
    EXPECT_TRUE(m_platform.messages.empty());
    EXPECT_EQ(Stored(5, u"block"), u"1");
    EXPECT_EQ(Stored(5, u"name"), longName);

    // Changed, it must keep to the limit.
    const std::string before = ReadBytes("temp_tv_prog.xml");
    const struct {
        std::u16string name;
        bool accepted;
    } cases[] = {{std::u16string(44, u'N'), false},
                 {longName + u"x", false},
                 {std::u16string(41, u'M'), false},
                 {std::u16string(40, u'M'), true}};
    for (const auto& c : cases) {
        m_platform.messages.clear();
        dlg.m_name = c.name;
        EXPECT_EQ(dlg.Ok(), c.accepted) << c.name.size();
        if (c.accepted) {
            EXPECT_EQ(Stored(5, u"name"), c.name);
            continue;
        }
        ASSERT_EQ(m_platform.messages.size(), 1u);
        EXPECT_EQ(m_platform.messages[0].caption, u"VeksoEditor");
        EXPECT_EQ(m_platform.messages[0].text, u"Please enter no more than 40 characters.");
        EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), before);
    }
}

}  // namespace
}  // namespace vesko::testing
