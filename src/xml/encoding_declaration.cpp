// Finding the encoding a document names for itself: the XML declaration, or for
// an HTML page the charset of its Content-Type meta element.

#include <string>
#include <string_view>

#include "xml/text_chars.h"
#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

std::u16string_view NameOf(std::u16string_view text, const XmlNode& node) {
    return text.substr(static_cast<size_t>(node.nameStart),
                       static_cast<size_t>(node.nameEnd - node.nameStart));
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Raw value of an attribute, quotes excluded; "" when absent. HTML names are
// compared without case, as browsers do.
std::u16string_view AttributeOf(std::u16string_view text, int tagStart, std::u16string_view name,
                                bool ignoreCase) {
    const AttributeSpan span = ScanAttribute(text, tagStart, name, ignoreCase);
    if (!span.found) {
        return {};
    }
    return text.substr(static_cast<size_t>(span.valueStart), static_cast<size_t>(span.valueLength));
}

size_t SkipSpace(std::u16string_view s, size_t i) {
    while (i < s.size() && IsXmlSpace(s[i])) {
        ++i;
    }
    return i;
}

// The token after "charset" and "=" in a content value such as
// "text/html; charset=windows-1251"; "" when there is none.
std::u16string CharsetOf(std::u16string_view content) {
    constexpr std::u16string_view kCharset = u"charset";
    for (size_t at = 0; at + kCharset.size() <= content.size(); ++at) {
        if (!EqualsIgnoringCase(content.substr(at, kCharset.size()), kCharset)) {
            continue;
        }
        size_t i = SkipSpace(content, at + kCharset.size());
        if (i >= content.size() || content[i] != u'=') {
            continue;
        }
        i = SkipSpace(content, i + 1);
        const size_t start = i;
        while (i < content.size() && !IsXmlSpace(content[i]) && content[i] != u';' &&
               content[i] != u'"' && content[i] != u'\'') {
            ++i;
        }
        return std::u16string(content.substr(start, i - start));
    }
    return {};
}

bool IsContentTypeMeta(std::u16string_view text, const XmlNode& node) {
    return EqualsIgnoringCase(NameOf(text, node), u"meta") &&
           EqualsIgnoringCase(AttributeOf(text, node.start, u"http-equiv", true), u"Content-Type");
}

}  // namespace

std::u16string CXmlDoc::FindEncodingDeclaration(std::u16string_view text) {
    XmlNode node;
    int kind = ScanNextNode(text, 0, node, nullptr);
    if (kind == kNodeProcessingInstruction && NameOf(text, node) == u"xml") {
        return std::u16string(AttributeOf(text, node.start, u"encoding", false));
    }
    // Not an XML declaration: only an HTML page can still name its charset.
    bool insideHtml = false;
    for (; kind != kNodeError && kind != kNodeEnd;
         kind = ScanNextNode(text, node.start + node.length, node, nullptr)) {
        if (node.length <= 0 ||
            (kind == kNodeEndTag && EqualsIgnoringCase(NameOf(text, node), u"head"))) {
            break;
        }
        if (kind != kNodeElement) {
            continue;
        }
        if (!insideHtml) {
            if (!EqualsIgnoringCase(NameOf(text, node), u"html")) {
                break;
            }
            insideHtml = true;
        } else if (IsContentTypeMeta(text, node)) {
            std::u16string charset = CharsetOf(AttributeOf(text, node.start, u"content", true));
            if (!charset.empty()) {
                return charset;
            }
        }
    }
    return {};
}

}  // namespace vesko
