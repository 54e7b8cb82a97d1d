#pragma once
// The favourites file as the favourite pages and the add-to-favourites dialog use it:
// its groups (`fav` children of the root) with their members (`prog` children), and
// the edits that reorder, fill and empty them. Elements that move are moved whole, as
// their text, so that every attribute they carry, and every key of any length, goes
// with them.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesko {

class CXmlDoc;

// One group of a favourites document: record numbers of its element and members.
struct FavGroup {
    int record = 0;
    std::vector<int> members;  // `prog` children, in order
};

// The groups of a favourites document, in file order.
std::vector<FavGroup> ReadGroups(CXmlDoc& favourites);

// Makes group `group` the current element of `doc`; false when there is none.
bool EnterGroup(CXmlDoc& doc, int group);

// Number of `prog` children of group `group`; 0 when there is no such group.
int CountGroupServices(CXmlDoc& favourites, int group);

// Gives slot i of `records` (sibling elements, in file order) the text of element
// order[i]; the white space between them stays. `doc` then holds the new text. False,
// with nothing changed, when `order` leaves every element where it is.
bool ReorderElements(CXmlDoc& doc, const std::vector<int>& records, const std::vector<int>& order);

// Exchanges groups a and b of a favourites working copy, whole. Nothing when either
// is not a group of the file or they are the same.
void SwapGroups(const char* favWork, int a, int b);

// The member markup the editor writes: what AddChildElement("prog") followed by
// SetAttribute("service_key", key) makes.
std::u16string MemberMarkup(std::u16string_view key);

// Appends each key to each of the groups, in key order, where the group has fewer than
// `limit` members and does not hold the key yet. The text is that of adding one key to
// one group per load and save (key by key, group by group). True when anything was added; `doc`
// then holds the new text.
bool AddMembers(CXmlDoc& doc, std::span<const std::u16string> keys, std::span<const int> groups,
                int limit);

}  // namespace vesko
