#include "pages/order/service_matcher.h"

#include <limits>
#include <unordered_map>

#include "xml/decimal_text.h"

namespace vesko {

namespace {

// The part of a service's place that must be equal for a match: the kind and, for a
// satellite, its position. Empty when the service has no known place.
std::u16string PlaceKey(const Reception& reception) {
    switch (reception.kind) {
        case ReceptionKind::Satellite:
            return u"S" + DecimalText(reception.position);
        case ReceptionKind::Terrestrial:
            return u"T";
        case ReceptionKind::Cable:
            return u"C";
        case ReceptionKind::Unknown:
            break;
    }
    return {};
}

// Everything of the identity but the frequency, which is compared within the
// tolerance among the few services a key holds.
std::u16string IdentityKey(const ServiceFacts& facts) {
    std::u16string place = PlaceKey(facts.reception);
    if (place.empty() || !facts.reception.frequencyKhz || facts.serviceId.empty())
        return {};
    place += u'|';
    if (facts.reception.polarization != 0)
        place += facts.reception.polarization;
    place += u'|';
    place += facts.serviceId;
    return place;
}

std::u16string NameKey(const ServiceFacts& facts) {
    std::u16string place = PlaceKey(facts.reception);
    if (place.empty())
        return {};
    place += u'|';
    place += facts.name;
    return place;
}

using Buckets = std::unordered_map<std::u16string, std::vector<int>>;

}  // namespace

std::vector<ServiceMatch> MatchServices(const std::vector<ServiceFacts>& own,
                                        const std::vector<ServiceFacts>& other) {
    std::vector<ServiceMatch> matches(own.size());
    std::vector<bool> taken(other.size(), false);

    Buckets byIdentity;
    for (size_t k = 0; k < other.size(); ++k) {
        if (std::u16string key = IdentityKey(other[k]); !key.empty())
            byIdentity[std::move(key)].push_back(static_cast<int>(k));
    }
    for (size_t k = 0; k < own.size(); ++k) {
        const auto bucket = byIdentity.find(IdentityKey(own[k]));
        if (bucket == byIdentity.end())
            continue;
        const long long frequency = *own[k].reception.frequencyKhz;
        int best = -1;
        long long bestDistance = std::numeric_limits<long long>::max();
        for (const int candidate : bucket->second) {
            if (taken[static_cast<size_t>(candidate)])
                continue;
            const long long theirs = *other[static_cast<size_t>(candidate)].reception.frequencyKhz;
            const long long distance = theirs > frequency ? theirs - frequency : frequency - theirs;
            if (distance <= kFrequencyToleranceKhz && distance < bestDistance) {
                best = candidate;
                bestDistance = distance;
            }
        }
        if (best >= 0) {
            taken[static_cast<size_t>(best)] = true;
            matches[k] = {best, MatchKind::Identity};
        }
    }

    Buckets byName;
    for (size_t k = 0; k < other.size(); ++k) {
        if (taken[k])
            continue;
        if (std::u16string key = NameKey(other[k]); !key.empty())
            byName[std::move(key)].push_back(static_cast<int>(k));
    }
    std::unordered_map<std::u16string, size_t> nextInBucket;
    for (size_t k = 0; k < own.size(); ++k) {
        if (matches[k].how != MatchKind::None)
            continue;
        const std::u16string key = NameKey(own[k]);
        const auto bucket = byName.find(key);
        if (bucket == byName.end())
            continue;
        // The bucket holds only services no identity took, in the other database's
        // order: each is handed out once, the first first.
        size_t& next = nextInBucket[key];
        if (next < bucket->second.size()) {
            const int chosen = bucket->second[next++];
            taken[static_cast<size_t>(chosen)] = true;
            matches[k] = {chosen, MatchKind::Name};
        }
    }
    return matches;
}

}  // namespace vesko
