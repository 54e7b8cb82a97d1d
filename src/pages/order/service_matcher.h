#pragma once
// Which service of one database is which service of another. After a rescan the keys
// are new, but a service still sits on the same satellite (or is terrestrial or cable),
// on a transponder of nearly the same frequency and the same polarization, with the
// same service id: that is its identity. Where a provider changed the id, the name on
// the same satellite is the fallback. No service of the other database is taken twice.

#include <string>
#include <vector>

#include "pages/services/reception.h"

namespace vesko {

// How far apart the frequencies of one transponder may lie in two scans.
inline constexpr long long kFrequencyToleranceKhz = 3000;

// One service as matching sees it.
struct ServiceFacts {
    std::u16string serviceKey;
    std::u16string serviceId;
    std::u16string name;
    Reception reception;
};

enum class MatchKind { None, Identity, Name };

struct ServiceMatch {
    int other = -1;  // position in the other database's list; -1: no match
    MatchKind how = MatchKind::None;
};

// The match of each service of `own` (by position) in `other`. First every service
// that has its identity in `other` takes the nearest frequency still free there (the
// first one in the other database's order on a tie); then the services left over take,
// by name and satellite, the first service of `other` that is left over as well. A
// service without a known satellite matches nothing. Hashed by identity and by name:
// no search over the whole other list per service.
std::vector<ServiceMatch> MatchServices(const std::vector<ServiceFacts>& own,
                                        const std::vector<ServiceFacts>& other);

// The two steps of MatchServices, for a caller that reads the names only of the
// services the first step leaves without a match (a name stands last in a service's
// tag: reading it for every service costs more than all the matching).
std::vector<ServiceMatch> MatchByIdentity(const std::vector<ServiceFacts>& own,
                                          const std::vector<ServiceFacts>& other);
void MatchByName(const std::vector<ServiceFacts>& own, const std::vector<ServiceFacts>& other,
                 std::vector<ServiceMatch>& matches);

}  // namespace vesko
