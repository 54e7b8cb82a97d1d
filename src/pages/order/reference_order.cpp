#include "pages/order/reference_order.h"

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

#include "base/file_result.h"
#include "database/damage_report.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/favourites/fav_file.h"
#include "pages/favourites/fav_page.h"
#include "pages/services/element_splicer.h"
#include "xml/start_tag_attributes.h"

namespace vesko {

namespace {

namespace fs = std::filesystem;

// Reads one file of the reference; an absent optional file is an empty document.
bool ReadReferenceFile(const fs::path& folder, std::string_view name, bool required, CXmlDoc& doc,
                       std::u16string& problem) {
    const fs::path path = folder / name;
    if (doc.Load(path)) {
        return true;
    }
    if (const std::error_code error = doc.GetFileError()) {
        if (!required && error == std::errc::no_such_file_or_directory) {
            doc.SetDoc(static_cast<const char16_t*>(nullptr));
            return true;
        }
        problem = DescribeFileError({FileStep::Read, path, error, {}});
        return false;
    }
    problem = std::u16string(name.begin(), name.end()) + u" is damaged: " + DescribeDamage(doc);
    return false;
}

// The services of a programme document with where they are received; their names
// are read later, where they are needed.
struct ServiceFile {
    std::vector<int> records;
    std::vector<ServiceFacts> facts;
    std::vector<std::u16string> block;
    std::vector<std::u16string> skip;
};

ServiceFile ReadServiceFile(CXmlDoc& prog, const ReceptionTable& reception) {
    // All of them stand before the name, where the reading of a tag stops.
    static constexpr std::u16string_view kNames[] = {u"service_key", u"service_id", u"sat_key",
                                                     u"tp_key",      u"block",      u"bskip"};
    static const AttributeNames kRead(kNames);
    ServiceFile file;
    std::u16string_view values[std::size(kNames)];
    std::u16string decoded[std::size(kNames)];
    // Services come in runs on one transponder, as a scan stores them.
    std::u16string lastSat;
    std::u16string lastTp;
    Reception lastReception;
    bool looked = false;
    // Each service is read where the walk finds it, while its text is at hand.
    prog.ResetPosition();
    while (prog.FindChildElement(u"prog")) {
        const int record = prog.GetChildPos();
        file.records.push_back(record);
        ReadAttributeViews(prog, record, kRead, values, decoded);
        ServiceFacts& facts = file.facts.emplace_back();
        facts.serviceKey = values[0];
        facts.serviceId = values[1];
        if (!looked || values[2] != lastSat || values[3] != lastTp) {
            lastReception = reception.Find(values[2], values[3]);
            lastSat = values[2];
            lastTp = values[3];
            looked = true;
        }
        facts.reception = lastReception;
        file.block.emplace_back(values[4]);
        file.skip.emplace_back(values[5]);
    }
    prog.ResetPosition();
    return file;
}

// The names of the services that have no match by identity: the ones the name fallback
// and the result need.
void ReadNamesOfUnmatched(const CXmlDoc& prog, const std::vector<int>& records,
                          std::vector<ServiceFacts>& facts, const std::vector<bool>& matched) {
    for (size_t k = 0; k < facts.size(); ++k) {
        if (!matched[k])
            facts[k].name = AttributeOf(prog, records[k], u"name");
    }
}

// One favourite group: its element, name and members with their keys.
struct GroupContent {
    int record = 0;
    std::u16string name;
    std::vector<int> members;
    std::vector<std::u16string> keys;
};

std::vector<GroupContent> ReadGroupContents(CXmlDoc& favourites) {
    std::vector<GroupContent> contents;
    for (const FavGroup& group : ReadGroups(favourites)) {
        GroupContent& content = contents.emplace_back();
        content.record = group.record;
        content.name = AttributeOf(favourites, group.record, u"name");
        content.members = group.members;
        for (const int member : group.members)
            content.keys.push_back(AttributeOf(favourites, member, u"service_key"));
    }
    return contents;
}

// A member of a rebuilt group: an entry the group has already (its record) or a new
// one for a key (record -1).
struct GroupEntry {
    int record = -1;
    std::u16string key;
};

// What one group of the open database becomes.
struct GroupPlan {
    int position = 0;
    std::u16string name;  // the reference's
    bool rename = false;
    std::vector<int> oldMembers;
    std::vector<GroupEntry> entries;
    bool changed = false;
};

std::u16string EntryText(const CXmlDoc& favourites, const GroupEntry& entry) {
    return entry.record >= 0 ? std::u16string(ElementText(favourites, entry.record))
                             : MemberMarkup(entry.key);
}

// Gives the groups of `favourites` their planned names and members. Entries that stay
// where they are keep their bytes; entries are moved as their text; new ones are
// written as the editor adds members. True when the document changed.
bool RebuildGroups(CXmlDoc& favourites, std::vector<GroupPlan>& plans) {
    bool any = false;
    // The engine's own edits first: a new name, and the first member of a group that
    // had none (opening an empty element is the engine's business). Record numbers stay
    // valid through them.
    std::vector<bool> firstAdded(plans.size(), false);
    for (size_t p = 0; p < plans.size(); ++p) {
        GroupPlan& plan = plans[p];
        if (!plan.changed)
            continue;
        any = true;
        if (plan.rename && EnterGroup(favourites, plan.position))
            favourites.SetAttribute(u"name", plan.name);
        if (plan.oldMembers.empty() && !plan.entries.empty() &&
            EnterGroup(favourites, plan.position)) {
            favourites.AddChildElement(u"prog");
            plan.entries.front().record = favourites.GetChildPos();
            favourites.IntoElement();
            favourites.SetAttribute(u"service_key", plan.entries.front().key);
            firstAdded[p] = true;
        }
    }
    if (!any)
        return false;

    ElementSplicer splicer(favourites.GetDoc());
    std::vector<std::vector<int>> pieces(plans.size());
    for (size_t p = 0; p < plans.size(); ++p) {
        if (!plans[p].changed)
            continue;
        if (firstAdded[p]) {
            pieces[p].push_back(splicer.AddRecord(favourites, plans[p].entries.front().record));
        }
        for (const int member : plans[p].oldMembers)
            pieces[p].push_back(splicer.AddRecord(favourites, member));
    }
    for (size_t p = 0; p < plans.size(); ++p) {
        const GroupPlan& plan = plans[p];
        if (!plan.changed || pieces[p].empty())
            continue;
        const size_t had = firstAdded[p] ? 1 : plan.oldMembers.size();
        const size_t has = plan.entries.size();
        for (size_t i = 0; i < had && i < has && !firstAdded[p]; ++i) {
            if (plan.entries[i].record != plan.oldMembers[i])
                splicer.Replace(pieces[p][i], EntryText(favourites, plan.entries[i]));
        }
        for (size_t i = has; i < had; ++i)
            splicer.Remove(pieces[p][i]);
        if (has > had) {
            int anchor = pieces[p][had - 1];
            for (size_t i = had; i < has; ++i)
                anchor = splicer.InsertAfter(anchor, EntryText(favourites, plan.entries[i]));
        }
    }
    ReplaceDocumentText(favourites, splicer.Build());
    return true;
}

}  // namespace

bool ReadReferenceDatabase(const fs::path& folder, ReferenceDatabase& reference,
                           std::u16string& problem) {
    struct File {
        const DatabaseFile& file;
        CXmlDoc& doc;
        bool required;
    };
    const File files[] = {
        {kRequiredFiles[0], reference.sat, true},
        {kRequiredFiles[1], reference.tvProg, true},
        {kRequiredFiles[2], reference.radioProg, true},
        {kRequiredFiles[3], reference.tvFav, true},
        {kRequiredFiles[4], reference.radioFav, true},
        {kOptionalFiles[0], reference.terrestrial, false},
        {kOptionalFiles[1], reference.cable, false},
    };
    for (const File& file : files) {
        if (!ReadReferenceFile(folder, file.file.fileName, file.required, file.doc, problem))
            return false;
    }
    return true;
}

struct ReferenceOrder::Kind {
    KindOutcome outcome;
    const char* progWork = nullptr;
    const char* favWork = nullptr;
    CXmlDoc prog;
    CXmlDoc favourites;
    ServiceFile own;
    std::vector<std::u16string> referenceBlock;
    std::vector<std::u16string> referenceSkip;
    std::vector<int> origins;  // position k of the new order holds own service origins[k]
    std::vector<GroupPlan> groups;

    void Plan(CXmlDoc& referenceProg, CXmlDoc& referenceFavourites,
              const ReceptionTable& ownReception, const ReceptionTable& referenceReception);
    void PlanOrder();
    void PlanGroups(CXmlDoc& referenceFavourites);
    bool OrderChanges() const;
    void Apply(bool copyLockAndSkip);
};

void ReferenceOrder::Kind::Plan(CXmlDoc& referenceProg, CXmlDoc& referenceFavourites,
                                const ReceptionTable& ownReception,
                                const ReceptionTable& referenceReception) {
    LoadWorkingCopy(prog, progWork);
    LoadWorkingCopy(favourites, favWork);
    own = ReadServiceFile(prog, ownReception);
    ServiceFile reference = ReadServiceFile(referenceProg, referenceReception);
    referenceBlock = std::move(reference.block);
    referenceSkip = std::move(reference.skip);
    outcome.own = std::move(own.facts);
    outcome.reference = std::move(reference.facts);
    outcome.matches = MatchByIdentity(outcome.own, outcome.reference);
    std::vector<bool> ownMatched(outcome.own.size());
    std::vector<bool> referenceMatched(outcome.reference.size(), false);
    for (size_t k = 0; k < outcome.matches.size(); ++k) {
        ownMatched[k] = outcome.matches[k].how != MatchKind::None;
        if (ownMatched[k])
            referenceMatched[static_cast<size_t>(outcome.matches[k].other)] = true;
    }
    ReadNamesOfUnmatched(prog, own.records, outcome.own, ownMatched);
    ReadNamesOfUnmatched(referenceProg, reference.records, outcome.reference, referenceMatched);
    MatchByName(outcome.own, outcome.reference, outcome.matches);
    PlanOrder();
    PlanGroups(referenceFavourites);
}

// The matched services in the reference's order, then the others in their own.
void ReferenceOrder::Kind::PlanOrder() {
    std::vector<int> byReference(outcome.reference.size(), -1);
    outcome.referenceMatched.assign(outcome.reference.size(), false);
    for (size_t k = 0; k < outcome.matches.size(); ++k) {
        const ServiceMatch& match = outcome.matches[k];
        if (match.how == MatchKind::None)
            continue;
        byReference[static_cast<size_t>(match.other)] = static_cast<int>(k);
        outcome.referenceMatched[static_cast<size_t>(match.other)] = true;
        ++outcome.matched;
        outcome.matchedByName += match.how == MatchKind::Name ? 1 : 0;
    }
    origins.clear();
    for (const int k : byReference) {
        if (k >= 0)
            origins.push_back(k);
    }
    for (size_t k = 0; k < outcome.matches.size(); ++k) {
        if (outcome.matches[k].how == MatchKind::None)
            origins.push_back(static_cast<int>(k));
    }
}

// Group g of the open database takes the name of the reference's group g and, for the
// services that have a match, its members in its order; entries of services without a
// match stay in their group after them.
void ReferenceOrder::Kind::PlanGroups(CXmlDoc& referenceFavourites) {
    const std::vector<GroupContent> ownGroups = ReadGroupContents(favourites);
    const std::vector<GroupContent> referenceGroups = ReadGroupContents(referenceFavourites);

    // Keys are looked at as views of texts that stay put meanwhile. Only the keys the
    // groups hold are hashed: a member refers to the first service with its key, here
    // as in the reference; a reference member takes the key of that service's match.
    struct ReferenceMember {
        bool looked = false;  // the first service with the key was met
        std::u16string_view ownKey;
        size_t lastGroup = SIZE_MAX;  // the group that took it last, against repeats
    };
    std::unordered_map<std::u16string_view, ReferenceMember> referenceMembers;
    std::vector<std::vector<ReferenceMember*>> membersOf(referenceGroups.size());
    for (size_t g = 0; g < referenceGroups.size(); ++g) {
        for (const std::u16string& key : referenceGroups[g].keys)
            membersOf[g].push_back(&referenceMembers.try_emplace(key).first->second);
    }
    std::vector<int> ownOf(outcome.reference.size(), -1);
    for (size_t k = 0; k < outcome.matches.size(); ++k) {
        if (outcome.matches[k].how != MatchKind::None)
            ownOf[static_cast<size_t>(outcome.matches[k].other)] = static_cast<int>(k);
    }
    for (size_t j = 0; j < outcome.reference.size(); ++j) {
        const auto member = referenceMembers.find(outcome.reference[j].serviceKey);
        if (member == referenceMembers.end() || member->second.looked)
            continue;
        member->second.looked = true;
        if (ownOf[j] >= 0)
            member->second.ownKey = outcome.own[static_cast<size_t>(ownOf[j])].serviceKey;
    }
    // The own members whose service has a match: the reference decides their groups.
    std::unordered_map<std::u16string_view, bool> ownMembers;  // key -> has a match
    for (const GroupContent& group : ownGroups) {
        for (const std::u16string& key : group.keys)
            ownMembers.try_emplace(key, false);
    }
    for (size_t k = 0; k < outcome.matches.size() && !ownMembers.empty(); ++k) {
        const std::u16string& key = outcome.own[k].serviceKey;
        if (outcome.matches[k].how == MatchKind::None || key.empty())
            continue;
        if (const auto member = ownMembers.find(key); member != ownMembers.end())
            member->second = true;
    }
    outcome.ownGroups = static_cast<int>(ownGroups.size());
    outcome.referenceGroups = static_cast<int>(referenceGroups.size());
    for (size_t g = 0; g < ownGroups.size() && g < referenceGroups.size(); ++g) {
        const GroupContent& mine = ownGroups[g];
        const GroupContent& theirs = referenceGroups[g];
        GroupPlan& plan = groups.emplace_back();
        plan.position = static_cast<int>(g);
        plan.name = theirs.name;
        plan.rename = theirs.name != mine.name;
        plan.oldMembers = mine.members;

        // The group's own entries by key, so that a member that stays in the group moves
        // with its bytes: the first unused entry of each key, and after each entry the
        // next one with the same key.
        const size_t count = mine.members.size();
        std::unordered_map<std::u16string_view, size_t> unused;
        std::vector<size_t> sameAfter(count, count);
        for (size_t i = count; i-- > 0;) {
            const auto [it, added] = unused.try_emplace(mine.keys[i], i);
            if (!added) {
                sameAfter[i] = it->second;
                it->second = i;
            }
        }
        for (ReferenceMember* member : membersOf[g]) {
            const std::u16string_view ownKey = member->ownKey;
            if (ownKey.empty() || member->lastGroup == g)
                continue;
            member->lastGroup = g;
            GroupEntry& entry = plan.entries.emplace_back();
            entry.key = ownKey;
            if (const auto found = unused.find(ownKey);
                found != unused.end() && found->second < count) {
                entry.record = mine.members[found->second];
                found->second = sameAfter[found->second];
            }
        }
        for (size_t i = 0; i < count; ++i) {
            if (ownMembers.at(mine.keys[i]))
                continue;  // the reference decides where a matched service belongs
            plan.entries.push_back({mine.members[i], mine.keys[i]});
            ++outcome.keptEntries;
        }

        plan.changed = plan.rename || plan.entries.size() != plan.oldMembers.size();
        for (size_t i = 0; !plan.changed && i < plan.entries.size(); ++i)
            plan.changed = plan.entries[i].record != plan.oldMembers[i];
        outcome.changedGroups += plan.changed ? 1 : 0;
        if (static_cast<int>(plan.entries.size()) > CFavPage::kMemberLimit)
            outcome.groupsOverLimit.push_back(plan.name);
    }
}

bool ReferenceOrder::Kind::OrderChanges() const {
    for (size_t k = 0; k < origins.size(); ++k) {
        if (origins[k] != static_cast<int>(k))
            return true;
    }
    return false;
}

void ReferenceOrder::Kind::Apply(bool copyLockAndSkip) {
    std::deque<std::u16string> rewritten;  // services whose lock or skip changed
    std::vector<std::u16string_view> texts;
    texts.reserve(origins.size());
    for (const int k : origins) {
        const size_t service = static_cast<size_t>(k);
        std::u16string_view text = ElementText(prog, own.records[service]);
        const ServiceMatch& match = outcome.matches[service];
        if (copyLockAndSkip && match.how != MatchKind::None) {
            const size_t other = static_cast<size_t>(match.other);
            std::vector<std::pair<std::u16string_view, std::u16string_view>> changes;
            // A value the reference does not have is no value to copy.
            if (!referenceBlock[other].empty() && referenceBlock[other] != own.block[service])
                changes.emplace_back(u"block", referenceBlock[other]);
            if (!referenceSkip[other].empty() && referenceSkip[other] != own.skip[service])
                changes.emplace_back(u"bskip", referenceSkip[other]);
            if (!changes.empty())
                text = rewritten.emplace_back(WithAttributes(text, changes));
        }
        texts.push_back(text);
    }
    if (OrderChanges() || !rewritten.empty()) {
        ReplaceDocumentText(prog, RefilledText(prog, own.records, texts));
        SaveWorkingCopy(prog, progWork);
    }
    if (RebuildGroups(favourites, groups))
        SaveWorkingCopy(favourites, favWork);
}

ReferenceOrder::ReferenceOrder(std::unique_ptr<ReferenceDatabase> database)
    : m_tv(std::make_unique<Kind>()), m_radio(std::make_unique<Kind>()) {
    // The reference is read here once and let go at the end: its memory serves the
    // new texts Apply builds.
    ReferenceDatabase& reference = *database;
    const ReceptionTable ownReception = ReceptionTable::FromWorkingCopies();
    const ReceptionTable referenceReception(reference.sat, reference.terrestrial, reference.cable);
    m_tv->outcome.kind = ServiceKind::Tv;
    m_tv->progWork = kTvProgWork;
    m_tv->favWork = kTvFavWork;
    m_tv->Plan(reference.tvProg, reference.tvFav, ownReception, referenceReception);
    m_radio->outcome.kind = ServiceKind::Radio;
    m_radio->progWork = kRadioProgWork;
    m_radio->favWork = kRadioFavWork;
    m_radio->Plan(reference.radioProg, reference.radioFav, ownReception, referenceReception);
}

ReferenceOrder::~ReferenceOrder() = default;

const KindOutcome& ReferenceOrder::Outcome(ServiceKind kind) const {
    return kind == ServiceKind::Tv ? m_tv->outcome : m_radio->outcome;
}

bool ReferenceOrder::ChangesNothing() const {
    return !m_tv->OrderChanges() && !m_radio->OrderChanges() && m_tv->outcome.changedGroups == 0 &&
           m_radio->outcome.changedGroups == 0;
}

void ReferenceOrder::Apply(bool copyLockAndSkip) {
    m_tv->Apply(copyLockAndSkip);
    m_radio->Apply(copyLockAndSkip);
}

}  // namespace vesko
