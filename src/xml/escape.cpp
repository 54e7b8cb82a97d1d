// Escaping of values and element data before they are spliced into the text.

#include "xml/xml_doc.h"

namespace vesko {

namespace {

bool IsReferenceNameStart(char16_t c) {
    return c == u'#' || c == u':' || c == u'_' || (c >= u'a' && c <= u'z') ||
           (c >= u'A' && c <= u'Z') || c > 0x7F;
}

bool IsReferenceNameChar(char16_t c) {
    return IsReferenceNameStart(c) || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9');
}

// True when the '&' at `amp` begins a well-formed reference ("&name;" or "&#..;").
bool StartsReference(std::u16string_view text, size_t amp) {
    size_t i = amp + 1;
    if (i >= text.size() || !IsReferenceNameStart(text[i])) {
        return false;
    }
    ++i;
    while (i < text.size() && IsReferenceNameChar(text[i]) && text[i] != u'#') {
        ++i;
    }
    return i < text.size() && text[i] == u';';
}

}  // namespace

std::u16string CXmlDoc::EscapeText(std::u16string_view text, int flags) {
    const bool attribute = (flags & kEditAttribute) != 0;
    const bool keepReferences = (flags & kEditKeepReferences) != 0;
    std::u16string out;
    out.reserve(text.size() + text.size() / 10 + 7);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'&':
                if (keepReferences && StartsReference(text, i)) {
                    out += c;
                } else {
                    out += u"&amp;";
                }
                break;
            case u'"':
                if (attribute) {
                    out += u"&quot;";
                } else {
                    out += c;
                }
                break;
            case u'\'':
                if (attribute) {
                    out += u"&apos;";
                } else {
                    out += c;
                }
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::u16string CXmlDoc::WrapCdata(std::u16string_view data) {
    // "]]>" cannot stand inside a section: close it after the brackets and open a
    // new one for the '>'.
    constexpr std::u16string_view kEnd = u"]]>";
    std::u16string out = u"<![CDATA[";
    size_t from = 0;
    for (size_t at = data.find(kEnd); at != std::u16string_view::npos; at = data.find(kEnd, from)) {
        out += data.substr(from, at - from);
        out += u"]]]]><![CDATA[>";
        from = at + kEnd.size();
    }
    out += data.substr(from);
    out += kEnd;
    return out;
}

}  // namespace vesko
