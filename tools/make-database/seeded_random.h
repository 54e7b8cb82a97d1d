#pragma once
// The generator's dice. mt19937's output is fixed by the standard (its distributions
// are not), so the same seed gives the same database, or the same rescan, everywhere.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace vesko {

class SeededRandom {
public:
    explicit SeededRandom(uint32_t seed) : m_engine(seed) {}
    int Below(int n) {
        return n <= 0 ? 0 : static_cast<int>(m_engine() % static_cast<uint32_t>(n));
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(Below(N))];
    }

private:
    std::mt19937 m_engine;
};

}  // namespace vesko
