#include <gtest/gtest.h>

#include <regex>

#include "app/about_form.h"
#include "app/history_form.h"
#include "fake_platform.h"

namespace vesko {
namespace {

TEST(AboutForm, VersionLineCarriesTheBuildDate) {
    EXPECT_EQ(VersionLine("May  9 2012"),
              u"Vesko Editor 1.7 (vesko team) release time May  9 2012");
    const std::u16string line = VersionLine();
    const std::string narrow(line.begin(), line.end());
    EXPECT_TRUE(std::regex_match(
        narrow, std::regex("Vesko Editor 1\\.7 \\(vesko team\\) release time "
                           "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] "
                           "[0-9]{4}")))
        << narrow;
}

TEST(AboutForm, LinkOpensOnlyForPlainLeftClickStrictlyInside) {
    testing::FakePlatform platform;
    CAboutDlg about(platform);
    about.Open({10, 20, 110, 40});

    // The border itself is outside.
    EXPECT_FALSE(about.OnMouseMove(10, 30));
    EXPECT_FALSE(about.OnMouseMove(110, 30));
    EXPECT_FALSE(about.OnMouseMove(50, 20));
    EXPECT_FALSE(about.OnMouseMove(50, 40));
    EXPECT_TRUE(about.OnMouseMove(11, 21));
    EXPECT_TRUE(about.OnMouseMove(109, 39));

    EXPECT_FALSE(about.OnLeftButtonDown(10, 30, kMouseLeft));
    EXPECT_FALSE(about.OnLeftButtonDown(50, 30, kMouseLeft | kMouseControl));
    EXPECT_FALSE(about.OnLeftButtonDown(50, 30, kMouseLeft | kMouseShift));
    EXPECT_FALSE(about.OnLeftButtonDown(50, 30, kMouseLeft | kMouseRight));
    EXPECT_TRUE(platform.openedUrls.empty());

    EXPECT_TRUE(about.OnLeftButtonDown(11, 30, kMouseLeft));
    EXPECT_EQ(platform.openedUrls,
              (std::vector<std::u16string>{std::u16string(CAboutDlg::kSiteAddress)}));
}

TEST(HistoryForm, TextTitleAndCaret) {
    CHistoryDlg history;
    history.Open();
    const std::u16string& text = history.GetText();
    EXPECT_EQ(history.GetTitle(), u"Vesko Editor history");
    EXPECT_EQ(history.GetCaret(), 0);

    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], u"Vesko Editor 1.7 :");
    EXPECT_EQ(lines[1], u"1\u3001add edit program icon ");
    EXPECT_EQ(lines[2], u"");
    EXPECT_EQ(lines[3], std::u16string(65, u'-'));
    EXPECT_EQ(lines[7], lines[3]);
    EXPECT_EQ(lines[12], lines[3]);
    EXPECT_EQ(lines[5],
              u"1\u3001After edit of XML,I upload this on stb and after it doesn't shows me a "
              u"channel with russian names, they are empty ");
    EXPECT_EQ(lines[10], u"2\u3001add support for the mouse to drag open the dbase of vesko");
    EXPECT_EQ(lines[15], u"2\u3001Add HOTKEY Search(Ctrl + f)\u3001Delete(Ctrl + d).");
}

}  // namespace
}  // namespace vesko
