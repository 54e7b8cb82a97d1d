// Decoding of character and entity references in values read from the document.
// Only one level is decoded: "&amp;lt;" reads as "&lt;".

#include "xml/entity_table.h"
#include "xml/text_chars.h"
#include "xml/utf_codecs.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr int kMaxReferenceName = 9;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

int DigitValue(char16_t c, int base) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// Value of "#65" or "#x41" (already lowercased); 0 when it is not a reference.
char32_t CharacterReference(std::u16string_view name) {
    int base = 10;
    size_t i = 1;
    if (name.size() > 1 && name[1] == u'x') {
        base = 16;
        i = 2;
    }
    char32_t code = 0;
    for (; i < name.size(); ++i) {
        const int digit = DigitValue(name[i], base);
        if (digit < 0) {
            return 0;
        }
        code = code * base + digit;  // at most 8 digits: no overflow
    }
    return code <= kMaxCodePoint ? code : 0;
}

// Decodes the reference whose '&' is at `amp`; returns its length through ';', or 0.
size_t DecodeReference(std::u16string_view text, size_t amp, char32_t& code) {
    char16_t name[kMaxReferenceName];
    size_t length = 0;
    const size_t rawStart = amp + 1;
    for (size_t i = amp + 1;; ++i) {
        if (i >= text.size()) {
            return 0;
        }
        const char16_t c = text[i];
        if (c == u';') {
            break;
        }
        if (c > 0x7F || length == kMaxReferenceName) {
            return 0;
        }
        name[length++] = AsciiLower(c);
    }
    const std::u16string_view lowered(name, length);
    if (length > 0 && name[0] == u'#') {
        code = CharacterReference(lowered);
    } else if (length > 0) {
        // Looked up as written so that case twins (&Oslash; and &oslash;) keep
        // their own characters; names without a twin match in any case (&AMP;).
        code = static_cast<char32_t>(LookupEntityExact(text.substr(rawStart, length)));
    }
    return code != 0 ? length + 2 : 0;
}

// Buffers a white-space run until it is known not to be trailing.
class SpaceFilter {
public:
    SpaceFilter(std::u16string& out, uint32_t flags)
        : m_out(out),
          m_active((flags & (kDocTrimWhitespace | kDocCollapseWhitespace)) != 0),
          m_collapse((flags & kDocCollapseWhitespace) != 0) {}

    // True when the character was taken as white space.
    bool TakeSpace(std::u16string_view text, size_t i) {
        if (!m_active || !IsXmlSpace(text[i])) {
            return false;
        }
        if (m_seenOther) {
            if (m_runLength == 0) {
                m_run = text.substr(i, 0);
            }
            m_run = std::u16string_view(m_run.data(), m_runLength + 1);
            ++m_runLength;
        }
        return true;
    }

    // Called before anything that is not white space is written.
    void BeforeOther() {
        if (!m_active) {
            return;
        }
        if (m_runLength > 0) {
            if (m_collapse) {
                m_out += u' ';
            } else {
                m_out += m_run;
            }
            m_runLength = 0;
        }
        m_seenOther = true;
    }

private:
    std::u16string& m_out;
    bool m_active;
    bool m_collapse;
    bool m_seenOther = false;
    std::u16string_view m_run;
    size_t m_runLength = 0;
};

}  // namespace

std::u16string CXmlDoc::DecodeEntities(std::u16string_view text, uint32_t docFlags) {
    // Most values hold no reference: without a white-space mode they are their own text.
    if ((docFlags & (kDocTrimWhitespace | kDocCollapseWhitespace)) == 0 &&
        text.find(u'&') == std::u16string_view::npos) {
        return std::u16string(text);
    }
    std::u16string out;
    out.reserve(text.size());
    SpaceFilter spaces(out, docFlags);
    for (size_t i = 0; i < text.size(); ++i) {
        if (spaces.TakeSpace(text, i)) {
            continue;
        }
        spaces.BeforeOther();
        const char16_t c = text[i];
        char32_t code = 0;
        const size_t length = c == u'&' ? DecodeReference(text, i, code) : 0;
        if (length == 0) {
            out += c;
            continue;
        }
        AppendCodePoint(out, code);
        i += length - 1;
    }
    return out;
}

}  // namespace vesko
