// The element index grows chunk by chunk so that a large document never needs one
// huge reallocation, and a record number maps to its slot by shift and mask.

#include "xml/element_index.h"

#include <algorithm>
#include <cstdint>

namespace vesko {

namespace {

// Allocates `count` zeroed records.
std::unique_ptr<ElementRecord[]> NewChunk(int count) {
    return std::make_unique<ElementRecord[]>(static_cast<size_t>(count));
}

// Number of records held by chunk `chunk` of an index of `size` records.
int RecordsInChunk(int chunk, int size) {
    const int64_t first = static_cast<int64_t>(chunk) << ElementIndex::kChunkBits;
    return static_cast<int>(std::clamp<int64_t>(size - first, 0, ElementIndex::kChunkSize));
}

}  // namespace

ElementIndex::ElementIndex(const ElementIndex& other) {
    *this = other;
}

ElementIndex& ElementIndex::operator=(const ElementIndex& other) {
    if (this == &other) {
        return *this;
    }
    Release();
    if (other.m_size == 0) {
        return *this;
    }
    const int chunks = ((other.m_size - 1) >> kChunkBits) + 1;
    m_capacity = std::max(chunks, other.m_capacity);
    m_chunks = std::make_unique<std::unique_ptr<ElementRecord[]>[]>(m_capacity);
    for (int c = 0; c < chunks; ++c) {
        const int count = RecordsInChunk(c, other.m_size);
        m_chunks[c] = NewChunk(count);
        std::copy_n(other.m_chunks[c].get(), count, m_chunks[c].get());
    }
    m_size = other.m_size;
    return *this;
}

void ElementIndex::Release() {
    m_chunks.reset();
    m_size = 0;
    m_capacity = 0;
}

void ElementIndex::Grow(int nextFree, int newSize) {
    int64_t wanted = newSize > 0 ? newSize : static_cast<int64_t>(nextFree) + nextFree / 2;
    // Whoever grows the index is about to use record `nextFree`.
    wanted = std::max<int64_t>(wanted, static_cast<int64_t>(nextFree) + 1);

    // Never reach beyond the chunk that follows the current last one: this keeps
    // every step a bounded allocation.
    const int lastChunk = m_size > 0 ? (m_size - 1) >> kChunkBits : -1;
    const int64_t limit = (static_cast<int64_t>(lastChunk) + 2) << kChunkBits;
    wanted = std::min({wanted, limit, static_cast<int64_t>(INT32_MAX)});
    if (wanted <= m_size) {
        return;
    }
    const int size = static_cast<int>(wanted);
    const int neededChunk = (size - 1) >> kChunkBits;

    if (neededChunk >= m_capacity) {
        const int capacity = neededChunk * 2 + 4;
        auto chunks = std::make_unique<std::unique_ptr<ElementRecord[]>[]>(capacity);
        for (int c = 0; c <= lastChunk; ++c) {
            chunks[c] = std::move(m_chunks[c]);
        }
        m_chunks = std::move(chunks);
        m_capacity = capacity;
    }

    // A partial last chunk that is now followed by another becomes a full chunk.
    if (lastChunk >= 0 && neededChunk > lastChunk) {
        const int held = RecordsInChunk(lastChunk, m_size);
        if (held < kChunkSize) {
            auto full = NewChunk(kChunkSize);
            std::copy_n(m_chunks[lastChunk].get(), held, full.get());
            m_chunks[lastChunk] = std::move(full);
        }
    }

    // The new last chunk holds exactly what the new size needs.
    auto last = NewChunk(RecordsInChunk(neededChunk, size));
    if (neededChunk == lastChunk) {
        std::copy_n(m_chunks[lastChunk].get(), RecordsInChunk(lastChunk, m_size), last.get());
    }
    m_chunks[neededChunk] = std::move(last);
    m_size = size;
}

}  // namespace vesko
