// "Edit Satellite" and "Sat Edit TP" driven with the keyboard, as a user works them.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "fake_platform.h"
#include "pages/satellites/satellite_fixture.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "ui/qt_test_app.h"
#include "ui/sat_edit_dialog.h"
#include "ui/tp_edit_dialog.h"

namespace vesko::testing {
namespace {

class SatelliteDialogsTest : public SatelliteTest {
protected:
    struct App {
        App() { TestApp(); }
    } m_app;

    // Keys go where the dialog's focus is, as they would from the keyboard.
    static void Keys(QDialog& dialog, std::initializer_list<Qt::Key> keys) {
        for (const Qt::Key key : keys)
            QTest::keyClick(dialog.focusWidget(), key);
    }
    static void Type(QDialog& dialog, const char* text) {
        QTest::keyClicks(dialog.focusWidget(), QString::fromLatin1(text));
    }
    std::u16string Stored(int row, std::u16string_view name) {
        std::u16string value;
        m_satellites.GetSatelliteAttribute(row, name, value);
        return value;
    }

    FakePlatform m_platform;
    CSatellitePage m_satellites;
};

TEST_F(SatelliteDialogsTest, EditSatelliteByKeyboard) {
    m_satellites.FillSatelliteList(0);
    Select(m_satellites.SatelliteList(), {0});
    CSatEditDlg form(m_platform);
    form.m_page = &m_satellites;
    form.Open();
    ui::SatEditDialog dialog(form);
    dialog.show();
    ASSERT_EQ(dialog.focusWidget(), dialog.NameEdit());
    EXPECT_EQ(dialog.NameEdit()->selectedText(), QStringLiteral("Astra"));
    EXPECT_FALSE(dialog.ChoiceBox(CSatEditDlg::kK22)->isEnabled());

    Type(dialog, "Astra 1N");
    Keys(dialog, {Qt::Key_Tab});  // Index and Longitude are shown only: on to LBN
    ASSERT_EQ(dialog.focusWidget(), dialog.ChoiceBox(CSatEditDlg::kLnb));
    Keys(dialog, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
    EXPECT_EQ(dialog.ChoiceBox(CSatEditDlg::kLnb)->currentText(), QStringLiteral("C-Band(5150)"));
    EXPECT_TRUE(dialog.ChoiceBox(CSatEditDlg::kK22)->isEnabled());
    Keys(dialog, {Qt::Key_Tab, Qt::Key_Down});
    EXPECT_EQ(dialog.ChoiceBox(CSatEditDlg::kK22)->currentText(), QStringLiteral("ON"));

    // The last LNB type is "User": UserFreq opens up, and is checked on Enter.
    Keys(dialog, {Qt::Key_Backtab, Qt::Key_End});
    ASSERT_TRUE(dialog.UserFreqEdit()->isEnabled());
    dialog.UserFreqEdit()->setText(QStringLiteral("100000"));
    Keys(dialog, {Qt::Key_Return});
    EXPECT_EQ(m_platform.MessageTexts(),
              std::vector<std::u16string>{u"Please enter an integer between 0 and 99999."});
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialog.focusWidget(), dialog.UserFreqEdit());
    EXPECT_EQ(dialog.UserFreqEdit()->selectedText(), QStringLiteral("100000"));
    Type(dialog, "9750");
    Keys(dialog, {Qt::Key_Return});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Stored(0, u"name"), u"Astra 1N");
    EXPECT_EQ(Stored(0, u"lnb"), u"User");
    EXPECT_EQ(Stored(0, u"k22"), u"OFF");
    EXPECT_EQ(Stored(0, u"UserFreq"), u"9750");

    // Escape cancels and writes nothing.
    const std::string before = ReadBytes("temp_sat.xml");
    CSatEditDlg again(m_platform);
    again.m_page = &m_satellites;
    again.Open();
    ui::SatEditDialog cancelled(again);
    cancelled.show();
    Type(cancelled, "typed");
    Keys(cancelled, {Qt::Key_Escape});
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(ReadBytes("temp_sat.xml"), before);
}

// The three transponder dialogs by keyboard: Freq first with its text selected; a
// refusal keeps the dialog open with the focus back in Freq; Enter adds, Escape
// cancels. The keys are one number space: each add takes the next.
TEST_F(SatelliteDialogsTest, AddTransponderByKeyboard) {
    struct Case {
        TransponderKind kind;
        const char* work;
        const char* title;
        const char* refused;  // Freq typed first, and the message it gets
        const char* message;
        const char* accepted;                 // the Freq typed then
        std::initializer_list<Qt::Key> rest;  // after it
        const char* added;
    };
    const Case cases[] = {
        {TransponderKind::Satellite,
         "temp_sat.xml",
         "Sat Edit TP",
         "10599",
         "Invalid Frequency(10600--12750)",
         "11000",
         {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Tab, Qt::Key_End, Qt::Key_7},
         "tp_key=\"813\" sat_key=\"1\" transport_stream_id=\"0\" original_network_id=\"0\" "
         "frequency=\"11000\" symbol_rate=\"7\" fec=\"Auto\" modulation_mode=\"QPSK\" "
         "polarization=\"V\""},
        {TransponderKind::Cable,
         "temp_sat_c.xml",
         "Cable Edit TP",
         "476",
         "This Tp has already existed",
         "474",
         {Qt::Key_Tab, Qt::Key_End, Qt::Key_9, Qt::Key_Tab, Qt::Key_Down},
         "<transponder tp_key=\"814\" sat_key=\"66\" frequency=\"474\" symbol_rate=\"68759\" "
         "modulation_mode=\"128QAM\"/>"},
        {TransponderKind::Terrestrial,
         "temp_sat_t.xml",
         "Ter Edit TP",
         "x",
         "Please enter an integer.",
         "474",
         {Qt::Key_Tab, Qt::Key_End, Qt::Key_8, Qt::Key_Tab, Qt::Key_End, Qt::Key_2},
         "<transponder tp_key=\"815\" sat_key=\"65\" frequency=\"474\" band=\"8HMZ\" "
         "channel_no=\"2\"/>"},
    };
    for (const Case& c : cases) {
        CTransponderPage page(c.kind);
        page.FillTransponderList(0);
        CTpEditDlg form(m_platform, page, true);
        form.Open();
        ui::TpEditDialog dialog(form);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.title));
        EXPECT_FALSE(dialog.Edit(TpField::TpKey)->isEnabled());
        ASSERT_EQ(dialog.focusWidget(), dialog.Edit(TpField::Freq));
        EXPECT_TRUE(dialog.Edit(TpField::Freq)->hasSelectedText());
        if (c.kind == TransponderKind::Cable) {  // the near one has this rate and mode
            dialog.Edit(TpField::Sym)->setText(QStringLiteral("6875"));
            dialog.ChoiceBox(TpField::Mode)->setCurrentIndex(3);
        }
        Type(dialog, c.refused);
        Keys(dialog, {Qt::Key_Return});
        EXPECT_EQ(m_platform.MessageTexts().back(), QString::fromLatin1(c.message).toStdU16String())
            << c.title;
        ASSERT_TRUE(dialog.isVisible());
        ASSERT_EQ(dialog.focusWidget(), dialog.Edit(TpField::Freq));
        Type(dialog, c.accepted);
        Keys(dialog, c.rest);
        Keys(dialog, {Qt::Key_Return});
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.title;
        EXPECT_NE(ReadBytes(c.work).find(c.added), std::string::npos) << c.title;

        const std::string before = ReadBytes(c.work);
        CTpEditDlg again(m_platform, page, true);
        again.Open();
        ui::TpEditDialog cancelled(again);
        cancelled.show();
        Type(cancelled, "500");
        Keys(cancelled, {Qt::Key_Escape});
        EXPECT_EQ(cancelled.result(), QDialog::Rejected);
        EXPECT_EQ(ReadBytes(c.work), before);
    }
}

}  // namespace
}  // namespace vesko::testing
