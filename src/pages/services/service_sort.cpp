#include "pages/services/service_sort.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>

#include "pages/services/name_collator.h"

namespace vesko {

namespace {

// One service's key: collation bytes, then numbers.
struct Key {
    std::string text;
    std::array<long long, 3> numbers{};

    friend bool operator<(const Key& a, const Key& b) {
        if (const int c = a.text.compare(b.text); c != 0)
            return c < 0;
        return a.numbers < b.numbers;
    }
};

constexpr long long kMissing = std::numeric_limits<long long>::max();

int KindRank(ReceptionKind kind) {
    switch (kind) {
        case ReceptionKind::Satellite:
            return 0;
        case ReceptionKind::Terrestrial:
            return 1;
        case ReceptionKind::Cable:
            return 2;
        case ReceptionKind::Unknown:
            break;
    }
    return 3;
}

long long ServiceIdValue(const std::u16string& text) {
    if (text.empty() || text.size() > 15)
        return kMissing;
    long long value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return kMissing;
        value = value * 10 + (c - u'0');
    }
    return value;
}

Key KeyOf(const SortFacts& facts, SortField field, const NameCollator& collator) {
    Key key;
    switch (field) {
        case SortField::Name:
            key.text = collator.SortKey(facts.name);
            break;
        case SortField::Provider:
            key.text = collator.SortKey(facts.provider);
            break;
        case SortField::Satellite: {
            const Reception& r = facts.reception;
            key.numbers = {KindRank(r.kind), r.kind == ReceptionKind::Satellite ? r.position : 0,
                           r.frequencyKhz.value_or(kMissing)};
            break;
        }
        case SortField::ServiceId:
            key.numbers = {ServiceIdValue(facts.serviceId), 0, 0};
            break;
    }
    return key;
}

}  // namespace

std::vector<int> SortedPositions(const std::vector<SortFacts>& services, SortField field,
                                 bool descending, const NameCollator& collator) {
    std::vector<Key> keys;
    keys.reserve(services.size());
    for (const SortFacts& facts : services)
        keys.push_back(KeyOf(facts, field, collator));
    std::vector<int> positions(services.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        return descending ? keys[static_cast<size_t>(b)] < keys[static_cast<size_t>(a)]
                          : keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
    });
    return positions;
}

}  // namespace vesko
