// The service pages gather a command's edits and rebuild each file once. These tests
// hold them to the bytes that the plain sequence of engine edits writes: a step-by-step
// reference of each command, run on a copy of the same files.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "fake_platform.h"
#include "pages/services/element_splicer.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"
#include "pages/services/service_record.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

// ---- the step-by-step reference ----

void ToTop(CXmlDoc& doc) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
}

// Enters the n-th `prog` child of the root.
bool EnterProg(CXmlDoc& doc, int n) {
    ToTop(doc);
    for (int k = 0; doc.FindChildElement(u"prog"); ++k) {
        doc.IntoElement();
        if (k == n)
            return true;
        doc.OutOfElement();
    }
    return false;
}

// Enters the first `prog` with `key` after the current child of the root.
bool EnterNextWithKey(CXmlDoc& doc, std::u16string_view key) {
    while (doc.FindChildElement(u"prog")) {
        doc.IntoElement();
        if (doc.GetAttribute(u"service_key") == key)
            return true;
        doc.OutOfElement();
    }
    return false;
}

void RefRemoveFromFavourites(const fs::path& fav, const std::u16string& key) {
    CXmlDoc doc;
    doc.Load(fav);
    while (doc.FindChildElement(u"fav")) {
        doc.IntoElement();
        doc.IntoElement();
        while (doc.FindElement(u"prog")) {
            if (doc.GetAttribute(u"service_key") == key)
                doc.RemoveElement();
        }
        doc.OutOfElement();
        doc.OutOfElement();
    }
    doc.Save(fav);
}

void RefDelete(const fs::path& prog, const fs::path& fav, const std::vector<int>& rows) {
    CXmlDoc doc;
    doc.Load(prog);
    int deleted = 0;
    for (int row : rows) {
        if (EnterProg(doc, row - deleted++)) {
            RefRemoveFromFavourites(fav, doc.GetAttribute(u"service_key"));
            doc.RemoveElement();
        }
    }
    doc.Save(prog);
}

void RefToggle(const fs::path& prog, const std::vector<std::u16string>& keys,
               std::u16string_view attribute) {
    CXmlDoc doc;
    doc.Load(prog);
    ToTop(doc);
    for (const std::u16string& key : keys) {
        if (!EnterNextWithKey(doc, key))
            continue;
        const std::u16string value = doc.GetAttribute(attribute);
        doc.SetAttribute(attribute, value == u"0" || value.empty() ? u"1" : u"0");
        doc.OutOfElement();
    }
    doc.Save(prog);
}

// Where the n-th `prog` child of the root stands in the text.
std::pair<size_t, size_t> ProgSpan(CXmlDoc& doc, int n) {
    EXPECT_TRUE(EnterProg(doc, n));
    const ElementRecord& record = doc.GetIndex()[doc.GetCurrentPos()];
    return {static_cast<size_t>(record.start), static_cast<size_t>(record.length)};
}

// A move of one service by one place: the two elements exchange their whole texts.
void RefSwap(CXmlDoc& doc, int a, int b) {
    auto [startA, lengthA] = ProgSpan(doc, std::min(a, b));
    auto [startB, lengthB] = ProgSpan(doc, std::max(a, b));
    const std::u16string& text = doc.GetDoc();
    const std::u16string swapped = text.substr(0, startA) + text.substr(startB, lengthB) +
                                   text.substr(startA + lengthA, startB - startA - lengthA) +
                                   text.substr(startA, lengthA) + text.substr(startB + lengthB);
    const uint32_t flags = doc.GetDocFlags();
    doc.SetDoc(swapped);
    doc.SetDocFlags(flags);
}

void RefSwap(const fs::path& prog, int a, int b) {
    CXmlDoc doc;
    doc.Load(prog);
    RefSwap(doc, a, b);
    doc.Save(prog);
}

// The drop as the plain sequence: every service taken to its new place by moves of
// one place at a time.
void RefApplyDrop(const fs::path& prog, std::vector<std::u16string> order,
                  const std::vector<std::u16string>& wanted) {
    if (order == wanted)
        return;
    CXmlDoc doc;
    doc.Load(prog);
    for (size_t place = 0; place < wanted.size(); ++place) {
        size_t at = std::find(order.begin() + place, order.end(), wanted[place]) - order.begin();
        for (; at > place; --at) {
            RefSwap(doc, static_cast<int>(at) - 1, static_cast<int>(at));
            std::swap(order[at - 1], order[at]);
        }
    }
    doc.Save(prog);
}

// ---- files with every layout the engine has to cope with ----

std::string Separator(std::mt19937& random) {
    static const char* const kSeparators[] = {"\r\n", "\r\n",           "\r\n",   "\n\t",    "  ",
                                              "",     "<!-- c -->\r\n", " text ", "\r\n\r\n"};
    return kSeparators[random() % std::size(kSeparators)];
}

std::string TrickyProgFile(int count, std::mt19937& random) {
    std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<tv>" + Separator(random);
    for (int k = 0; k < count; ++k) {
        const std::string key = std::to_string(500 + k);
        Attrs overrides{{"block", std::to_string(random() % 3)},
                        {"bskip", random() % 4 == 0 ? "<absent>" : "0"}};
        if (random() % 5 == 0)
            overrides.push_back({"name", "A&amp;B &lt;\xD0\x9F&gt; &quot;q&quot;"});
        std::string element =
            ProgElement(key, overrides, random() % 4 == 0 ? Attrs{{"icon_name", "i"}} : Attrs{});
        if (random() % 6 == 0) {
            const size_t quote = element.find("bskip=\"");
            if (quote != std::string::npos) {
                element.replace(quote + 6, 1, "'");
                element.replace(element.find('"', quote + 7), 1, "'");
            }
        }
        text += element + Separator(random);
    }
    return text + "</tv>" + (random() % 2 ? "\r\n" : "");
}

std::string TrickyFavFile(int services, std::mt19937& random) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<favourites>\r\n";
    for (int group = 0; group < 6; ++group) {
        text += "<fav name=\"G" + std::to_string(group) + "\" block=\"0\">" + Separator(random);
        const int members = static_cast<int>(random() % 12);
        for (int m = 0; m < members; ++m) {
            text += "<prog service_key=\"" + std::to_string(500 + random() % services) + "\"/>" +
                    Separator(random);
        }
        text += "</fav>\r\n";
    }
    return text + "</favourites>\r\n";
}

std::vector<int> RandomRows(std::mt19937& random, int count) {
    std::set<int> rows;
    const int picks = 1 + static_cast<int>(random() % 6);
    for (int k = 0; k < picks; ++k)
        rows.insert(static_cast<int>(random() % count));
    if (random() % 3 == 0)
        rows.insert(count - 1);
    return {rows.begin(), rows.end()};
}

class BatchedEditsTest : public ServicePageTest {
protected:
    void WriteTricky(uint32_t seed) {
        std::mt19937 random(seed);
        WriteBytes("temp_tv_prog.xml", TrickyProgFile(kServices, random));
        WriteBytes("temp_tv_fav.xml", TrickyFavFile(kServices, random));
        fs::create_directories("ref");
        fs::copy_file("temp_tv_prog.xml", "ref/prog.xml", fs::copy_options::overwrite_existing);
        fs::copy_file("temp_tv_fav.xml", "ref/fav.xml", fs::copy_options::overwrite_existing);
    }
    void Select(CServicePage& page, const std::vector<int>& rows) {
        page.List().ClearSelection();
        for (int row : rows)
            page.List().SetSelected(row, true);
    }
    void ExpectSameFiles(uint32_t seed) {
        EXPECT_EQ(ReadBytes("temp_tv_prog.xml"), ReadBytes("ref/prog.xml")) << "seed " << seed;
        EXPECT_EQ(ReadBytes("temp_tv_fav.xml"), ReadBytes("ref/fav.xml")) << "seed " << seed;
    }

    static constexpr int kServices = 24;
};

TEST_F(BatchedEditsTest, DeleteWritesTheBytesOfOneByOneDeletion) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        WriteTricky(seed);
        CServicePage page(ServiceKind::Tv);
        page.Reload();
        ASSERT_EQ(page.List().GetItemCount(), kServices);
        std::mt19937 random(seed * 7);
        const std::vector<int> rows = RandomRows(random, kServices);
        Select(page, rows);
        page.DeleteSelected();
        RefDelete("ref/prog.xml", "ref/fav.xml", rows);
        ExpectSameFiles(seed);
    }
}

TEST_F(BatchedEditsTest, TogglesAndMovesWriteTheBytesOfSingleEdits) {
    FakePlatform platform;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        WriteTricky(seed);
        CServicePage page(ServiceKind::Tv);
        page.Reload();
        std::mt19937 random(seed * 11);
        const std::vector<int> rows = RandomRows(random, kServices);
        Select(page, rows);
        std::vector<std::u16string> keys;
        for (int row : rows)
            keys.push_back(page.List().GetItemText(row, kColSerKey));
        page.ToggleLock();
        RefToggle("ref/prog.xml", keys, u"block");
        page.ToggleSkip();
        RefToggle("ref/prog.xml", keys, u"bskip");
        ExpectSameFiles(seed);

        const int row = 1 + static_cast<int>(random() % (kServices - 2));
        Select(page, {row});
        if (seed % 2) {
            page.MoveUp(platform);
            RefSwap("ref/prog.xml", row, row - 1);
        } else {
            page.MoveDown(platform);
            RefSwap("ref/prog.xml", row, row + 1);
        }
        ExpectSameFiles(seed);
    }
}

TEST_F(BatchedEditsTest, DropWritesTheBytesOfMovingServiceByService) {
    int moved = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        WriteTricky(seed);
        CServicePage page(ServiceKind::Tv);
        page.Reload();
        std::mt19937 random(seed * 13);
        const std::vector<std::u16string> before = ListColumn(page.List(), kColSerKey);
        Select(page, RandomRows(random, kServices));
        page.List().BeginDrag();
        page.List().HighlightDropRow(static_cast<int>(random() % (kServices + 2)) - 1);
        page.List().OnLeftButtonUp();
        const std::vector<std::u16string> after = ListColumn(page.List(), kColSerKey);
        RefApplyDrop("ref/prog.xml", before, after);
        EXPECT_EQ(FileKeys("temp_tv_prog.xml"), after) << "seed " << seed;
        ExpectSameFiles(seed);
        moved += after != before;
    }
    EXPECT_GT(moved, 30);
}

// The edit dialog reads its fields with one load and writes name, lock and skip with one
// save; the bytes are those of setting one attribute per load and save, also when the
// file's code page cannot hold the new name.
TEST_F(BatchedEditsTest, EditDialogWritesTheBytesOfOneSavePerAttribute) {
    FakePlatform platform;
    const std::u16string names[] = {u"Renamed", u"A & <B> \"q\" '\u041F'", u"\u4E2D \u20AC", u""};
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        WriteTricky(seed);
        if (seed % 4 == 0) {
            WriteBytes("temp_tv_prog.xml",
                       Lines({"<?xml version=\"1.0\" encoding=\"windows-1251\"?>", "<tv>",
                              ProgElement("500", {{"name", "\xCF\xE5\xF0\xE2\xFB\xE9"}}),
                              ProgElement("501"), "</tv>"}));
            fs::copy_file("temp_tv_prog.xml", "ref/prog.xml", fs::copy_options::overwrite_existing);
        }
        CServicePage page(ServiceKind::Tv);
        page.Reload();
        const int row = static_cast<int>(seed % 2);
        Select(page, {row});
        CServiceEditDlg form(platform);
        form.m_page = &page;
        form.Open();
        std::u16string name;
        page.GetServiceAttribute(row, u"name", name);
        ASSERT_EQ(form.m_name, name) << "seed " << seed;
        form.m_name = names[(seed + seed / 4) % std::size(names)];
        form.m_lock = seed % 3 == 0 ? CServiceEditDlg::kYes : CServiceEditDlg::kNo;
        form.m_skip = seed % 5 == 0 ? CServiceEditDlg::kYes : CServiceEditDlg::kNo;
        ASSERT_TRUE(form.Ok());

        const std::pair<std::u16string_view, std::u16string_view> sets[] = {
            {u"name", form.m_name},
            {u"block", form.m_lock == CServiceEditDlg::kYes ? u"1" : u"0"},
            {u"bskip", form.m_skip == CServiceEditDlg::kYes ? u"1" : u"0"}};
        for (const auto& [attribute, value] : sets) {
            CXmlDoc doc;
            doc.Load("ref/prog.xml");
            ASSERT_TRUE(EnterProg(doc, row));
            doc.SetAttribute(attribute, value);
            doc.Save("ref/prog.xml");
        }
        ExpectSameFiles(seed);
    }
}

// The splicer on its own against the engine, with removals that run into each other's
// white space, insertions before text, comments and end tags.
TEST(ElementSplicer, MatchesEngineEditsInAnyOrder) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        std::string text = "<r>" + Separator(random);
        const int count = 2 + static_cast<int>(random() % 8);
        for (int k = 0; k < count; ++k)
            text += "<e id=\"" + std::to_string(k) + "\"/>" + Separator(random);
        text += "</r>" + Separator(random);
        const std::u16string text16(text.begin(), text.end());

        CXmlDoc engine;
        engine.SetDoc(text16);
        CXmlDoc parsed;
        parsed.SetDoc(text16);
        ElementSplicer splicer(parsed.GetDoc());
        std::vector<int> pieces;  // by id
        std::vector<int> live;
        int record = 0;
        for (int k = 0; k < count; ++k) {
            parsed.ResetPosition();
            parsed.FindChildElement();
            for (int skip = 0; skip < k; ++skip)
                parsed.FindChildElement();
            record = parsed.GetChildPos();
            pieces.push_back(splicer.AddRecord(parsed, record));
            live.push_back(k);
        }
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int edit = 0; edit < edits && !live.empty(); ++edit) {
            const size_t pick = random() % live.size();
            const int id = live[pick];
            const std::u16string idText = [&] {
                const std::string s = std::to_string(id);
                return std::u16string(s.begin(), s.end());
            }();
            ToTop(engine);
            while (engine.FindChildElement(u"e")) {
                engine.IntoElement();
                if (engine.GetAttribute(u"id") == idText)
                    break;
                engine.OutOfElement();
            }
            if (random() % 2) {
                engine.RemoveElement();
                splicer.Remove(pieces[id]);
                live.erase(live.begin() + static_cast<long>(pick));
            } else {
                const int newId = static_cast<int>(pieces.size());
                const std::string s = std::to_string(newId);
                engine.AddElement(u"e");
                engine.SetAttribute(u"id", std::u16string(s.begin(), s.end()));
                pieces.push_back(splicer.InsertAfter(
                    pieces[id],
                    WithAttributes(u"<e/>", {{u"id", std::u16string(s.begin(), s.end())}})));
                live.push_back(newId);
            }
        }
        ASSERT_EQ(splicer.Build(), engine.GetDoc()) << "seed " << seed << "\n" << text;
    }
}

}  // namespace
}  // namespace vesko::testing
