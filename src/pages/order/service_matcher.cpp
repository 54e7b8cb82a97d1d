#include "pages/order/service_matcher.h"

#include <limits>
#include <optional>
#include <unordered_map>

namespace vesko {

namespace {

// Where a service is, as one number: a satellite's position, or the kind for
// terrestrial and cable; nothing for a service without a known place.
std::optional<int> PlaceOf(const Reception& reception) {
    switch (reception.kind) {
        case ReceptionKind::Satellite:
            return reception.position;
        case ReceptionKind::Terrestrial:
            return 10000;
        case ReceptionKind::Cable:
            return 10001;
        case ReceptionKind::Unknown:
            break;
    }
    return std::nullopt;
}

// The part of a service that must be equal for a match: its place and, for the
// identity, its polarization and service id (the frequency is compared within the
// tolerance among the few services one key holds), or for the fallback its name.
// The texts are views of the services' own strings.
struct MatchKey {
    int place = 0;
    char16_t polarization = 0;
    std::u16string_view text;

    friend bool operator==(const MatchKey&, const MatchKey&) = default;
};

struct MatchKeyHash {
    size_t operator()(const MatchKey& key) const {
        const size_t mixed = (static_cast<size_t>(static_cast<unsigned>(key.place)) << 16) ^
                             static_cast<size_t>(key.polarization);
        return std::hash<std::u16string_view>{}(key.text) ^ (mixed * 0x9E3779B97F4A7C15ull);
    }
};

std::optional<MatchKey> IdentityKey(const ServiceFacts& facts) {
    const std::optional<int> place = PlaceOf(facts.reception);
    if (!place || !facts.reception.frequencyKhz || facts.serviceId.empty())
        return std::nullopt;
    return MatchKey{*place, facts.reception.polarization, facts.serviceId};
}

std::optional<MatchKey> NameKey(const ServiceFacts& facts) {
    const std::optional<int> place = PlaceOf(facts.reception);
    if (!place)
        return std::nullopt;
    return MatchKey{*place, 0, facts.name};
}

// The services of the other database by key, each key's in their order: the first of a
// key and, per service, the next one with the same key (-1 after the last). No list per
// key is allocated.
class Buckets {
public:
    explicit Buckets(size_t count) : m_next(count, -1) {}

    void Add(const MatchKey& key, int service) {
        const auto [it, added] = m_chains.try_emplace(key, Chain{service, service});
        if (!added) {
            m_next[static_cast<size_t>(it->second.last)] = service;
            it->second.last = service;
        }
    }
    // The first service with the key, -1 for none.
    int First(const MatchKey& key) const {
        const auto it = m_chains.find(key);
        return it == m_chains.end() ? -1 : it->second.first;
    }
    int Next(int service) const { return m_next[static_cast<size_t>(service)]; }
    // Takes the first service off its key's chain and returns it (-1 for none).
    int TakeFirst(const MatchKey& key) {
        const auto it = m_chains.find(key);
        if (it == m_chains.end() || it->second.first < 0)
            return -1;
        const int first = it->second.first;
        it->second.first = Next(first);
        return first;
    }

private:
    struct Chain {
        int first;
        int last;
    };
    std::unordered_map<MatchKey, Chain, MatchKeyHash> m_chains;
    std::vector<int> m_next;
};

}  // namespace

std::vector<ServiceMatch> MatchServices(const std::vector<ServiceFacts>& own,
                                        const std::vector<ServiceFacts>& other) {
    std::vector<ServiceMatch> matches = MatchByIdentity(own, other);
    MatchByName(own, other, matches);
    return matches;
}

std::vector<ServiceMatch> MatchByIdentity(const std::vector<ServiceFacts>& own,
                                          const std::vector<ServiceFacts>& other) {
    std::vector<ServiceMatch> matches(own.size());
    std::vector<bool> taken(other.size(), false);

    Buckets byIdentity(other.size());
    for (size_t k = 0; k < other.size(); ++k) {
        if (const std::optional<MatchKey> key = IdentityKey(other[k]))
            byIdentity.Add(*key, static_cast<int>(k));
    }
    for (size_t k = 0; k < own.size(); ++k) {
        const std::optional<MatchKey> key = IdentityKey(own[k]);
        if (!key)
            continue;
        const long long frequency = *own[k].reception.frequencyKhz;
        int best = -1;
        long long bestDistance = std::numeric_limits<long long>::max();
        for (int candidate = byIdentity.First(*key); candidate >= 0;
             candidate = byIdentity.Next(candidate)) {
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
    return matches;
}

void MatchByName(const std::vector<ServiceFacts>& own, const std::vector<ServiceFacts>& other,
                 std::vector<ServiceMatch>& matches) {
    std::vector<bool> taken(other.size(), false);
    for (const ServiceMatch& match : matches) {
        if (match.how != MatchKind::None)
            taken[static_cast<size_t>(match.other)] = true;
    }
    // Only the services no identity took, in the other database's order: each is handed
    // out once, the first first.
    Buckets byName(other.size());
    for (size_t k = 0; k < other.size(); ++k) {
        if (taken[k])
            continue;
        if (const std::optional<MatchKey> key = NameKey(other[k]))
            byName.Add(*key, static_cast<int>(k));
    }
    for (size_t k = 0; k < own.size(); ++k) {
        if (matches[k].how != MatchKind::None)
            continue;
        const std::optional<MatchKey> key = NameKey(own[k]);
        const int chosen = key ? byName.TakeFirst(*key) : -1;
        if (chosen >= 0) {
            taken[static_cast<size_t>(chosen)] = true;
            matches[k] = {chosen, MatchKind::Name};
        }
    }
}

}  // namespace vesko
