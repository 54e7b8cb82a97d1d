// Applying the order of a reference database. A generated database and its rescan:
// the original as reference gives the rescan back the original order and groups for
// every service that is in both, on bytes; and the matching rules one case a row.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "database/schema.h"
#include "database/working_copies.h"
#include "database_generator.h"
#include "pages/favourites/fav_file.h"
#include "pages/order/reference_order.h"
#include "pages/order/service_matcher.h"
#include "pages/services/element_splicer.h"
#include "rescan.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko::testing {
namespace {

namespace fs = std::filesystem;

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text)
        out += static_cast<char>(c);  // keys and ids are ASCII
    return out;
}

std::u16string Utf16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// The lines of a file, each with its line end.
std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(start, next - start));
        start = next;
    }
    return lines;
}

std::string Attribute(const std::string& line, const std::string& name) {
    std::smatch match;
    const std::regex pattern(" " + name + "=\"([^\"]*)\"");
    return std::regex_search(line, match, pattern) ? match[1].str() : std::string();
}

std::string WithAttribute(std::string line, const std::string& name, const std::string& value) {
    return std::regex_replace(line, std::regex(" " + name + "=\"[^\"]*\""),
                              " " + name + "=\"" + value + "\"");
}

// A service file as the generator writes it: head lines, one line per service, the end.
struct ServiceLines {
    std::vector<std::string> head;
    std::vector<std::string> services;
    std::vector<std::string> tail;
};

ServiceLines ReadServiceLines(const fs::path& path) {
    ServiceLines file;
    for (const std::string& line : LinesOf(ReadBytes(path))) {
        if (line.find("<prog ") != std::string::npos)
            file.services.push_back(line);
        else
            (file.services.empty() ? file.head : file.tail).push_back(line);
    }
    return file;
}

// A favourites file as the engine reads it: each group's name and member elements.
struct Group {
    std::u16string name;
    std::vector<std::u16string> members;  // element texts
};

std::vector<Group> ReadGroupTexts(const fs::path& path) {
    CXmlDoc doc;
    EXPECT_TRUE(doc.Load(path));
    std::vector<Group> groups;
    for (const FavGroup& group : ReadGroups(doc)) {
        Group& g = groups.emplace_back();
        g.name = doc.GetAttributeOf(group.record, u"name");
        for (const int member : group.members)
            g.members.emplace_back(ElementText(doc, member));
    }
    return groups;
}

std::vector<std::string> GroupKeys(const fs::path& path, size_t group) {
    CXmlDoc doc;
    doc.Load(path);
    const std::vector<FavGroup> groups = ReadGroups(doc);
    std::vector<std::string> keys;
    if (group < groups.size()) {
        for (const int member : groups[group].members)
            keys.push_back(Utf8(doc.GetAttributeOf(member, u"service_key")));
    }
    return keys;
}

class RescanTest : public ::testing::Test {
protected:
    RescanTest() { WorkingCopies::Current().Reset(); }
    ~RescanTest() override { WorkingCopies::Current().Reset(); }

    void SetUp() override {
        ASSERT_TRUE(GenerateDatabase(m_original, DatabaseSize::Demo(), 7));
        ASSERT_TRUE(GenerateRescan(m_original, m_rescan, 3, &m_twins));
    }

    // Working copies of the rescan, as an open makes them (and WorkingCopies has seen
    // none written before).
    void OpenRescan() {
        WorkingCopies::Current().Reset();
        auto copy = [&](const DatabaseFile& file) {
            CXmlDoc doc;
            if (doc.Load(m_rescan / file.fileName))
                doc.Save(file.workingCopy);
        };
        std::for_each(kRequiredFiles.begin(), kRequiredFiles.end(), copy);
        std::for_each(kOptionalFiles.begin(), kOptionalFiles.end(), copy);
    }

    static std::unique_ptr<ReferenceOrder> Plan(const fs::path& folder) {
        auto reference = std::make_unique<ReferenceDatabase>();
        std::u16string problem;
        EXPECT_TRUE(ReadReferenceDatabase(folder, *reference, problem)) << Utf8(problem);
        return std::make_unique<ReferenceOrder>(std::move(reference));
    }

    TempDir m_work{true};
    TempDir m_scratch;
    fs::path m_original = m_scratch / "original";
    fs::path m_rescan = m_scratch / "rescan";
    RescanTwins m_twins;
};

// Every service of the original that the rescan still has comes back to the original's
// place, as the rescan's line (with the original's lock and skip when they are copied);
// the rescan's own services follow in its order; each group has the original's name and
// its members, then the rescan's own entries of services the original does not have.
TEST_F(RescanTest, OriginalAsReferenceGivesBackItsOrderAndGroupsOnBytes) {
    for (const bool copyLockAndSkip : {false, true}) {
        SCOPED_TRACE(copyLockAndSkip ? "lock and skip copied" : "lock and skip kept");
        OpenRescan();
        const std::unique_ptr<ReferenceOrder> plan = Plan(m_original);
        plan->Apply(copyLockAndSkip);

        const struct {
            ServiceKind kind;
            const char* file;
            const char* fav;
            const char* progWork;
            const char* favWork;
            const std::map<std::u16string, std::u16string>& twins;
        } kinds[] = {
            {ServiceKind::Tv, "tv_prog.xml", "tv_fav.xml", kTvProgWork, kTvFavWork, m_twins.tv},
            {ServiceKind::Radio, "radio_prog.xml", "radio_fav.xml", kRadioProgWork, kRadioFavWork,
             m_twins.radio},
        };
        for (const auto& kind : kinds) {
            SCOPED_TRACE(kind.file);
            const ServiceLines original = ReadServiceLines(m_original / kind.file);
            const ServiceLines rescan = ReadServiceLines(m_rescan / kind.file);
            std::map<std::string, std::string> rescanLine;  // by key
            for (const std::string& line : rescan.services)
                rescanLine[Attribute(line, "service_key")] = line;
            std::set<std::string> twinKeys;
            std::map<std::string, std::string> twinOf;
            for (const auto& [from, to] : kind.twins) {
                twinKeys.insert(Utf8(to));
                twinOf[Utf8(from)] = Utf8(to);
            }

            std::string expected;
            for (const std::string& line : rescan.head)
                expected += line;
            int renumbered = 0;
            for (const std::string& line : original.services) {
                const auto twin = twinOf.find(Attribute(line, "service_key"));
                if (twin == twinOf.end())
                    continue;
                std::string moved = rescanLine.at(twin->second);
                renumbered += Attribute(moved, "service_id") != Attribute(line, "service_id");
                if (copyLockAndSkip) {
                    moved = WithAttribute(moved, "block", Attribute(line, "block"));
                    moved = WithAttribute(moved, "bskip", Attribute(line, "bskip"));
                }
                expected += moved;
            }
            for (const std::string& line : rescan.services) {
                if (!twinKeys.contains(Attribute(line, "service_key")))
                    expected += line;
            }
            for (const std::string& line : rescan.tail)
                expected += line;
            EXPECT_EQ(ReadBytes(kind.progWork), expected);

            const KindOutcome& outcome = plan->Outcome(kind.kind);
            EXPECT_EQ(outcome.matched, static_cast<int>(kind.twins.size()));
            EXPECT_EQ(outcome.matchedByName, renumbered);
            if (kind.kind == ServiceKind::Tv) {
                // The rescan gives the fallback and the kept entries something to do.
                EXPECT_GT(renumbered, 0);
                EXPECT_GT(outcome.keptEntries, 0);
            }

            const std::vector<Group> references = ReadGroupTexts(m_original / kind.fav);
            const std::vector<Group> groups = ReadGroupTexts(kind.favWork);
            ASSERT_EQ(groups.size(), references.size());
            for (size_t g = 0; g < groups.size(); ++g) {
                std::vector<std::u16string> members;
                for (const std::string& key : GroupKeys(m_original / kind.fav, g)) {
                    if (const auto twin = twinOf.find(key); twin != twinOf.end())
                        members.push_back(u"<prog service_key=\"" + Utf16(twin->second) + u"\"/>");
                }
                for (const std::string& key : GroupKeys(m_rescan / kind.fav, g)) {
                    if (!twinKeys.contains(key))
                        members.push_back(u"<prog service_key=\"" + Utf16(key) + u"\"/>");
                }
                EXPECT_EQ(groups[g].name, references[g].name) << "group " << g;
                EXPECT_EQ(groups[g].members, members) << "group " << g;
            }
        }
        // The transponders are the rescan's: nothing else is written.
        for (const DatabaseFile& file : {kRequiredFiles[0], kOptionalFiles[0], kOptionalFiles[1]})
            EXPECT_EQ(ReadBytes(file.workingCopy), ReadBytes(m_rescan / file.fileName));
    }

    // The result as its own reference: every service matches itself, nothing is left
    // to change.
    const fs::path again = m_scratch / "again";
    fs::create_directories(again);
    for (const DatabaseFile& file : kRequiredFiles)
        fs::copy_file(file.workingCopy, again / file.fileName);
    for (const DatabaseFile& file : kOptionalFiles)
        fs::copy_file(file.workingCopy, again / file.fileName);
    const std::unique_ptr<ReferenceOrder> plan = Plan(again);
    EXPECT_TRUE(plan->ChangesNothing());
    EXPECT_EQ(plan->Outcome(ServiceKind::Tv).matched,
              static_cast<int>(plan->Outcome(ServiceKind::Tv).own.size()));
}

// Services one line each: "place MHz polarization id name", place "192" (a satellite's
// position), "T" or "C"; MHz 0 for a service whose transponder is gone; "?" for a
// service whose satellite is gone.
ServiceFacts Service(const std::string& text) {
    std::smatch m;
    const std::regex pattern(R"(^(\S+) (\d+) (\S) (\S+) (.*)$)");
    EXPECT_TRUE(std::regex_match(text, m, pattern)) << text;
    ServiceFacts facts;
    const std::string place = m[1];
    if (place == "T") {
        facts.reception.kind = ReceptionKind::Terrestrial;
    } else if (place == "C") {
        facts.reception.kind = ReceptionKind::Cable;
    } else if (place != "?") {
        facts.reception.kind = ReceptionKind::Satellite;
        facts.reception.position = std::stoi(place);
    }
    if (m[2] != "0")
        facts.reception.frequencyKhz = FrequencyKhz(Utf16(m[2]));
    if (m[3] != "-")
        facts.reception.polarization = static_cast<char16_t>(m[3].str()[0]);
    facts.serviceId = Utf16(m[4]);
    facts.name = Utf16(m[5]);
    return facts;
}

TEST(ServiceMatcher, IdentityFirstThenNameNeverTwice) {
    struct Case {
        const char* what;
        std::vector<std::string> own;
        std::vector<std::string> other;
        // per own service: "I<n>" identity with other n, "N<n>" name, "-" none
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"frequency off by 2 MHz, new name",
         {"192 11778 V 100 One"},
         {"192 11780 V 100 Renamed"},
         {"I0"}},
        {"frequency off by 12 MHz: the name decides",
         {"192 11778 V 100 One"},
         {"192 11790 V 100 One"},
         {"N0"}},
        {"other polarization, other name", {"192 11778 V 100 One"}, {"192 11778 H 100 Two"}, {"-"}},
        {"same name on another satellite", {"192 11778 V 100 One"}, {"130 11778 V 100 One"}, {"-"}},
        {"the nearest frequency wins",
         {"192 11778 V 100 One"},
         {"192 11781 V 100 One", "192 11777 V 100 One"},
         {"I1"}},
        {"equally near: the reference's first",
         {"192 11778 V 100 One"},
         {"192 11780 V 100 One", "192 11776 V 100 One"},
         {"I0"}},
        {"duplicates pair off in order",
         {"192 11778 V 100 One", "192 11778 V 100 One", "192 11778 V 100 One"},
         {"192 11778 V 100 One", "192 11779 V 100 One"},
         {"I0", "I1", "-"}},
        {"an identity taken is not handed out by name",
         {"192 11778 V 1 News", "192 11778 V 2 News"},
         {"192 11778 V 2 News"},
         {"-", "I0"}},
        {"names hand out the reference's services in order",
         {"192 11778 V 1 News", "192 11778 V 2 News"},
         {"192 11778 V 8 News", "192 11778 V 9 News"},
         {"N0", "N1"}},
        {"no satellite: nothing at all",
         {"? 11778 V 100 One", "192 11778 V 100 One"},
         {"? 11778 V 100 One", "? 11778 V 100 One"},
         {"-", "-"}},
        {"no transponder: by name only", {"192 0 - 100 One"}, {"192 11778 V 100 One"}, {"N0"}},
        {"terrestrial and cable are kinds of their own; MHz and kHz agree",
         {"T 474 - 5 Local", "C 346 - 5 Local"},
         {"C 346000 - 5 Local", "T 474000 - 5 Local"},
         {"I1", "I0"}},
    };
    for (const Case& c : cases) {
        std::vector<ServiceFacts> own;
        std::vector<ServiceFacts> other;
        for (const std::string& s : c.own)
            own.push_back(Service(s));
        for (const std::string& s : c.other)
            other.push_back(Service(s));
        std::vector<std::string> got;
        for (const ServiceMatch& match : MatchServices(own, other)) {
            got.push_back(match.how == MatchKind::None
                              ? "-"
                              : (match.how == MatchKind::Identity ? "I" : "N") +
                                    std::to_string(match.other));
        }
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace vesko::testing
