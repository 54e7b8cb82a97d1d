#include "pages/services/start_tag_attributes.h"

#include <algorithm>

#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
}
bool IsDelimiter(char16_t c) {
    return c == u'/' || c == u'=' || c == u'>' || c == u'?';
}

struct Token {
    int start = 0;
    int end = 0;
    bool quoted = false;
    bool closed = false;
    int Length() const { return end - start; }
};

// The attribute grammar of a start tag: directly after '=' only white space or '>'
// ends an unquoted value; elsewhere the delimiters are tokens of their own.
class Tokens {
  public:
    explicit Tokens(std::u16string_view text) : m_text(text) {}

    Token Next(int& pos, bool valuePosition) const {
        const int size = static_cast<int>(m_text.size());
        while (pos < size && IsSpace(m_text[pos]))
            ++pos;
        Token t;
        t.start = pos;
        if (pos >= size) {
            t.end = pos;
            return t;
        }
        const char16_t first = m_text[pos];
        if (first == u'"' || first == u'\'') {
            t.quoted = true;
            int i = pos + 1;
            while (i < size && m_text[i] != first)
                ++i;
            t.closed = i < size;
            t.end = t.closed ? i + 1 : i;
        } else if (!valuePosition && IsDelimiter(first)) {
            t.end = pos + 1;
        } else {
            int i = pos;
            while (i < size && !IsSpace(m_text[i]) && m_text[i] != u'>' &&
                   (valuePosition || !IsDelimiter(m_text[i]))) {
                ++i;
            }
            t.end = i;
        }
        pos = t.end;
        return t;
    }
    bool Is(const Token& t, char16_t c) const { return t.Length() == 1 && m_text[t.start] == c; }
    bool Ends(const Token& t) const {
        return t.Length() == 0 || Is(t, u'/') || Is(t, u'>') || Is(t, u'?');
    }
    std::u16string_view View(const Token& t) const { return m_text.substr(t.start, t.Length()); }

  private:
    std::u16string_view m_text;
};

// The text up to the end of a record's start tag: what the engine scans.
std::u16string_view StartTagView(const CXmlDoc& doc, int record) {
    const ElementRecord& r = doc.GetIndex()[record];
    const std::u16string& text = doc.GetDoc();
    const size_t end = std::min(text.size(), static_cast<size_t>(r.start) + r.StartTagLength());
    return std::u16string_view(text).substr(0, end);
}

bool Readable(const CXmlDoc& doc, int record) {
    return record > 0 && (doc.GetDocFlags() & (kDocReadFile | kDocWriteFile)) == 0;
}

// A wanted name with none of the characters that may follow a matching name is
// matched by plain equality.
bool IsPlainName(std::u16string_view name) {
    for (char16_t c : name) {
        if (c == u' ' || c == u'/' || c == u'=' || c == u'[' || c == u']')
            return false;
    }
    return true;
}

// What DecodeEntities makes of a value; without a reference and without the
// white-space modes that is the value itself.
std::u16string Decoded(std::u16string_view raw, uint32_t flags) {
    if (std::find(raw.begin(), raw.end(), u'&') == raw.end() &&
        (flags & (kDocTrimWhitespace | kDocCollapseWhitespace)) == 0) {
        return std::u16string(raw);
    }
    return CXmlDoc::DecodeEntities(raw, flags);
}

// The usual tag, every attribute written name="value" or name='value', read in one
// tight pass; `visit(name, valueStart, valueLength)` gets each attribute and returns
// false to stop. It sees what the general token walk sees in such a tag; at the first
// thing it does not expect it gives up (false) and the general walk must read the tag.
template <class Visit>
bool ScanPlainTag(std::u16string_view text, int tagStart, Visit&& visit) {
    const int size = static_cast<int>(text.size());
    const char16_t* p = text.data();
    auto isNameEnd = [](char16_t c) { return IsSpace(c) || IsDelimiter(c); };
    int pos = tagStart + 1;
    if (pos >= size || p[pos] == u'?' || p[pos] == u'"' || p[pos] == u'\'' || IsDelimiter(p[pos]))
        return false;
    while (pos < size && !isNameEnd(p[pos]))
        ++pos;  // the tag name
    for (;;) {
        while (pos < size && IsSpace(p[pos]))
            ++pos;
        if (pos >= size || p[pos] == u'/' || p[pos] == u'>' || p[pos] == u'?')
            return true;
        if (p[pos] == u'=' || p[pos] == u'"' || p[pos] == u'\'')
            return false;
        const int nameStart = pos;
        while (pos < size && !isNameEnd(p[pos]))
            ++pos;
        const int nameEnd = pos;
        while (pos < size && IsSpace(p[pos]))
            ++pos;
        if (pos >= size || p[pos] != u'=')
            return false;
        ++pos;
        while (pos < size && IsSpace(p[pos]))
            ++pos;
        if (pos >= size || (p[pos] != u'"' && p[pos] != u'\''))
            return false;
        const char16_t quote = p[pos];
        const int valueStart = ++pos;
        while (pos < size && p[pos] != quote)
            ++pos;
        if (pos >= size)
            return false;
        if (!visit(text.substr(nameStart, nameEnd - nameStart), valueStart, pos - valueStart))
            return true;
        ++pos;
    }
}

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
    m_text = StartTagView(doc, record);
    m_element = true;
    const int tagStart = doc.GetIndex()[record].start;
    if (!ScanPlain(tagStart))
        Scan(tagStart);
}

void StartTagAttributes::Add(std::u16string_view name, int valueStart, int valueLength) {
    if (m_count < static_cast<int>(m_inline.size())) {
        m_inline[static_cast<size_t>(m_count++)] = {name, valueStart, valueLength};
    } else {
        m_more.push_back({name, valueStart, valueLength});
    }
}

std::span<const StartTagAttributes::Entry> StartTagAttributes::Entries() const {
    if (m_more.empty())
        return {m_inline.data(), static_cast<size_t>(m_count)};
    return m_more;
}

bool StartTagAttributes::ScanPlain(int tagStart) {
    const bool plain =
        ScanPlainTag(m_text, tagStart, [&](std::u16string_view name, int start, int length) {
            Add(name, start, length);
            return true;
        });
    if (plain)
        return true;
    m_count = 0;
    m_more.clear();
    return false;
}

void StartTagAttributes::Scan(int tagStart) {
    const int size = static_cast<int>(m_text.size());
    if (tagStart < 0 || tagStart >= size)
        return;
    const Tokens tokens(m_text);
    int pos = tagStart + 1;
    if (pos < size && m_text[pos] == u'?')
        ++pos;
    const Token tagName = tokens.Next(pos, false);
    if (tokens.Ends(tagName))
        return;
    Token t = tokens.Next(pos, false);
    while (!tokens.Ends(t)) {
        int afterName = pos;
        const Token next = tokens.Next(afterName, false);
        const bool isName = !tokens.Is(t, u'=');
        if (tokens.Is(next, u'=')) {
            pos = afterName;
            const Token value = tokens.Next(pos, true);
            if (isName) {
                const int start = value.quoted ? value.start + 1 : value.start;
                const int length = value.Length() - (value.quoted ? 1 : 0) - (value.closed ? 1 : 0);
                Add(tokens.View(t), start, length);
            }
            t = tokens.Next(pos, false);
            continue;
        }
        // Written without a value: the value is the name itself.
        if (isName)
            Add(tokens.View(t), t.start, t.Length());
        pos = afterName;
        t = next;
    }
}

std::u16string StartTagAttributes::Get(std::u16string_view name) const {
    if (!m_element || name.empty())
        return {};
    const bool ignoreCase = (m_flags & kDocIgnoreCase) != 0;
    const bool plain = !ignoreCase && IsPlainName(name);
    for (const Entry& entry : Entries()) {
        if (plain ? entry.name == name : NameMatches(entry.name, name, ignoreCase)) {
            return Decoded(m_text.substr(entry.valueStart, entry.valueLength), m_flags);
        }
    }
    return {};
}

void StartTagAttributes::GetAll(std::span<const std::u16string_view> names,
                                std::span<std::u16string> values) const {
    const bool ignoreCase = (m_flags & kDocIgnoreCase) != 0;
    bool plain = !ignoreCase;
    for (std::u16string_view name : names)
        plain = plain && !name.empty() && IsPlainName(name);
    if (!m_element || !plain || names.size() > 64) {
        for (size_t k = 0; k < names.size(); ++k)
            values[k] = Get(names[k]);
        return;
    }
    // Each attribute of the tag, in tag order, fills the name it equals unless an
    // earlier attribute of the tag already did: the first occurrence wins, as in Get.
    uint64_t filled = 0;
    for (auto& value : values)
        value.clear();
    size_t expected = 0;
    for (const Entry& entry : Entries()) {
        size_t k =
            expected < names.size() && names[expected] == entry.name ? expected : names.size();
        for (size_t j = 0; k == names.size() && j < names.size(); ++j) {
            if (names[j] == entry.name)
                k = j;
        }
        if (k == names.size())
            continue;
        expected = k + 1;
        if ((filled >> k) & 1u)
            continue;
        filled |= uint64_t{1} << k;
        values[k] = Decoded(m_text.substr(entry.valueStart, entry.valueLength), m_flags);
    }
}

std::u16string AttributeOf(const CXmlDoc& doc, int record, std::u16string_view name) {
    if (!Readable(doc, record) || name.empty())
        return {};
    const uint32_t flags = doc.GetDocFlags();
    if ((flags & kDocIgnoreCase) == 0 && IsPlainName(name)) {
        // The first attribute of that name is the one GetAttribute reads: stop there.
        const std::u16string_view text = StartTagView(doc, record);
        bool found = false;
        std::u16string value;
        const bool plain = ScanPlainTag(text, doc.GetIndex()[record].start,
                                        [&](std::u16string_view attribute, int start, int length) {
                                            if (attribute != name)
                                                return true;
                                            found = true;
                                            value = Decoded(text.substr(start, length), flags);
                                            return false;
                                        });
        if (plain)
            return value;
    }
    const AttributeSpan span =
        ScanAttribute(StartTagView(doc, record), doc.GetIndex()[record].start, name,
                      (flags & kDocIgnoreCase) != 0);
    if (!span.found)
        return {};
    return Decoded(std::u16string_view(doc.GetDoc()).substr(span.valueStart, span.valueLength),
                   flags);
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
    const bool rawIsValue = (flags & (kDocTrimWhitespace | kDocCollapseWhitespace)) == 0;
    if (names.Plain() && (flags & kDocIgnoreCase) == 0) {
        const std::span<const std::u16string_view> wanted = names.Names();
        const std::u16string_view text = StartTagView(doc, record);
        uint64_t filled = 0;
        size_t expected = 0;
        // Each attribute of the tag, in tag order, fills the name it equals unless an
        // earlier attribute already did: the first occurrence wins, as in GetAttribute.
        const bool plain = ScanPlainTag(
            text, doc.GetIndex()[record].start,
            [&](std::u16string_view name, int start, int length) {
                size_t k =
                    expected < wanted.size() && wanted[expected] == name ? expected : wanted.size();
                for (size_t j = 0; k == wanted.size() && j < wanted.size(); ++j) {
                    if (wanted[j] == name)
                        k = j;
                }
                if (k == wanted.size())
                    return true;
                expected = k + 1;
                if (((filled >> k) & 1u) != 0)
                    return true;
                filled |= uint64_t{1} << k;
                const std::u16string_view raw = text.substr(start, length);
                if (rawIsValue && std::find(raw.begin(), raw.end(), u'&') == raw.end()) {
                    views[k] = raw;
                } else {
                    storage[k] = CXmlDoc::DecodeEntities(raw, flags);
                    views[k] = storage[k];
                }
                return true;
            });
        if (plain)
            return;
        for (auto& view : views)
            view = {};
    }
    StartTagAttributes(doc, record).GetAll(names.Names(), storage);
    for (size_t k = 0; k < views.size(); ++k)
        views[k] = storage[k];
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
