// Sorting the service lists: names in several scripts as their readers order them,
// stable in both directions; and the page's sort moving whole services in the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "database/working_copies.h"
#include "pages/services/name_collator.h"
#include "pages/services/service_page.h"
#include "pages/services/service_sort.h"
#include "service_fixture.h"

namespace vesko::testing {
namespace {

std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size() - 1);
        lines.push_back(bytes.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::u16string> SortedNames(const std::vector<std::u16string>& names,
                                        const std::string& locale, bool descending) {
    std::vector<SortFacts> facts;
    for (const std::u16string& name : names)
        facts.push_back({name, {}, {}, {}});
    const NameCollator collator(locale);
    std::vector<std::u16string> sorted;
    for (const int k : SortedPositions(facts, SortField::Name, descending, collator))
        sorted.push_back(names[static_cast<size_t>(k)]);
    return sorted;
}

TEST(ServiceSort, NamesCollateByLanguageAndTiesKeepTheirOrder) {
    struct Case {
        const char* what;
        std::string locale;
        std::vector<std::u16string> names;
        std::vector<std::u16string> expected;
        bool descending = false;
    };
    const Case cases[] = {
        {"accents beside their letters, case after, numbers by value",
         "root",
         {u"Zebra", u"Sport 10", u"Eve", u"Ärger", u"apple", u"Émile", u"Sport 2", u"Apple"},
         {u"apple", u"Apple", u"Ärger", u"Émile", u"Eve", u"Sport 2", u"Sport 10", u"Zebra"}},
        {"scripts in turn: Latin, Greek, Cyrillic",
         "root",
         {u"Яблоко", u"Ωμέγα", u"Zebra", u"Алфа", u"Alpha", u"Άλφα"},
         {u"Alpha", u"Zebra", u"Άλφα", u"Ωμέγα", u"Алфа", u"Яблоко"}},
        {"Swedish puts Ä after Z",
         "sv",
         {u"Ärger", u"Zebra", u"apple"},
         {u"apple", u"Zebra", u"Ärger"}},
        {"German keeps Ä with A",
         "de",
         {u"Zebra", u"Ärger", u"apple"},
         {u"apple", u"Ärger", u"Zebra"}},
        {"Greek tonos and diaeresis are accents",
         "el",
         {u"Ωμέγα", u"ΣΚΑΪ", u"Άλφα", u"Αλφα", u"Βήτα", u"ΣΚΑΙ"},
         {u"Αλφα", u"Άλφα", u"Βήτα", u"ΣΚΑΙ", u"ΣΚΑΪ", u"Ωμέγα"}},
        {"Russian Ё between Е and Ж",
         "ru",
         {u"Жук", u"Ёж", u"Еда", u"Звезда"},
         {u"Еда", u"Ёж", u"Жук", u"Звезда"}},
        {"descending reverses the names, not the ties",
         "ru",
         {u"Ёж", u"Еда", u"Жук"},
         {u"Жук", u"Ёж", u"Еда"},
         true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortedNames(c.names, c.locale, c.descending), c.expected) << c.what;

    // Ties keep their order: told apart by position.
    std::vector<SortFacts> ties;
    for (const char16_t* provider : {u"SES", u"BBC", u"SES", u"BBC", u"SES"})
        ties.push_back({u"", provider, u"", {}});
    const NameCollator collator("root");
    EXPECT_EQ(SortedPositions(ties, SortField::Provider, false, collator),
              (std::vector<int>{1, 3, 0, 2, 4}));
    EXPECT_EQ(SortedPositions(ties, SortField::Provider, true, collator),
              (std::vector<int>{0, 2, 4, 1, 3}));
    // Service ids by value; a text that is no number after them.
    std::vector<SortFacts> ids;
    for (const char16_t* id : {u"10", u"x", u"9", u"", u"100"})
        ids.push_back({u"", u"", id, {}});
    EXPECT_EQ(SortedPositions(ids, SortField::ServiceId, false, collator),
              (std::vector<int>{2, 0, 4, 1, 3}));
}

class ServiceSortPageTest : public ServicePageTest {};

// The satellite of the fixture is at 19.2E with transponder 10 at 11362 and 11 at
// 11758; 101 is terrestrial, 103 cable, 104 on a transponder that is gone.
TEST_F(ServiceSortPageTest, TheFileFollowsTheListMovingWholeServices) {
    struct Case {
        const char* what;
        SortChoice choice;
        std::vector<int> selected;
        std::vector<std::u16string> keys;  // the file's order afterwards
    };
    const Case cases[] = {
        {"names descending, whole list",
         {SortField::Name, true, false},
         {3},
         {u"", u"108", u"107", u"106", u"105", u"104", u"103", u"102", u"101", u"100"}},
        {"satellite: position, frequency, ties in their order; then terrestrial and cable",
         {SortField::Satellite, false, false},
         {},
         {u"100", u"102", u"107", u"108", u"", u"105", u"106", u"104", u"101", u"103"}},
        {"the selected rows among the places they hold",
         {SortField::Satellite, false, true},
         {1, 3, 5},
         {u"100", u"105", u"102", u"101", u"104", u"103", u"106", u"107", u"108", u""}},
        {"one selected row is nothing to sort",
         {SortField::Name, true, true},
         {4},
         {u"100", u"101", u"102", u"103", u"104", u"105", u"106", u"107", u"108", u""}},
    };
    for (const Case& c : cases) {
        WorkingCopies::Current().Reset();
        SetUp();
        const std::string before = ReadBytes("temp_tv_prog.xml");
        const std::string favourites = ReadBytes("temp_tv_fav.xml");
        CTvPage page(ServiceKind::Tv);
        page.Reload();
        Select(page.List(), {});
        for (const int row : c.selected)
            page.List().SetSelected(row, true);

        page.Sort(c.choice);

        EXPECT_EQ(FileKeys("temp_tv_prog.xml"), c.keys) << c.what;
        EXPECT_EQ(ListColumn(page.List(), kColSerKey), c.keys) << c.what;
        CTvPage reloaded(ServiceKind::Tv);
        reloaded.Reload();
        for (int column = 0; column < page.List().GetColumnCount(); ++column) {
            EXPECT_EQ(ListColumn(page.List(), column), ListColumn(reloaded.List(), column))
                << c.what << ", column " << column;
        }
        // Every service is the same line as before, somewhere; nothing else changed.
        std::vector<std::string> lines = LinesOf(before);
        std::vector<std::string> after = LinesOf(ReadBytes("temp_tv_prog.xml"));
        std::sort(lines.begin(), lines.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, lines) << c.what;
        EXPECT_EQ(ReadBytes("temp_tv_fav.xml"), favourites) << c.what;
        std::vector<int> selected;
        for (int row = page.List().GetNextSelected(-1); row >= 0;
             row = page.List().GetNextSelected(row))
            selected.push_back(row);
        EXPECT_EQ(selected, c.selected) << c.what;
    }
}

}  // namespace
}  // namespace vesko::testing
