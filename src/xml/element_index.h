#pragma once
// The element index: one ElementRecord per element, stored in chunks of 65,536
// records so that growing never moves more than the last partial chunk.

#include <algorithm>
#include <cstdint>
#include <memory>

namespace vesko {

struct ElementRecord {
    int32_t start = 0;        // offset of the element's '<'
    int32_t length = 0;       // whole element, through the '>' of its end tag
    uint32_t tagLengths = 0;  // low 22 bits start tag, high 10 bits end tag
    uint32_t flags = 0;       // low 16 bits nesting level, high bits the kRec* marks
    int32_t parent = 0;
    int32_t firstChild = 0;
    int32_t next = 0;
    int32_t prev = 0;  // on a first child: the last sibling

    // The largest lengths the two parts can hold. A longer tag is stored as the
    // largest length, which then means "at least this": the start tag is scanned
    // again (CXmlDoc::StartTagLength) and the end tag is found from the element's end.
    static constexpr int kMaxStartTag = 0x3FFFFF;
    static constexpr int kMaxEndTag = 0x3FF;

    int StartTagLength() const { return static_cast<int>(tagLengths & kMaxStartTag); }
    int EndTagLength() const { return static_cast<int>(tagLengths >> 22); }
    void SetTagLengths(int startTag, int endTag) {
        tagLengths = static_cast<uint32_t>(std::clamp(startTag, 0, kMaxStartTag)) |
                     (static_cast<uint32_t>(std::clamp(endTag, 0, kMaxEndTag)) << 22);
    }
    int Level() const { return static_cast<int>(flags & 0xFFFF); }
    void SetLevel(int level) {
        flags = (flags & ~0xFFFFu) | (static_cast<uint32_t>(level) & 0xFFFF);
    }
};

enum RecordFlags : uint32_t {
    kRecRemoved = 0x20000,
    kRecFirstChild = 0x80000,
    kRecUnended = 0x100000,
    kRecError = 0x200000,
    kRecIllFormed = 0x800000,  // on record 0 only
};

class ElementIndex {
public:
    static constexpr int kChunkBits = 16;
    static constexpr int kChunkSize = 1 << kChunkBits;

    ElementIndex() = default;
    ElementIndex(const ElementIndex& other);
    ElementIndex& operator=(const ElementIndex& other);
    ElementIndex(ElementIndex&&) noexcept = default;
    ElementIndex& operator=(ElementIndex&&) noexcept = default;

    // Number of records allocated.
    int Size() const { return m_size; }
    // Grows to `newSize` records (or by half of `nextFree` when newSize is 0),
    // never beyond the end of the chunk after the current last one.
    void Grow(int nextFree, int newSize = 0);
    // Frees every chunk.
    void Release();
    // Hands out record `nextFree`, cleared, and advances `nextFree`; grows when needed.
    int TakeRecord(int& nextFree) {
        if (nextFree >= m_size) {
            Grow(nextFree);
        }
        const int n = nextFree++;
        (*this)[n] = ElementRecord{};
        return n;
    }

    ElementRecord& operator[](int n) { return m_chunks[n >> kChunkBits][n & (kChunkSize - 1)]; }
    const ElementRecord& operator[](int n) const {
        return m_chunks[n >> kChunkBits][n & (kChunkSize - 1)];
    }

private:
    std::unique_ptr<std::unique_ptr<ElementRecord[]>[]> m_chunks;
    int m_size = 0;
    int m_capacity = 0;  // of the chunk-pointer array
};

}  // namespace vesko
