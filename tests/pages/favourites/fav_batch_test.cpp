// Adding to and removing from favourite groups gather their edits and write the file
// once. These tests hold them to the bytes of the step-by-step sequence (one load and
// save per service and group, one engine removal per member) on files with every
// layout the engine has to cope with, and check the add-to-favourites rules.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "database/working_copies.h"
#include "fav_fixture.h"
#include "pages/favourites/fav_file.h"
#include "pages/services/add_to_fav_dlg.h"
#include "pages/services/service_page.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::u16string>;

std::string Separator(std::mt19937& random) {
    static const char* const kSeparators[] = {"\r\n", "\r\n\t\t",       "\n",    "",
                                              "  ",   "<!-- c -->\r\n", " text "};
    return kSeparators[random() % std::size(kSeparators)];
}

// Groups that are empty elements, open but empty, or full of members with extra
// attributes, separated by any white space, comments or text.
std::string TrickyFavFile(std::mt19937& random, int groups) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<favourites>" + Separator(random);
    for (int g = 0; g < groups; ++g) {
        const std::string start = "<fav name=\"G" + std::to_string(g) + "\" block=\"0\"";
        switch (random() % 4) {
            case 0:
                text += start + "/>";
                break;
            case 1:
                text += start + ">" + Separator(random) + "</fav>";
                break;
            default: {
                text += start + ">" + Separator(random);
                const int members = 1 + static_cast<int>(random() % 8);
                for (int m = 0; m < members; ++m) {
                    text += "<prog service_key=\"" + std::to_string(random() % 12) + "\"" +
                            (random() % 3 == 0 ? " x=\"1\"" : "") + "/>" + Separator(random);
                }
                text += "</fav>";
            }
        }
        text += Separator(random);
    }
    return text + "</favourites>\r\n";
}

std::string TvProgFile() {
    std::string text = "<tv>\r\n";
    for (int k = 0; k < 12; ++k)
        text += "<prog service_key=\"" + std::to_string(k) + "\" name=\"S\"/>\r\n";
    return text + "</tv>\r\n";
}

class FavBatchTest : public FavPageTest {
protected:
    void SetUp() override {
        FavPageTest::SetUp();
        WriteBytes("temp_tv_prog.xml", TvProgFile());
        fs::create_directories("ref");
    }
    // The reference works on its own copies under the working-copy names of a
    // second folder, through a page of its own; the working copies' memory of what
    // they wrote is for one folder only.
    template <class Steps>
    std::string Reference(const std::string& fav, Steps&& steps) {
        const fs::path here = fs::current_path();
        fs::current_path("ref");
        WorkingCopies::Current().Reset();
        WriteBytes("temp_tv_fav.xml", fav);
        steps();
        std::string bytes = ReadBytes("temp_tv_fav.xml");
        WorkingCopies::Current().Reset();
        fs::current_path(here);
        return bytes;
    }
};

TEST_F(FavBatchTest, AddingWritesTheBytesOfOneServiceAndGroupPerSave) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        const std::string fav = TrickyFavFile(random, 6);
        WriteBytes("temp_tv_fav.xml", fav);
        CServicePage tv(ServiceKind::Tv);
        tv.Reload();
        std::array<int, CAddToFavDlg::kBoxCount> checks{};
        for (int k = 0; k < 3; ++k)
            checks[random() % 8] = 1;  // groups 6 and 7 are not in the file
        tv.List().ClearSelection();
        for (int k = 0; k < 4; ++k)
            tv.List().SetSelected(static_cast<int>(random() % 12), true);
        Keys keys;
        for (int row = tv.List().GetNextSelected(); row >= 0; row = tv.List().GetNextSelected(row))
            keys.push_back(tv.List().GetItemText(row, kColSerKey));
        // A low limit puts the full-group rule to work as well.
        const int limit = seed % 3 == 0 ? 5 : CFavPage::kMemberLimit;
        if (limit == CFavPage::kMemberLimit) {
            AddSelectedToFavourites(tv, checks);
        } else {
            CXmlDoc doc;
            doc.Load("temp_tv_fav.xml");
            std::vector<int> groups;
            for (int g = 0; g < CAddToFavDlg::kBoxCount; ++g) {
                if (checks[static_cast<size_t>(g)])
                    groups.push_back(g);
            }
            if (AddMembers(doc, keys, groups, limit))
                doc.Save("temp_tv_fav.xml");
        }

        const std::string expected = Reference(fav, [&] {
            CFavPage page(FavKind::Tv);
            for (const std::u16string& key : keys) {
                for (int g = 0; g < CAddToFavDlg::kBoxCount; ++g) {
                    if (!checks[static_cast<size_t>(g)])
                        continue;
                    CXmlDoc doc;
                    doc.Load("temp_tv_fav.xml");
                    if (CountGroupServices(doc, g) < limit)
                        page.AddServiceToGroup(g, key);
                }
            }
        });
        ASSERT_EQ(ReadBytes("temp_tv_fav.xml"), expected) << "seed " << seed << "\n" << fav;
    }
}

TEST_F(FavBatchTest, RemovingWritesTheBytesOfOneEngineRemovalPerRow) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        const std::string fav = TrickyFavFile(random, 5);
        WriteBytes("temp_tv_fav.xml", fav);
        CFavPage page(FavKind::Tv);
        page.FillGroupList();
        const int group = static_cast<int>(random() % 5);
        page.FillGroupServices(group);
        const int rows = page.ServiceList().GetItemCount();
        if (rows == 0)
            continue;
        std::vector<int> selected;
        for (int row = 0; row < rows; ++row) {
            if (random() % 2)
                selected.push_back(row);
        }
        page.ServiceList().ClearSelection();
        for (int row : selected)
            page.ServiceList().SetSelected(row, true);
        page.RemoveSelectedServices(group);

        const std::string expected = Reference(fav, [&] {
            CXmlDoc doc;
            doc.Load("temp_tv_fav.xml");
            EnterGroup(doc, group);
            doc.IntoElement();
            int position = 0;
            size_t next = 0;
            while (next < selected.size() && doc.FindElement(u"prog")) {
                if (position++ == selected[next]) {
                    doc.RemoveElement();
                    ++next;
                }
            }
            doc.Save("temp_tv_fav.xml");
        });
        ASSERT_EQ(ReadBytes("temp_tv_fav.xml"), expected) << "seed " << seed << "\n" << fav;
    }
}

// The limit of 300, a key already in the group, a group the file does not have, and
// the heart, which shows only where the service really is in a group now.
TEST_F(FavBatchTest, AddToFavouritesKeepsTheLimitAndShowsTheHeartOnlyForRealMembers) {
    std::vector<std::string> full, almost;
    for (int k = 0; k < 300; ++k)
        full.push_back("f" + std::to_string(k));
    almost.assign(full.begin(), full.begin() + 299);
    WriteBytes("temp_tv_fav.xml",
               FavFile({FavGroupText("Full", full), FavGroupText("Almost", almost),
                        FavGroupText("Has3", {"3"})}));
    CServicePage tv(ServiceKind::Tv);
    tv.Reload();
    for (int row = 0; row < tv.List().GetItemCount(); ++row)
        tv.List().SetItemImage(row, kColFav, CDragListCtrl::kImageBlank);

    CAddToFavDlg form;
    form.m_page = &tv;
    form.Open();
    EXPECT_EQ(form.m_captions[1], u"Almost");
    EXPECT_TRUE(form.m_offered[2]);
    EXPECT_FALSE(form.m_offered[3]);  // no such group: no box
    EXPECT_EQ(form.m_captions[3], u"");
    form.m_checks[4] = 1;
    form.Reset();
    EXPECT_EQ(form.m_checks, (std::array<int, CAddToFavDlg::kBoxCount>{}));

    const struct {
        std::vector<int> rows;
        std::vector<int> groups;
        Keys almostAfter;  // the members Almost gains
        std::vector<int> hearts;
    } steps[] = {
        {{4}, {0, 9}, {}, {}},       // full group, missing group: nothing, no heart
        {{0, 1}, {1}, {u"0"}, {0}},  // 299 takes one more, then it is full
        {{3}, {2}, {u"0"}, {3}},     // already a member: nothing written, heart
    };
    for (const auto& step : steps) {
        tv.List().ClearSelection();
        for (int row : step.rows)
            tv.List().SetSelected(row, true);
        form.Reset();
        for (int g : step.groups)
            form.m_checks[static_cast<size_t>(g)] = 1;
        EXPECT_TRUE(form.Ok());
        const auto groups = FavouriteGroups("temp_tv_fav.xml");
        EXPECT_EQ(groups[0].keys.size(), 300u);
        EXPECT_EQ(Keys(groups[1].keys.begin() + 299, groups[1].keys.end()), step.almostAfter);
        for (int row : step.rows) {
            const bool heart =
                std::find(step.hearts.begin(), step.hearts.end(), row) != step.hearts.end();
            EXPECT_EQ(tv.List().GetItemImage(row, kColFav),
                      heart ? CDragListCtrl::kImageHeart : CDragListCtrl::kImageBlank)
                << row;
        }
    }
}

}  // namespace
}  // namespace vesko::testing
