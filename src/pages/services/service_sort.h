#pragma once
// The orders the TV and Radio lists can be sorted in: by name, provider, satellite or
// service id, ascending or descending. A sort is stable in both directions: services
// that compare equal keep the order they had, so sorting by name and then by
// satellite gives the names in order within each satellite.

#include <string>
#include <vector>

#include "pages/services/reception.h"

namespace vesko {

class NameCollator;

enum class SortField { Name, Provider, Satellite, ServiceId };

struct SortChoice {
    SortField field = SortField::Name;
    bool descending = false;
    bool selectedOnly = false;  // the selected rows among the places they hold
};

// What a sort may compare of one service.
struct SortFacts {
    std::u16string name;
    std::u16string provider;
    std::u16string serviceId;
    Reception reception;
};

// The services in the order of `field`: positions into `services`. Names and
// providers collate by `collator`; satellites go west to east and then by frequency,
// with terrestrial, cable and services without a satellite after them (and a missing
// transponder after the found ones); service ids by value, texts that are no number
// after them.
std::vector<int> SortedPositions(const std::vector<SortFacts>& services, SortField field,
                                 bool descending, const NameCollator& collator);

}  // namespace vesko
