#include "xml/start_tag_attributes.h"

#include "xml/attribute_walk.h"
#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

bool Readable(const CXmlDoc& doc, int record) {
    return record > 0 && (doc.GetDocFlags() & (kDocReadFile | kDocWriteFile)) == 0;
}

// True when a raw value is its own decoded value: no reference in it and no
// white-space mode to apply. Such a value is handed out without a copy.
bool IsLiteral(std::u16string_view raw, uint32_t flags) {
    return (flags & (kDocTrimWhitespace | kDocCollapseWhitespace)) == 0 &&
           raw.find(u'&') == std::u16string_view::npos;
}

// Matches the attributes of a tag, met in tag order, to a list of wanted names: each
// attribute fills the name it equals unless an earlier attribute already did, so the
// first occurrence wins as in GetAttribute. A tag usually lists its attributes in the
// order asked for, so the name after the last one filled is tried first.
class NameSlots {
public:
    // At most 64 names: one bit each.
    explicit NameSlots(std::span<const std::u16string_view> names) : m_names(names) {}

    // The index of the name `attribute` fills, or -1 when it fills none.
    int Take(std::u16string_view attribute) {
        const size_t count = m_names.size();
        size_t k = m_expected < count && m_names[m_expected] == attribute ? m_expected : count;
        for (size_t j = 0; k == count && j < count; ++j) {
            if (m_names[j] == attribute)
                k = j;
        }
        if (k == count)
            return -1;
        m_expected = k + 1;
        if (((m_filled >> k) & 1u) != 0)
            return -1;
        m_filled |= uint64_t{1} << k;
        return static_cast<int>(k);
    }
    // True when every name has its value: later attributes cannot change what was read.
    bool Full() const {
        const size_t count = m_names.size();
        return m_filled == (count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1);
    }

private:
    std::span<const std::u16string_view> m_names;
    uint64_t m_filled = 0;
    size_t m_expected = 0;
};

}  // namespace

StartTagAttributes::StartTagAttributes(const CXmlDoc& doc) {
    Open(doc, doc.GetCurrentPos());
}

StartTagAttributes::StartTagAttributes(const CXmlDoc& doc, int record) {
    Open(doc, record);
}

void StartTagAttributes::Open(const CXmlDoc& doc, int record) {
    m_flags = doc.GetDocFlags();
    if (!Readable(doc, record))
        return;
    m_text = doc.StartTagView(record);
    m_element = true;
    WalkAttributes(m_text, doc.GetIndex()[record].start, [&](const WalkedAttribute& attribute) {
        Add(attribute.name, attribute.valueStart, attribute.valueLength);
        return true;
    });
}

void StartTagAttributes::Add(std::u16string_view name, int valueStart, int valueLength) {
    if (m_count < static_cast<int>(m_inline.size())) {
        m_inline[static_cast<size_t>(m_count++)] = {name, valueStart, valueLength};
        return;
    }
    // The inline entries are full: from here on every entry lives in m_more, the
    // inline ones first, so that the first occurrence of a name still wins.
    if (m_more.empty()) {
        m_more.assign(m_inline.begin(), m_inline.end());
    }
    m_more.push_back({name, valueStart, valueLength});
}

std::span<const StartTagAttributes::Entry> StartTagAttributes::Entries() const {
    if (m_more.empty())
        return {m_inline.data(), static_cast<size_t>(m_count)};
    return m_more;
}

std::u16string StartTagAttributes::Get(std::u16string_view name) const {
    if (!m_element || name.empty())
        return {};
    const bool ignoreCase = (m_flags & kDocIgnoreCase) != 0;
    const bool plain = !ignoreCase && IsPlainName(name);
    for (const Entry& entry : Entries()) {
        if (plain ? entry.name == name : NameMatches(entry.name, name, ignoreCase)) {
            return CXmlDoc::DecodeEntities(m_text.substr(entry.valueStart, entry.valueLength),
                                           m_flags);
        }
    }
    return {};
}

void StartTagAttributes::GetAll(std::span<const std::u16string_view> names,
                                std::span<std::u16string> values) const {
    for (size_t k = 0; k < names.size(); ++k)
        values[k] = Get(names[k]);
}

std::u16string AttributeOf(const CXmlDoc& doc, int record, std::u16string_view name) {
    return doc.GetAttributeOf(record, name);
}

AttributeNames::AttributeNames(std::span<const std::u16string_view> names) : m_names(names) {
    for (std::u16string_view name : names)
        m_plain = m_plain && !name.empty() && IsPlainName(name);
    m_plain = m_plain && names.size() <= 64;
}

void ReadAttributeViews(const CXmlDoc& doc, int record, const AttributeNames& names,
                        std::span<std::u16string_view> views, std::span<std::u16string> storage) {
    for (auto& view : views)
        view = {};
    if (!Readable(doc, record))
        return;
    const uint32_t flags = doc.GetDocFlags();
    if (!names.Plain() || (flags & kDocIgnoreCase) != 0) {
        StartTagAttributes(doc, record).GetAll(names.Names(), storage);
        for (size_t k = 0; k < views.size(); ++k)
            views[k] = storage[k];
        return;
    }
    // Plain names are matched by equality straight from the walk; nothing of the tag
    // is kept.
    const std::u16string_view text = doc.StartTagView(record);
    NameSlots slots(names.Names());
    WalkAttributes(text, doc.GetIndex()[record].start, [&](const WalkedAttribute& attribute) {
        const int k = slots.Take(attribute.name);
        if (k < 0)
            return true;
        const size_t slot = static_cast<size_t>(k);
        const std::u16string_view raw = text.substr(attribute.valueStart, attribute.valueLength);
        if (IsLiteral(raw, flags)) {
            views[slot] = raw;
        } else {
            storage[slot] = CXmlDoc::DecodeEntities(raw, flags);
            views[slot] = storage[slot];
        }
        return !slots.Full();
    });
}

void ReadAttributes(const CXmlDoc& doc, int record, const AttributeNames& names,
                    std::span<std::u16string> values) {
    std::array<std::u16string_view, 32> inlineViews;
    std::vector<std::u16string_view> moreViews;
    if (values.size() > inlineViews.size())
        moreViews.resize(values.size());
    const std::span<std::u16string_view> views =
        moreViews.empty() ? std::span<std::u16string_view>(inlineViews.data(), values.size())
                          : std::span<std::u16string_view>(moreViews);
    ReadAttributeViews(doc, record, names, views, values);
    for (size_t k = 0; k < values.size(); ++k) {
        if (views[k].data() != values[k].data())
            values[k].assign(views[k]);
    }
}

}  // namespace vesko
