// The "TV Service information" dialog's widgets over the edit form.

#include "ui/service_edit_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "fake_platform.h"
#include "pages/services/service_fixture.h"
#include "ui/qt_test_app.h"

namespace vesko::testing {
namespace {

class ServiceEditDialogTest : public ServicePageTest {
protected:
    struct App {
        App() { TestApp(); }
    } m_app;

    CServiceEditDlg OpenForm(CServicePage& page, int row) {
        page.Reload();
        page.List().SetSelected(row, true);
        CServiceEditDlg form(m_platform);
        form.m_page = &page;
        form.Open();
        return form;
    }

    FakePlatform m_platform;
};

TEST_F(ServiceEditDialogTest, FieldsFollowTheFormBothWays) {
    CServicePage page(ServiceKind::Tv);
    CServiceEditDlg form = OpenForm(page, 0);
    ui::ServiceEditDialog dialog(form);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("TV Service information"));
    EXPECT_EQ(dialog.NameEdit()->text(), QStringLiteral("Channel 100"));
    EXPECT_EQ(dialog.FreeList()->currentText(), QStringLiteral("YES"));
    EXPECT_FALSE(dialog.FreeList()->isEnabled());
    EXPECT_EQ(dialog.SatelliteEdit()->text(), QStringLiteral("Astra 19.2E"));
    EXPECT_FALSE(dialog.TransponderEdit()->isEnabled());

    dialog.NameEdit()->setText(QStringLiteral("typed"));
    QTest::mouseClick(dialog.ResetButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.NameEdit()->text(), QStringLiteral("Channel 100"));

    dialog.LockList()->setCurrentIndex(CServiceEditDlg::kNo);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    std::u16string block;
    page.GetServiceAttribute(0, u"block", block);
    EXPECT_EQ(block, u"0");
}

TEST_F(ServiceEditDialogTest, LongStoredNameIsShownWholeButTypingStopsAtForty) {
    CServicePage page(ServiceKind::Radio);
    const std::u16string longName(45, u'R');
    page.SetServiceAttribute(1, u"name", longName);
    CServiceEditDlg form = OpenForm(page, 1);
    ui::ServiceEditDialog dialog(form);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Radio Service information"));
    EXPECT_EQ(dialog.NameEdit()->text().size(), 45);

    dialog.show();
    dialog.NameEdit()->setFocus();
    dialog.NameEdit()->end(false);
    QTest::keyClick(dialog.NameEdit(), Qt::Key_X);
    EXPECT_EQ(dialog.NameEdit()->text().size(), 45);  // no growth beyond the limit
    // Shortened by one it is still too long, and now changed: OK refuses it.
    QTest::keyClick(dialog.NameEdit(), Qt::Key_Backspace);
    EXPECT_EQ(dialog.NameEdit()->text().size(), 44);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(m_platform.MessageTexts(),
              std::vector<std::u16string>{u"Please enter no more than 40 characters."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    // Shortened below the limit it is typed into and accepted.
    dialog.NameEdit()->setText(QString(38, QLatin1Char('R')));
    QTest::keyClick(dialog.NameEdit(), Qt::Key_X);
    QTest::keyClick(dialog.NameEdit(), Qt::Key_Y);
    QTest::keyClick(dialog.NameEdit(), Qt::Key_Z);
    EXPECT_EQ(dialog.NameEdit()->text().size(), 40);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    std::u16string name;
    page.GetServiceAttribute(1, u"name", name);
    EXPECT_EQ(name.size(), 40u);
}

}  // namespace
}  // namespace vesko::testing
