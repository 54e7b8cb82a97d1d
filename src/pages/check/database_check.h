#pragma once
// The database check: what in the working copies the receiver may choke on, each
// finding with where it is, and the fix of the findings that can be mended without
// losing anything the user meant to keep (favourite entries of services that are gone).

#include <string>
#include <vector>

namespace vesko {

struct CheckFinding {
    std::u16string where;  // "TV service 12 \"BBC One\"", "Fav Tv group 3 \"News\"", ...
    std::u16string what;   // "its transponder 1200 of satellite 3 does not exist"
    bool fixable = false;  // Fix removes it
};

struct CheckReport {
    std::vector<CheckFinding> findings;
    int FixableCount() const;
};

// Reads every working copy once and reports, in this order: services whose satellite or
// transponder does not exist, favourite entries of services that do not exist,
// duplicate service_key, tp_key and sat_key values, groups above 300 members,
// satellites above 300 transponders, and names longer than their edit boxes take.
CheckReport CheckDatabase();

// Removes the favourite entries of services that do not exist from both favourites
// working copies; returns how many went.
int FixDatabase();

}  // namespace vesko
