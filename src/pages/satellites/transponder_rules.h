#pragma once
// The rules a new or edited transponder must meet: the frequencies an LNB type can
// receive, and when a transponder counts as one the satellite already has.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesko {

enum class TransponderKind { Satellite, Terrestrial, Cable };

// Position of an LNB text in the LNB type list (exact comparison); -1 for any other.
int LnbTypeIndex(std::u16string_view lnb);

// Frequencies in MHz an LNB type receives, both bounds included; `horizontal` when
// the polarization is H. An unknown type (-1) gets the C band.
struct FrequencyBounds {
    int lowest = 0;
    int highest = 0;
    // The frequency is compared as an unsigned number: a negative one is never inside.
    bool Contains(long long frequency) const {
        return frequency >= 0 && frequency >= lowest && frequency <= highest;
    }
};
FrequencyBounds FrequencyRange(int lnbType, bool horizontal);

// "16QAM" 2, "32QAM" 3, "64QAM" 4, "128QAM" 5, "256QAM" 6; anything else 1.
int QamNumber(std::u16string_view modulation);

// The transponders of one satellite (or of the cable or terrestrial file) as the
// duplicate rule compares them: per kind a few numbers drawn from the stored texts,
// and the key. The table holds every transponder of the satellite, however many.
class TransponderCheckTable {
public:
    using Lookup = std::function<std::u16string(std::u16string_view attribute)>;

    explicit TransponderCheckTable(TransponderKind kind) : m_kind(kind) {}

    // The numbers compared for a transponder whose attributes `lookup` gives.
    std::vector<long long> ValuesOf(const Lookup& lookup) const;
    void Clear() { m_records.clear(); }
    void Add(const Lookup& lookup, long long key);
    int Size() const { return static_cast<int>(m_records.size()); }

    // True when a transponder with other key than `key` matches the candidate: the
    // frequency within 3 MHz, the symbol rate within 0.2 % of the stored one (rounded
    // down), the other numbers equal. A stored transponder whose numbers and key are
    // all zero never matches.
    bool IsDuplicateTransponder(std::span<const long long> candidate, long long key) const;

private:
    struct Record {
        std::vector<long long> values;
        long long key = 0;
    };

    TransponderKind m_kind;
    std::vector<Record> m_records;
};

}  // namespace vesko
