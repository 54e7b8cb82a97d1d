#pragma once
// All attributes of one start tag from a single scan of it.
//
// CXmlDoc::GetAttribute walks the start tag from its beginning for every name asked
// for; reading the 19 attributes of ten thousand services that way costs many times
// the load of the file. These readers walk the tag once, by the same walk
// (WalkAttributes), and answer every name from what it met: the same values, the
// first occurrence of a name winning, references decoded alike.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesko {

class CXmlDoc;

class StartTagAttributes {
public:
    // The current element of `doc`.
    explicit StartTagAttributes(const CXmlDoc& doc);
    // The element of `doc` with record number `record`.
    StartTagAttributes(const CXmlDoc& doc, int record);

    // As doc.GetAttribute(name) would give it.
    std::u16string Get(std::u16string_view name) const;
    // values[k] = Get(names[k]) for every k, from the one walk of the tag.
    void GetAll(std::span<const std::u16string_view> names, std::span<std::u16string> values) const;

private:
    struct Entry {
        std::u16string_view name;
        int valueStart = 0;
        int valueLength = 0;
    };

    void Open(const CXmlDoc& doc, int record);
    void Add(std::u16string_view name, int valueStart, int valueLength);
    std::span<const Entry> Entries() const;

    std::u16string_view m_text;  // the document text up to the end of the start tag
    uint32_t m_flags = 0;
    bool m_element = false;
    // A service tag has some twenty attributes: they fit here without an allocation.
    std::array<Entry, 32> m_inline;
    int m_count = 0;
    std::vector<Entry> m_more;  // every entry, once there are more than fit inline
};

// A fixed list of attribute names to read together; whether they can be matched by
// plain equality is worked out once.
class AttributeNames {
public:
    explicit AttributeNames(std::span<const std::u16string_view> names);
    std::span<const std::u16string_view> Names() const { return m_names; }
    bool Plain() const { return m_plain; }

private:
    std::span<const std::u16string_view> m_names;
    bool m_plain = true;
};

// values[k] = what GetAttribute(names[k]) gives on the element with record number
// `record`, for every k, in one pass over its start tag without keeping the tag's
// attributes anywhere.
void ReadAttributes(const CXmlDoc& doc, int record, const AttributeNames& names,
                    std::span<std::u16string> values);

// The same as views: views[k] points into the document text, or into storage[k] when
// the value had references to decode. Nothing is copied for a plain value.
void ReadAttributeViews(const CXmlDoc& doc, int record, const AttributeNames& names,
                        std::span<std::u16string_view> views, std::span<std::u16string> storage);

// One attribute of any element of a document (by record number): the same as
// doc.GetAttributeOf(record, name). The scan stops at the attribute, so a key near
// the front of the tag is cheap to read without moving the document's positions.
std::u16string AttributeOf(const CXmlDoc& doc, int record, std::u16string_view name);

}  // namespace vesko
