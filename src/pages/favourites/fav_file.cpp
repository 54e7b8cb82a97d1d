#include "pages/favourites/fav_file.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Back to the top of the document, wherever a walk left the positions.
void ToTop(CXmlDoc& doc) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
}

}  // namespace

std::vector<FavGroup> ReadGroups(CXmlDoc& favourites) {
    std::vector<FavGroup> groups;
    ToTop(favourites);
    ForEachChild(favourites, u"fav", [&](int record) {
        FavGroup& group = groups.emplace_back();
        group.record = record;
        ForEachChild(favourites, u"prog", [&](int member) {
            group.members.push_back(member);
            return true;
        });
        return true;
    });
    ToTop(favourites);
    return groups;
}

bool EnterGroup(CXmlDoc& doc, int group) {
    ToTop(doc);
    if (group < 0)
        return false;
    for (int k = 0; k <= group; ++k) {
        if (!doc.FindChildElement(u"fav"))
            return false;
    }
    return doc.IntoElement();
}

int CountGroupServices(CXmlDoc& favourites, int group) {
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    if (group < 0 || group >= static_cast<int>(groups.size()))
        return 0;
    return static_cast<int>(groups[static_cast<size_t>(group)].members.size());
}

bool ReorderElements(CXmlDoc& doc, const std::vector<int>& records, const std::vector<int>& order) {
    bool moved = false;
    for (size_t slot = 0; slot < order.size(); ++slot)
        moved = moved || order[slot] != static_cast<int>(slot);
    if (!moved)
        return false;
    ElementSplicer splicer(doc.GetDoc());
    std::vector<int> pieces;
    for (int record : records)
        pieces.push_back(splicer.AddRecord(doc, record));
    for (size_t slot = 0; slot < order.size(); ++slot) {
        if (order[slot] == static_cast<int>(slot))
            continue;
        const int from = records[static_cast<size_t>(order[slot])];
        splicer.Replace(pieces[slot], std::u16string(ElementText(doc, from)));
    }
    ReplaceDocumentText(doc, splicer.Build());
    return true;
}

void SwapGroups(const char* favWork, int a, int b) {
    if (a < 0 || b < 0 || a == b)
        return;
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, favWork);
    const std::vector<FavGroup> groups = ReadGroups(favourites);
    const int count = static_cast<int>(groups.size());
    if (a >= count || b >= count)
        return;
    std::vector<int> records;
    std::vector<int> order;
    for (int k = 0; k < count; ++k) {
        records.push_back(groups[static_cast<size_t>(k)].record);
        order.push_back(k == a ? b : k == b ? a : k);
    }
    ReorderElements(favourites, records, order);
    SaveWorkingCopy(favourites, favWork);
}

// The engine makes the markup once, around a stand-in value; every key then takes the
// stand-in's place, escaped as the engine escapes an attribute value. Thousands of
// members cost no document each.
std::u16string MemberMarkup(std::u16string_view key) {
    static const std::pair<std::u16string, std::u16string> kAround = [] {
        const std::u16string markup = WithAttributes(u"<prog/>", {{u"service_key", u"@"}});
        const size_t at = markup.find(u'@');
        return std::pair(markup.substr(0, at), markup.substr(at + 1));
    }();
    return kAround.first + CXmlDoc::EscapeText(key, kEditAttribute) + kAround.second;
}

namespace {

// What one group of AddMembers receives.
struct GroupAdditions {
    int record = 0;      // the group's element
    int lastMember = 0;  // record of its last member, 0 while it has none
    std::vector<const std::u16string*> keys;
};

}  // namespace

bool AddMembers(CXmlDoc& doc, std::span<const std::u16string> keys, std::span<const int> groups,
                int limit) {
    const std::vector<FavGroup> all = ReadGroups(doc);
    std::vector<int> targets;
    for (int group : groups) {
        if (group >= 0 && group < static_cast<int>(all.size()) &&
            std::find(targets.begin(), targets.end(), group) == targets.end())
            targets.push_back(group);
    }
    // A group's count and members change only by what is added to it, so each group's
    // additions can be decided on their own, in key order.
    std::vector<GroupAdditions> additions;
    bool any = false;
    for (int group : targets) {
        const FavGroup& g = all[static_cast<size_t>(group)];
        GroupAdditions& add = additions.emplace_back();
        add.record = g.record;
        add.lastMember = g.members.empty() ? 0 : g.members.back();
        std::unordered_set<std::u16string> members;
        for (int member : g.members)
            members.insert(AttributeOf(doc, member, u"service_key"));
        int count = static_cast<int>(g.members.size());
        for (const std::u16string& key : keys) {
            if (key.empty() || count >= limit || !members.insert(key).second)
                continue;
            add.keys.push_back(&key);
            ++count;
        }
        any = any || !add.keys.empty();
    }
    if (!any)
        return false;

    // A group without members gets its first one from the engine itself: opening an
    // empty element is its business. Every later member goes after the one before it.
    for (size_t t = 0; t < targets.size(); ++t) {
        GroupAdditions& add = additions[t];
        if (add.lastMember != 0 || add.keys.empty())
            continue;
        EnterGroup(doc, targets[t]);
        doc.AddChildElement(u"prog");
        add.lastMember = doc.GetChildPos();
        doc.IntoElement();
        doc.SetAttribute(u"service_key", *add.keys.front());
        add.keys.erase(add.keys.begin());
    }
    ToTop(doc);

    ElementSplicer splicer(doc.GetDoc());
    std::vector<int> anchors;
    for (const GroupAdditions& add : additions)
        anchors.push_back(add.keys.empty() ? -1 : splicer.AddRecord(doc, add.lastMember));
    for (size_t t = 0; t < additions.size(); ++t) {
        for (const std::u16string* key : additions[t].keys)
            anchors[t] = splicer.InsertAfter(anchors[t], MemberMarkup(*key));
    }
    if (!splicer.Unchanged())
        ReplaceDocumentText(doc, splicer.Build());
    return true;
}

}  // namespace vesko
