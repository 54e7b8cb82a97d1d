#pragma once
// The members of the favourite groups of one kind, as the service pages need them: is
// a service in any group (the heart of the Fav column), and taking deleted services
// out of every group.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vesko {

class CXmlDoc;

// The service keys of every member of every group of a favourites document.
class FavouriteMembers {
public:
    FavouriteMembers() = default;
    explicit FavouriteMembers(CXmlDoc& favourites);
    static FavouriteMembers Load(std::string_view favWork);

    // True only when the service really is in a group: a member entry carries exactly
    // this key. An empty key is no service at all and is never a favourite.
    bool Contains(std::u16string_view serviceKey) const;

private:
    // Looked up by views of keys without making strings of them.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::u16string_view key) const {
            return std::hash<std::u16string_view>{}(key);
        }
    };
    std::unordered_set<std::u16string, KeyHash, std::equal_to<>> m_keys;
};

// Removes every member entry carrying one of `keys` from every group of the
// favourites working copy: the text left is that of removing the keys one at a time
// in the order given, with one load and one save.
void RemoveFromFavourites(std::string_view favWork, const std::vector<std::u16string>& keys);

}  // namespace vesko
