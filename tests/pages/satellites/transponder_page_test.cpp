// The transponder pages on real working copies: lists, deletion with everything it
// takes along, drops and the rewrite in list order.

#include "pages/satellites/transponder_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>

#include "database/schema.h"
#include "pages/satellites/satellite_file.h"
#include "satellite_fixture.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

class TransponderPageTest : public SatelliteTest {
protected:
    CTransponderPage m_page{TransponderKind::Satellite};
};

TEST_F(TransponderPageTest, ListsTheSatellitesTranspondersAndTheServicesOfOne) {
    m_page.Reload();
    EXPECT_EQ(Column(m_page.TransponderList(), 5), Words("DVB-S DVB-S2 DVB-S"));
    Select(m_page.TransponderList(), {0});
    m_page.TransponderList().OnLeftButtonUp();  // a click
    EXPECT_EQ(Column(m_page.ServiceList(), 1), Words("S100 S103"));
    m_page.ToggleServiceKind();
    EXPECT_EQ(Column(m_page.ServiceList(), 1), Words("S100"));
    m_page.SelectSatellite(1);
    EXPECT_EQ(Column(m_page.TransponderList(), 1), Words("3700"));
}

// Deleting transponders of any kind takes their services (the kind's satellite key and
// their own tp_key) out of both service files and every group of both favourites
// files; a service of another satellite with the same tp_key stays, and so does the
// last transponder, in the file and in the list.
TEST_F(TransponderPageTest, DeleteTakesServicesAndFavouritesAlongButKeepsTheLast) {
    struct Case {
        TransponderKind kind;
        std::initializer_list<int> rows;
        const char *tv, *radio, *tvFav, *radioFav;  // the service keys left, as words
        bool lastKept;
    };
    const Case cases[] = {
        {TransponderKind::Satellite,
         {0, 1},
         "102 104 105 106 107",
         "200 201 202",
         "102 104 105",
         "200 201 202",
         false},
        {TransponderKind::Cable,
         {0},
         "100 101 102 103 105 106 107",
         "100 200 202",
         "100 102 103 100 105",
         "100 200 202",
         false},
        {TransponderKind::Terrestrial,
         {0},
         "100 101 102 103 104 105 106 107",
         "100 200 201 202",
         "100 102 103 100 104 105",
         "100 200 201 202",
         true},
    };
    for (const Case& c : cases) {
        SetUp();
        CTransponderPage page(c.kind);
        page.FillTransponderList(0);
        const int rowsBefore = page.TransponderList().GetItemCount();
        Select(page.TransponderList(), c.rows);
        page.DeleteSelectedTransponders(0);
        EXPECT_EQ(Values(kTvProgWork, u"prog", u"service_key"), Words(c.tv));
        EXPECT_EQ(Values(kRadioProgWork, u"prog", u"service_key"), Words(c.radio));
        EXPECT_EQ(Values(kTvFavWork, u"prog", u"service_key"), Words(c.tvFav));
        EXPECT_EQ(Values(kRadioFavWork, u"prog", u"service_key"), Words(c.radioFav));
        EXPECT_EQ(page.LastTransponderKept(), c.lastKept);
        EXPECT_EQ(page.TransponderList().GetItemCount(),
                  rowsBefore - (c.lastKept ? 0 : static_cast<int>(c.rows.size())));
        EXPECT_EQ(page.m_deletedKeys.size(), c.lastKept ? 0u : c.rows.size());
    }
}

// ---- the step-by-step reference of a deletion, with plain engine edits ----

// Removes each `name` element at `depth` below the root (1: its children, 2: theirs)
// that `match` accepts, telling `removed` first; then saves.
template <class Match, class Removed>
void RefRemove(const fs::path& path, int depth, std::u16string_view name, Match match,
               Removed removed) {
    CXmlDoc doc;
    doc.Load(path);
    if (doc.FindElement() && doc.IntoElement()) {
        while (depth == 1 || doc.FindElement(u"fav")) {
            if (depth == 2)
                doc.IntoElement();
            while (doc.FindElement(name)) {
                if (match(doc)) {
                    removed(doc);
                    doc.RemoveElement();
                }
            }
            if (depth == 1)
                break;
            doc.OutOfElement();
        }
    }
    doc.Save(path);
}

void RefDeleteServices(const fs::path& prog, const fs::path& fav, const std::u16string& satKey,
                       const std::u16string& tpKey) {
    RefRemove(
        prog, 1, u"prog",
        [&](CXmlDoc& doc) {
            return doc.GetAttribute(u"sat_key") == satKey && doc.GetAttribute(u"tp_key") == tpKey;
        },
        [&](CXmlDoc& doc) {
            const std::u16string key = doc.GetAttribute(u"service_key");
            RefRemove(
                fav, 2, u"prog",
                [&](CXmlDoc& entry) { return entry.GetAttribute(u"service_key") == key; },
                [](CXmlDoc&) {});
        });
}

// Row by row: a row taken off the list names the transponder at its index then.
void RefDelete(int satIndex, const std::vector<int>& rows) {
    CXmlDoc sat;
    sat.Load("ref/sat.xml");
    int count = static_cast<int>(TransponderRecords(sat, satIndex).size());
    int taken = 0;
    for (const int row : rows) {
        const int at = row - taken;
        if (at < count && count <= 1)
            continue;
        ++taken;
        if (at >= count || !EnterTransponder(sat, satIndex, at))
            continue;
        const std::u16string satKey = sat.GetAttribute(u"sat_key");
        const std::u16string tpKey = sat.GetAttribute(u"tp_key");
        RefDeleteServices("ref/radio_prog.xml", "ref/radio_fav.xml", satKey, tpKey);
        RefDeleteServices("ref/tv_prog.xml", "ref/tv_fav.xml", satKey, tpKey);
        sat.RemoveElement();
        --count;
    }
    sat.Save("ref/sat.xml");
}

std::string Separator(std::mt19937& random) {
    static const char* const kSeparators[] = {"\r\n", "\r\n\t",         "\n\t\t", "",
                                              "  ",   "<!-- c -->\r\n", " text "};
    return kSeparators[random() % std::size(kSeparators)];
}

// Satellites with random transponders (keys shared by chance across satellites too),
// services on them and on keys nobody has, and favourite groups.
void WriteRandomDatabase(std::mt19937& random) {
    std::string sat =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<satellites>" + Separator(random);
    for (int s = 0; s < 3; ++s) {
        sat += "<sat sat_key=\"" + std::to_string(s + 1) + "\">" + Separator(random);
        const int transponders = 1 + static_cast<int>(random() % 7);
        for (int t = 0; t < transponders; ++t) {
            sat += Transponder(static_cast<int>(random() % 12), std::to_string(s + 1), 11000 + t,
                               27500, "QPSK", "H") +
                   Separator(random);
        }
        sat += "</sat>" + Separator(random);
    }
    WriteBytes(kSatWork, sat + "</satellites>\r\n");
    for (const char* kind : {"tv", "radio"}) {
        std::string prog = std::string("<") + kind + ">" + Separator(random);
        std::string fav = "<favourites>\r\n";
        for (int k = 0; k < 30; ++k) {
            prog += Prog(std::to_string(1 + random() % 3), std::to_string(random() % 13),
                         std::to_string(random() % 25)) +
                    Separator(random);
        }
        for (int g = 0; g < 4; ++g) {
            fav += "<fav name=\"G\">" + Separator(random);
            for (int m = static_cast<int>(random() % 9); m > 0; --m)
                fav += "<prog service_key=\"" + std::to_string(random() % 25) + "\"/>" +
                       Separator(random);
            fav += "</fav>\r\n";
        }
        WriteBytes(std::string("temp_") + kind + "_prog.xml", prog + "</" + kind + ">\r\n");
        WriteBytes(std::string("temp_") + kind + "_fav.xml", fav + "</favourites>\r\n");
    }
    fs::create_directories("ref");
    for (const char* name : {"sat", "tv_prog", "radio_prog", "tv_fav", "radio_fav"})
        fs::copy_file(std::string("temp_") + name + ".xml", std::string("ref/") + name + ".xml",
                      fs::copy_options::overwrite_existing);
}

TEST_F(TransponderPageTest, DeletionWritesTheBytesOfDeletingServiceByService) {
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        WriteRandomDatabase(random);
        const int satIndex = static_cast<int>(random() % 3);
        CTransponderPage page(TransponderKind::Satellite);
        page.FillTransponderList(satIndex);
        std::vector<int> rows;
        for (int row = 0; row < page.TransponderList().GetItemCount(); ++row) {
            if (random() % 3 != 0)
                rows.push_back(row);
        }
        page.TransponderList().ClearSelection();
        for (const int row : rows)
            page.TransponderList().SetSelected(row, true);
        page.DeleteSelectedTransponders(satIndex);
        RefDelete(satIndex, rows);
        for (const char* name : {"sat", "tv_prog", "radio_prog", "tv_fav", "radio_fav"}) {
            EXPECT_EQ(ReadBytes(std::string("temp_") + name + ".xml"),
                      ReadBytes(std::string("ref/") + name + ".xml"))
                << name << ", seed " << seed;
        }
    }
}

// ---- order ----

std::vector<std::string> SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A drop brings the file into the list's order by moving whole transponders (every
// attribute and the layout around them stay); a block that lands on top is undone; a
// click or a drop where the rows were writes nothing.
TEST_F(TransponderPageTest, DropsMoveWholeTranspondersIntoTheListsOrder) {
    struct Case {
        std::initializer_list<int> dragged;
        int highlight;  // -1: no row was highlighted, the block goes to the top
        std::vector<std::u16string> order;
    };
    const std::vector<std::u16string> unchanged{u"10", u"11", u"12"};
    const Case cases[] = {
        {{0}, 2, {u"11", u"12", u"10"}},
        {{2}, 0, {u"10", u"12", u"11"}},
        {{1, 2}, -1, unchanged},
        {{0}, 0, unchanged},
    };
    const std::string original = ReadBytes(kSatWork);
    for (const Case& c : cases) {
        WriteBytes(kSatWork, original);
        CTransponderPage page(TransponderKind::Satellite);
        page.FillTransponderList(0);
        Select(page.TransponderList(), c.dragged);
        page.TransponderList().BeginDrag();
        if (c.highlight >= 0)
            page.TransponderList().HighlightDropRow(c.highlight);
        page.TransponderList().OnLeftButtonUp();
        EXPECT_EQ(Values(kSatWork, u"transponder", u"tp_key"),
                  (std::vector<std::u16string>{c.order[0], c.order[1], c.order[2], u"20"}));
        EXPECT_EQ(Column(page.TransponderList(), 6), c.order);
        EXPECT_EQ(Column(page.TransponderList(), 0), Words("1 2 3"));
        EXPECT_EQ(SortedLines(ReadBytes(kSatWork)), SortedLines(original));
        if (c.order == unchanged)
            EXPECT_EQ(ReadBytes(kSatWork), original);
    }
    WriteBytes(kSatWork, original);
    CTransponderPage page(TransponderKind::Satellite);
    page.FillTransponderList(0);
    Select(page.TransponderList(), {1});
    page.TransponderList().OnLeftButtonUp();
    EXPECT_EQ(ReadBytes(kSatWork), original);
    EXPECT_EQ(Column(page.ServiceList(), 1), Words("S101"));
}

// Escape writes the order the list shows; a transponder the list does not show is
// kept after the others instead of being lost.
TEST_F(TransponderPageTest, RewriteInListOrderLosesNoTransponder) {
    const std::string original = ReadBytes(kSatWork);
    m_page.FillTransponderList(0);
    CDragListCtrl& list = m_page.TransponderList();
    list.SetItemText(0, 6, u"12");
    list.SetItemText(2, 6, u"10");
    m_page.RewriteInListOrder(0);
    EXPECT_EQ(Values(kSatWork, u"transponder", u"tp_key"), Words("12 11 10 20"));
    EXPECT_EQ(SortedLines(ReadBytes(kSatWork)), SortedLines(original));

    list.DeleteItem(1);
    list.DeleteItem(0);  // the list shows only "10"
    m_page.RewriteInListOrder(0);
    EXPECT_EQ(Values(kSatWork, u"transponder", u"tp_key"), Words("10 12 11 20"));
    EXPECT_EQ(Column(list, 6), Words("10 12 11"));
}

}  // namespace
}  // namespace vesko::testing
