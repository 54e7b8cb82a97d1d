#pragma once
// Finds the characters that steer the scan of a tag sixteen units at a time: the
// stops ('=' and '>') and the two quotes. A tag of the database files is a long row
// of short names and values, so the scan asks for the next such character a few
// times per attribute: the positions of one block are kept as bit masks and served
// from them, and only a block without the wanted character costs a new look at the
// text.

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesko {

class TagMarks {
public:
    TagMarks(const char16_t* text, int size) : m_text(text), m_size(size) {}

    // Offset of the first '=' or '>' at or after `from`; the text's size when none.
    int NextStop(int from) { return Next<kStops>(from); }
    // Offset of the first `quote` ('"' or '\'') at or after `from`; the size when none.
    int NextQuote(int from, char16_t quote) {
        return quote == u'"' ? Next<kDoubleQuotes>(from) : Next<kSingleQuotes>(from);
    }

private:
    static constexpr int kBlock = 16;
    // A block start that no offset of the text falls into.
    static constexpr int kNoBlock = -kBlock;

    enum Kind { kStops, kDoubleQuotes, kSingleQuotes };
    // One bit per unit of the block, for each kind of mark.
    struct Block {
        uint32_t masks[3] = {};
    };

    template <Kind kind>
    int Next(int from) {
        const unsigned offset = static_cast<unsigned>(from - m_base);
        if (offset < kBlock) {
            const uint32_t rest = m_block.masks[kind] & (~0u << offset);
            if (rest != 0) {
                return m_base + std::countr_zero(rest);
            }
            from = m_base + kBlock;
        }
        return NextBlock<kind>(from);
    }

    // The first mark from `from` on, looking at new blocks.
    template <Kind kind>
    int NextBlock(int from) {
        for (m_base = from; m_base + kBlock <= m_size; m_base += kBlock) {
            m_block = BlockAt(m_text + m_base);
            if (m_block.masks[kind] != 0) {
                return m_base + std::countr_zero(m_block.masks[kind]);
            }
        }
        // The last few units, one by one; no block is kept for them.
        const int tail = m_base;
        m_base = kNoBlock;
        for (int i = tail; i < m_size; ++i) {
            if (BlockOfUnit(m_text[i]).masks[kind] != 0) {
                return i;
            }
        }
        return m_size;
    }

    static Block BlockOfUnit(char16_t c) {
        return {{c == u'=' || c == u'>', c == u'"', c == u'\''}};
    }

    static Block BlockAt(const char16_t* units) {
#if defined(__SSE2__)
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8));
        const __m128i equals = _mm_set1_epi16(u'='), greater = _mm_set1_epi16(u'>');
        const __m128i doubleQuote = _mm_set1_epi16(u'"'), singleQuote = _mm_set1_epi16(u'\'');
        const auto maskOf = [](__m128i lowHits, __m128i highHits) {
            return static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(lowHits, highHits)));
        };
        const auto stops = [&](__m128i v) {
            return _mm_or_si128(_mm_cmpeq_epi16(v, equals), _mm_cmpeq_epi16(v, greater));
        };
        return {{maskOf(stops(low), stops(high)),
                 maskOf(_mm_cmpeq_epi16(low, doubleQuote), _mm_cmpeq_epi16(high, doubleQuote)),
                 maskOf(_mm_cmpeq_epi16(low, singleQuote), _mm_cmpeq_epi16(high, singleQuote))}};
#else
        Block block;
        for (int k = 0; k < kBlock; ++k) {
            const Block unit = BlockOfUnit(units[k]);
            for (int m = 0; m < 3; ++m) {
                block.masks[m] |= unit.masks[m] << k;
            }
        }
        return block;
#endif
    }

    const char16_t* m_text;
    int m_size;
    int m_base = kNoBlock;  // first unit of the block in m_block
    Block m_block;
};

}  // namespace vesko
