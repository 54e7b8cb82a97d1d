#include "pages/services/favourite_members.h"

#include <unordered_map>

#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// Visits every member entry (`prog` of a `fav`) as the current element.
template <class Visit>
void ForEachMember(CXmlDoc& favourites, Visit&& visit) {
    favourites.ResetPosition();
    ForEachChild(favourites, u"fav", [&](int) {
        ForEachChild(favourites, u"prog", [&](int record) {
            visit(record);
            return true;
        });
        return true;
    });
}

}  // namespace

FavouriteMembers::FavouriteMembers(CXmlDoc& favourites) {
    ForEachMember(favourites, [&](int) { m_keys.insert(favourites.GetAttribute(u"service_key")); });
}

FavouriteMembers FavouriteMembers::Load(std::string_view favWork) {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, favWork);
    return FavouriteMembers(favourites);
}

bool FavouriteMembers::Contains(std::u16string_view serviceKey) const {
    return !serviceKey.empty() && m_keys.find(serviceKey) != m_keys.end();
}

void RemoveFromFavourites(std::string_view favWork, const std::vector<std::u16string>& keys) {
    CXmlDoc favourites;
    LoadWorkingCopy(favourites, favWork);

    std::unordered_map<std::u16string, std::vector<int>> entriesByKey;
    for (const std::u16string& key : keys)
        entriesByKey.try_emplace(key);
    ElementSplicer splicer(favourites.GetDoc());
    ForEachMember(favourites, [&](int record) {
        const auto it = entriesByKey.find(favourites.GetAttribute(u"service_key"));
        if (it != entriesByKey.end())
            it->second.push_back(splicer.AddRecord(favourites, record));
    });
    // Key by key, and in file order within a key: the removals then leave the same
    // white space as removing one key per load and save.
    for (const std::u16string& key : keys) {
        for (int entry : entriesByKey[key]) {
            if (splicer.IsLive(entry))
                splicer.Remove(entry);
        }
    }
    if (!splicer.Unchanged())
        ReplaceDocumentText(favourites, splicer.Build());
    SaveWorkingCopy(favourites, favWork);
}

}  // namespace vesko
