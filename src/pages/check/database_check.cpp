#include "pages/check/database_check.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string_view>

#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/favourites/fav_page.h"
#include "pages/favourites/fav_rename_dlg.h"
#include "pages/services/favourite_members.h"
#include "pages/services/service_edit_dlg.h"

namespace vesko {

namespace {

// A satellite holds at most this many transponders (the receiver's limit).
constexpr std::size_t kTransponderLimit = 300;

std::u16string Number(std::size_t n) {
    const std::string text = std::to_string(n);
    return {text.begin(), text.end()};
}

std::u16string Quoted(std::u16string_view text) {
    return u"\"" + std::u16string(text) + u"\"";
}

struct Service {
    std::u16string satKey, tpKey, key, name;
};

struct Transponder {
    std::u16string satKey, tpKey;
    std::u16string_view file;  // where it is, as the user knows the file
};

struct Satellite {
    std::u16string key, name;
    std::size_t transponders = 0;
};

struct Group {
    std::u16string name;
    std::vector<std::u16string> members;
};

// What the check needs of one kind of services and their favourites.
struct Kind {
    std::u16string_view label;       // "TV service"
    std::u16string_view groupLabel;  // "Fav Tv group"
    const char* progWork;
    const char* favWork;
    std::u16string_view progFile;
    std::size_t groupNameLimit;  // 0: none
};

const std::array<Kind, 2> kKinds{{
    {u"TV service", u"Fav Tv group", kTvProgWork, kTvFavWork, u"tv_prog.xml",
     static_cast<std::size_t>(CFavRenameDlg::kTvNameLimit)},
    {u"Radio service", u"Fav Radio group", kRadioProgWork, kRadioFavWork, u"radio_prog.xml", 0},
}};

std::vector<Service> ReadServices(const char* work) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, work);
    std::vector<Service> services;
    doc.ResetPosition();
    ForEachChild(doc, u"prog", [&](int) {
        services.push_back({doc.GetAttribute(u"sat_key"), doc.GetAttribute(u"tp_key"),
                            doc.GetAttribute(u"service_key"), doc.GetAttribute(u"name")});
        return true;
    });
    return services;
}

std::vector<Group> ReadGroups(const char* work) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, work);
    std::vector<Group> groups;
    doc.ResetPosition();
    ForEachChild(doc, u"fav", [&](int) {
        Group& group = groups.emplace_back();
        group.name = doc.GetAttribute(u"name");
        ForEachChild(doc, u"prog", [&](int) {
            group.members.push_back(doc.GetAttribute(u"service_key"));
            return true;
        });
        return true;
    });
    return groups;
}

// The satellites of sat.xml with their transponders, or the one `sat` of a terrestrial or
// cable file (only the first counts there).
void ReadTransponders(const char* work, std::u16string_view file, bool firstOnly,
                      std::vector<Satellite>& satellites, std::vector<Transponder>& transponders) {
    CXmlDoc doc;
    LoadWorkingCopy(doc, work);
    doc.ResetPosition();
    ForEachChild(doc, u"sat", [&](int) {
        Satellite& satellite = satellites.emplace_back();
        satellite.key = doc.GetAttribute(u"sat_key");
        satellite.name = doc.GetAttribute(u"name");
        if (satellite.name.empty()) {
            satellite.name = std::u16string(file);
        }
        ForEachChild(doc, u"transponder", [&](int) {
            transponders.push_back(
                {doc.GetAttribute(u"sat_key"), doc.GetAttribute(u"tp_key"), file});
            ++satellite.transponders;
            return true;
        });
        return !firstOnly;
    });
}

class Checker {
public:
    CheckReport Run() {
        ReadTransponders(kSatWork, u"sat.xml", false, m_satellites, m_transponders);
        const std::size_t realSatellites = m_satellites.size();
        ReadTransponders(kSatTerWork, u"sat_t.xml", true, m_satellites, m_transponders);
        ReadTransponders(kSatCableWork, u"sat_c.xml", true, m_satellites, m_transponders);
        for (std::size_t i = 0; i < realSatellites; ++i) {
            m_satKeys.insert(m_satellites[i].key);
        }
        for (const Transponder& tp : m_transponders) {
            m_tpKeys.insert({tp.satKey, tp.tpKey});
        }
        std::array<std::vector<Service>, 2> services;
        std::array<std::vector<Group>, 2> groups;
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            services[k] = ReadServices(kKinds[k].progWork);
            groups[k] = ReadGroups(kKinds[k].favWork);
        }
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            CheckReceptions(kKinds[k], services[k]);
        }
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            CheckMembers(kKinds[k], services[k], groups[k]);
        }
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            CheckServiceKeys(kKinds[k], services[k]);
        }
        CheckTransponderKeys();
        CheckSatelliteKeys(realSatellites);
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            CheckGroupSizes(kKinds[k], groups[k]);
        }
        CheckSatelliteSizes();
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            CheckNames(kKinds[k], services[k], groups[k]);
        }
        return std::move(m_report);
    }

private:
    void Add(std::u16string where, std::u16string what, bool fixable = false) {
        m_report.findings.push_back({std::move(where), std::move(what), fixable});
    }

    static std::u16string ServiceWhere(const Kind& kind, std::size_t row, const Service& s) {
        return std::u16string(kind.label) + u" " + Number(row + 1) + u" " + Quoted(s.name);
    }
    static std::u16string GroupWhere(const Kind& kind, std::size_t index, const Group& g) {
        return std::u16string(kind.groupLabel) + u" " + Number(index + 1) + u" " + Quoted(g.name);
    }

    // Terrestrial and cable services find their transponder in their own files; every
    // other service needs its satellite in sat.xml and its transponder there.
    void CheckReceptions(const Kind& kind, const std::vector<Service>& services) {
        for (std::size_t row = 0; row < services.size(); ++row) {
            const Service& s = services[row];
            const bool reserved = s.satKey == kTerrestrialSatKey || s.satKey == kCableSatKey;
            if (!reserved && !m_satKeys.contains(s.satKey)) {
                Add(ServiceWhere(kind, row, s),
                    u"its satellite " + Quoted(s.satKey) + u" does not exist");
            } else if (!m_tpKeys.contains({s.satKey, s.tpKey})) {
                Add(ServiceWhere(kind, row, s), u"its transponder " + Quoted(s.tpKey) +
                                                    u" of satellite " + Quoted(s.satKey) +
                                                    u" does not exist");
            }
        }
    }

    void CheckMembers(const Kind& kind, const std::vector<Service>& services,
                      const std::vector<Group>& groups) {
        std::set<std::u16string> keys;
        for (const Service& s : services) {
            keys.insert(s.key);
        }
        for (std::size_t g = 0; g < groups.size(); ++g) {
            for (std::size_t m = 0; m < groups[g].members.size(); ++m) {
                if (!keys.contains(groups[g].members[m])) {
                    Add(GroupWhere(kind, g, groups[g]) + u", entry " + Number(m + 1),
                        u"service " + Quoted(groups[g].members[m]) + u" does not exist in " +
                            std::u16string(kind.progFile),
                        true);
                }
            }
        }
    }

    // Every key held twice or more, with the rows that hold it.
    void ReportDuplicates(const std::vector<std::u16string>& keys, const std::u16string& label,
                          const std::u16string& rowsLabel) {
        std::map<std::u16string, std::vector<std::size_t>> rows;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            rows[keys[i]].push_back(i);
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const std::vector<std::size_t>& same = rows[keys[i]];
            if (same.size() < 2 || same.front() != i) {
                continue;
            }
            std::u16string where = rowsLabel;
            for (std::size_t n = 0; n < same.size(); ++n) {
                where += (n == 0 ? u" " : u", ") + Number(same[n] + 1);
            }
            Add(where, label + Quoted(keys[i]) + u" is held " + Number(same.size()) + u" times");
        }
    }

    void CheckServiceKeys(const Kind& kind, const std::vector<Service>& services) {
        std::vector<std::u16string> keys;
        for (const Service& s : services) {
            keys.push_back(s.key);
        }
        ReportDuplicates(keys, u"service_key ", std::u16string(kind.label) + u"s");
    }

    // tp_key is one number space over the three transponder files.
    void CheckTransponderKeys() {
        std::vector<std::u16string> keys;
        for (const Transponder& tp : m_transponders) {
            keys.push_back(tp.tpKey);
        }
        ReportDuplicates(keys, u"tp_key ", u"Transponders");
    }

    void CheckSatelliteKeys(std::size_t realSatellites) {
        std::vector<std::u16string> keys;
        for (std::size_t i = 0; i < realSatellites; ++i) {
            keys.push_back(m_satellites[i].key);
        }
        ReportDuplicates(keys, u"sat_key ", u"Satellites");
    }

    void CheckGroupSizes(const Kind& kind, const std::vector<Group>& groups) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::size_t count = groups[g].members.size();
            if (count > static_cast<std::size_t>(CFavPage::kMemberLimit)) {
                Add(GroupWhere(kind, g, groups[g]), u"it holds " + Number(count) +
                                                        u" services; a group takes " +
                                                        Number(CFavPage::kMemberLimit));
            }
        }
    }

    void CheckSatelliteSizes() {
        for (const Satellite& satellite : m_satellites) {
            if (satellite.transponders > kTransponderLimit) {
                Add(u"Satellite " + Quoted(satellite.name),
                    u"it has " + Number(satellite.transponders) +
                        u" transponders; a satellite takes " + Number(kTransponderLimit));
            }
        }
    }

    void CheckNames(const Kind& kind, const std::vector<Service>& services,
                    const std::vector<Group>& groups) {
        const auto limit = static_cast<std::size_t>(CServiceEditDlg::kNameLimit);
        for (std::size_t row = 0; row < services.size(); ++row) {
            if (services[row].name.size() > limit) {
                Add(ServiceWhere(kind, row, services[row]),
                    u"its name has " + Number(services[row].name.size()) +
                        u" characters; the edit box takes " + Number(limit));
            }
        }
        for (std::size_t g = 0; kind.groupNameLimit && g < groups.size(); ++g) {
            if (groups[g].name.size() > kind.groupNameLimit) {
                Add(GroupWhere(kind, g, groups[g]),
                    u"its name has " + Number(groups[g].name.size()) +
                        u" characters; the edit box takes " + Number(kind.groupNameLimit));
            }
        }
    }

    CheckReport m_report;
    std::vector<Satellite> m_satellites;
    std::vector<Transponder> m_transponders;
    std::set<std::u16string> m_satKeys;
    std::set<std::pair<std::u16string, std::u16string>> m_tpKeys;
};

}  // namespace

int CheckReport::FixableCount() const {
    int count = 0;
    for (const CheckFinding& finding : findings) {
        count += finding.fixable ? 1 : 0;
    }
    return count;
}

CheckReport CheckDatabase() {
    return Checker().Run();
}

int FixDatabase() {
    int removed = 0;
    for (const Kind& kind : kKinds) {
        std::set<std::u16string> keys;
        for (const Service& s : ReadServices(kind.progWork)) {
            keys.insert(s.key);
        }
        std::vector<std::u16string> dangling;
        for (const Group& group : ReadGroups(kind.favWork)) {
            for (const std::u16string& member : group.members) {
                if (!keys.contains(member)) {
                    ++removed;
                    if (std::find(dangling.begin(), dangling.end(), member) == dangling.end()) {
                        dangling.push_back(member);
                    }
                }
            }
        }
        if (!dangling.empty()) {
            RemoveFromFavourites(kind.favWork, dangling);
        }
    }
    return removed;
}

}  // namespace vesko
