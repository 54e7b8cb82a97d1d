// Editing splices the text once and then corrects the index in place: the elements
// after the change move by the difference, their ancestors grow or shrink by it.
// There is never a second parse.

#include <algorithm>
#include <string>

#include "xml/decimal_text.h"
#include "xml/text_chars.h"
#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

}  // namespace

// The editing steps, with access to the document's private state.
class XmlEditor {
public:
    explicit XmlEditor(CXmlDoc& doc) : m_doc(doc), m_index(doc.m_index), m_text(doc.m_text) {}

    bool SetAttribute(std::u16string_view name, std::u16string_view value, int flags);
    bool Add(std::u16string_view name, std::u16string_view data, int flags);
    bool Remove();

    // Moves the start of every descendant of `n` by `d`.
    void ShiftDescendants(int n, int d);
    // Moves everything after `changed` by `d` and resizes its ancestors.
    void ShiftFollowing(int changed, int d, bool skipDescendants);

private:
    struct Insertion {
        int at = 0;           // where the splice starts
        int oldLength = 0;    // text replaced there
        std::u16string text;  // what goes in
        int newStart = 0;     // where the new element's '<' lands
    };

    ElementRecord& Rec(int n) { return m_index[n]; }
    int TextSize() const { return static_cast<int>(m_text.size()); }
    std::u16string_view TagName(int n) const;
    int EndTagStart(int n) const;
    int SkipToMarkup(int at) const;
    int InsertionLimit(int n) const;
    bool PlanOpening(int parent, const std::u16string& markup, int flags, Insertion& plan);
    void PlanInside(int parent, const std::u16string& markup, int flags, Insertion& plan);
    void Link(int n, int parent, int anchor, int flags);
    void LinkFirst(int n, int parent);
    void LinkLast(int n, int parent);
    void Unlink(int n);
    void MarkRemoved(int n);

    CXmlDoc& m_doc;
    ElementIndex& m_index;
    std::u16string& m_text;
};

// Name of a start tag as the parser reads it: up to white space, '/' or '>'.
std::u16string_view XmlEditor::TagName(int n) const {
    const int size = TextSize();
    const int start = m_index[n].start + 1;
    int i = start;
    while (i < size && !IsXmlSpace(m_text[i]) && m_text[i] != u'/' && m_text[i] != u'>') {
        ++i;
    }
    return start < size ? std::u16string_view(m_text).substr(start, i - start)
                        : std::u16string_view{};
}

int XmlEditor::EndTagStart(int n) const {
    const ElementRecord& r = m_index[n];
    const int end = std::min(TextSize(), r.start + r.length);
    if (r.EndTagLength() < ElementRecord::kMaxEndTag) {
        return std::max(r.start, end - r.EndTagLength());
    }
    // An end tag too long for its field: find its "</" from the end.
    const size_t at = std::u16string_view(m_text).substr(0, end).rfind(u"</");
    return at == std::u16string_view::npos ? end : std::max(r.start, static_cast<int>(at));
}

// White space followed by markup is stepped over, so the existing line break stays
// in front of the markup and the new element gets its own line.
int XmlEditor::SkipToMarkup(int at) const {
    int j = at;
    while (j < TextSize() && IsXmlSpace(m_text[j])) {
        ++j;
    }
    return j < TextSize() && m_text[j] == u'<' ? j : at;
}

// The last place inside a start tag where an attribute may go: before "/>" or ">".
int XmlEditor::InsertionLimit(int n) const {
    const ElementRecord& r = m_index[n];
    const int startTag = m_doc.StartTagLength(n);
    int limit = std::min(TextSize(), r.start + startTag);
    if (limit > r.start + 1 && m_text[limit - 1] == u'>') {
        --limit;
        const bool emptyTag = r.length == startTag && !(r.flags & kRecUnended);
        if (emptyTag && limit > r.start + 1 && m_text[limit - 1] == u'/') {
            --limit;
        }
    }
    return limit;
}

bool XmlEditor::SetAttribute(std::u16string_view name, std::u16string_view value, int flags) {
    const int n = m_doc.m_currentPos;
    const std::u16string escaped = CXmlDoc::EscapeText(value, flags | kEditAttribute);
    const ElementRecord& r = Rec(n);
    const AttributeSpan span =
        ScanAttribute(m_doc.StartTagView(n), r.start, name, (m_doc.m_flags & kDocIgnoreCase) != 0);
    Insertion plan;
    std::u16string& piece = plan.text;
    if (span.found && span.hasValue) {
        plan.at = span.replaceStart;
        plan.oldLength = span.replaceLength;
    } else if (span.found) {
        // An attribute written without a value keeps its name and gains one.
        plan.at = span.replaceStart;
        piece += u'=';
    } else {
        const int first = std::min(r.start + 1, TextSize());
        plan.at = std::clamp(span.insertAt, first, std::max(first, InsertionLimit(n)));
        piece += u' ';
        piece += name;
        piece += u'=';
    }
    piece += u'"';
    piece += escaped;
    piece += u'"';
    const int d = static_cast<int>(piece.size()) - plan.oldLength;
    ElementRecord& w = Rec(n);
    w.SetTagLengths(m_doc.StartTagLength(n) + d, w.EndTagLength());
    w.length += d;
    m_doc.ReplaceText(n, plan.at, plan.oldLength, piece, false);
    return true;
}

// Adding the first child to an element without content: "<p/>" (or an unended
// "<p>") becomes "<p>", the child, and "</p>".
bool XmlEditor::PlanOpening(int parent, const std::u16string& markup, int flags, Insertion& plan) {
    const ElementRecord& p = m_index[parent];
    const int startTag = m_doc.StartTagLength(parent);
    const int close = p.start + startTag - 1;
    if (close <= p.start || close >= TextSize() || m_text[close] != u'>') {
        return false;
    }
    const bool slash = !(p.flags & kRecUnended) && m_text[close - 1] == u'/';
    const bool lineBreak = !(flags & kEditNoLineBreak);
    plan.at = slash ? close - 1 : close;
    plan.oldLength = slash ? 2 : 1;
    plan.text = u">";
    if (lineBreak) {
        plan.text += kLineBreak;
    }
    plan.newStart = plan.at + static_cast<int>(plan.text.size());
    plan.text += markup;
    if (lineBreak) {
        plan.text += kLineBreak;
    }
    const std::u16string_view name = TagName(parent);
    plan.text += u"</";
    plan.text += name;
    plan.text += u'>';
    ElementRecord& w = Rec(parent);
    w.SetTagLengths(startTag - (slash ? 1 : 0), static_cast<int>(name.size()) + 3);
    w.flags &= ~kRecUnended;
    return true;
}

void XmlEditor::PlanInside(int parent, const std::u16string& markup, int flags, Insertion& plan) {
    const bool first = (flags & (kEditInsertFirst | kEditInsertBefore)) != 0;
    const bool lineBreak = !(flags & kEditNoLineBreak);
    std::u16string prefix;
    if (parent == 0) {
        const int root = m_index[0].firstChild;
        plan.at = first && root != 0 ? m_index[root].start : TextSize();
    } else {
        const ElementRecord& p = m_index[parent];
        const int startTag = m_doc.StartTagLength(parent);
        plan.at = first ? p.start + startTag : EndTagStart(parent);
        const bool adjacent = p.EndTagLength() > 0 && p.length == startTag + p.EndTagLength();
        if (adjacent && lineBreak) {
            prefix = kLineBreak;
        }
    }
    plan.at = std::clamp(plan.at, 0, TextSize());
    if (lineBreak && !first) {
        plan.at = SkipToMarkup(plan.at);
    }
    plan.newStart = plan.at + static_cast<int>(prefix.size());
    plan.text = prefix + markup;
    if (lineBreak) {
        plan.text += kLineBreak;
    }
}

bool XmlEditor::Add(std::u16string_view name, std::u16string_view data, int flags) {
    const bool child = (flags & kEditChild) != 0;
    const bool unended = (flags & kEditUnended) != 0;
    if (name.empty() || (child && m_doc.m_currentPos == 0) || (unended && !data.empty())) {
        return false;
    }
    int anchor = child ? m_doc.m_childPos : m_doc.m_currentPos;
    int parent = child ? m_doc.m_currentPos : m_doc.m_parentPos;
    // Taking a record may grow the index: take it before any reference into it.
    const int n = m_index.TakeRecord(m_doc.m_nextFree);
    if (anchor != 0) {
        parent = Rec(anchor).parent;
    }

    std::u16string markup = u"<";
    markup += name;
    int startTag = 0;
    int endTag = 0;
    if (!data.empty()) {
        markup += u'>';
        startTag = static_cast<int>(markup.size());
        markup += (flags & kEditWrapCdata) ? CXmlDoc::WrapCdata(data)
                                           : CXmlDoc::EscapeText(data, flags & kEditKeepReferences);
        markup += u"</";
        markup += name;
        markup += u'>';
        endTag = static_cast<int>(name.size()) + 3;
    } else {
        markup += unended ? u">" : (flags & kEditSpaceBeforeSlash) ? u" />" : u"/>";
        startTag = static_cast<int>(markup.size());
    }

    Insertion plan;
    if (anchor != 0) {
        const ElementRecord& a = Rec(anchor);
        plan.at = (flags & kEditInsertBefore) ? a.start : a.start + a.length;
        plan.at = std::clamp(plan.at, 0, TextSize());
        if (!(flags & (kEditNoLineBreak | kEditInsertFirst))) {
            plan.at = SkipToMarkup(plan.at);
        }
        plan.newStart = plan.at;
        plan.text = markup;
        if (!(flags & kEditNoLineBreak)) {
            plan.text += kLineBreak;
        }
    } else if (parent != 0 && Rec(parent).length == m_doc.StartTagLength(parent)) {
        if (!PlanOpening(parent, markup, flags, plan)) {
            --m_doc.m_nextFree;  // nothing was linked: give the record back
            return false;
        }
    } else {
        PlanInside(parent, markup, flags, plan);
    }

    ElementRecord& r = Rec(n);
    r.start = plan.newStart;
    r.length = static_cast<int>(markup.size());
    r.SetTagLengths(startTag, endTag);
    r.SetLevel(parent == 0 ? 0 : Rec(parent).Level() + 1);
    if (unended) {
        r.flags |= kRecUnended;
    }
    Link(n, parent, anchor, flags);
    m_doc.ReplaceText(n, plan.at, plan.oldLength, plan.text, true);

    if (child) {
        m_doc.m_childPos = n;
    } else {
        m_doc.m_currentPos = n;
        m_doc.m_childPos = 0;
    }
    return true;
}

void XmlEditor::Link(int n, int parent, int anchor, int flags) {
    ElementRecord& r = Rec(n);
    r.parent = parent;
    if (anchor == 0) {
        if (flags & (kEditInsertFirst | kEditInsertBefore)) {
            LinkFirst(n, parent);
        } else {
            LinkLast(n, parent);
        }
        return;
    }
    ElementRecord& a = Rec(anchor);
    if (flags & kEditInsertBefore) {
        if (a.flags & kRecFirstChild) {
            LinkFirst(n, parent);
            return;
        }
        const int before = a.prev;
        Rec(before).next = n;
        r.prev = before;
        r.next = anchor;
        a.prev = n;
        return;
    }
    r.next = a.next;
    r.prev = anchor;
    if (a.next != 0) {
        Rec(a.next).prev = n;
    } else {
        Rec(Rec(parent).firstChild).prev = n;
    }
    a.next = n;
}

void XmlEditor::LinkFirst(int n, int parent) {
    ElementRecord& r = Rec(n);
    ElementRecord& p = Rec(parent);
    const int first = p.firstChild;
    r.flags |= kRecFirstChild;
    p.firstChild = n;
    if (first == 0) {
        r.prev = n;
        r.next = 0;
        return;
    }
    ElementRecord& f = Rec(first);
    r.next = first;
    r.prev = f.prev;
    f.prev = n;
    f.flags &= ~kRecFirstChild;
}

void XmlEditor::LinkLast(int n, int parent) {
    ElementRecord& p = Rec(parent);
    if (p.firstChild == 0) {
        LinkFirst(n, parent);
        return;
    }
    ElementRecord& r = Rec(n);
    ElementRecord& f = Rec(p.firstChild);
    Rec(f.prev).next = n;
    r.prev = f.prev;
    r.next = 0;
    f.prev = n;
}

bool XmlEditor::Remove() {
    const int n = m_doc.m_currentPos;
    const ElementRecord& r = Rec(n);
    const int start = std::clamp(r.start, 0, TextSize());
    int end = std::clamp(r.start + r.length, start, TextSize());
    // White space after the element goes with it when markup or the end follows,
    // so that no empty line is left behind.
    int j = end;
    while (j < TextSize() && IsXmlSpace(m_text[j])) {
        ++j;
    }
    if (j == TextSize() || m_text[j] == u'<') {
        end = j;
    }
    const int previous = (r.flags & kRecFirstChild) ? 0 : r.prev;
    m_doc.ReplaceText(n, start, end - start, {}, true);
    Unlink(n);
    MarkRemoved(n);
    m_doc.m_currentPos = previous;
    m_doc.m_childPos = 0;
    return true;
}

void XmlEditor::Unlink(int n) {
    ElementRecord& r = Rec(n);
    ElementRecord& p = Rec(r.parent);
    if (r.flags & kRecFirstChild) {
        p.firstChild = r.next;
        if (r.next != 0) {
            ElementRecord& next = Rec(r.next);
            next.flags |= kRecFirstChild;
            next.prev = r.prev;
        }
        return;
    }
    Rec(r.prev).next = r.next;
    if (r.next != 0) {
        Rec(r.next).prev = r.prev;
    } else {
        Rec(p.firstChild).prev = r.prev;
    }
}

// Removed records keep only their removed mark and are chained from the deleted
// head, deepest first; they are never reused.
void XmlEditor::MarkRemoved(int n) {
    int c = n;
    while (Rec(c).firstChild != 0) {
        c = Rec(c).firstChild;
    }
    for (;;) {
        ElementRecord& r = Rec(c);
        const int next = r.next;
        const int parent = r.parent;
        r.flags = kRecRemoved;
        r.next = m_doc.m_deletedHead;
        m_doc.m_deletedHead = c;
        if (c == n) {
            return;
        }
        if (next != 0) {
            c = next;
            while (Rec(c).firstChild != 0) {
                c = Rec(c).firstChild;
            }
        } else {
            c = parent;
        }
    }
}

void XmlEditor::ShiftDescendants(int n, int d) {
    int c = m_index[n].firstChild;
    while (c != 0) {
        m_index[c].start += d;
        if (m_index[c].firstChild != 0) {
            c = m_index[c].firstChild;
            continue;
        }
        while (c != n && m_index[c].next == 0) {
            c = m_index[c].parent;
        }
        if (c == n) {
            return;
        }
        c = m_index[c].next;
    }
}

void XmlEditor::ShiftFollowing(int changed, int d, bool skipDescendants) {
    if (!skipDescendants) {
        ShiftDescendants(changed, d);
    }
    int c = changed;
    while (c != 0) {
        for (int s = m_index[c].next; s != 0; s = m_index[s].next) {
            m_index[s].start += d;
            ShiftDescendants(s, d);
        }
        c = m_index[c].parent;
        m_index[c].length += d;
    }
}

void CXmlDoc::ReplaceText(int changed, int offset, int oldLength, std::u16string_view newText,
                          bool skipDescendants) {
    m_text.replace(static_cast<size_t>(offset), static_cast<size_t>(oldLength), newText);
    const int d = static_cast<int>(newText.size()) - oldLength;
    if (d != 0) {
        XmlEditor(*this).ShiftFollowing(changed, d, skipDescendants);
    }
}

bool CXmlDoc::SetAttribute(std::u16string_view name, std::u16string_view value, int flags) {
    if (InStreamMode() || m_currentPos == 0 || name.empty()) {
        return false;
    }
    return XmlEditor(*this).SetAttribute(name, value, flags);
}

bool CXmlDoc::SetAttribute(std::u16string_view name, int value, int flags) {
    return SetAttribute(name, DecimalText(value), flags);
}

bool CXmlDoc::AddElement(std::u16string_view name, std::u16string_view data, int flags) {
    if (InStreamMode()) {
        return false;
    }
    return XmlEditor(*this).Add(name, data, flags & ~kEditChild);
}

bool CXmlDoc::AddChildElement(std::u16string_view name, std::u16string_view data, int flags) {
    if (InStreamMode()) {
        return false;
    }
    return XmlEditor(*this).Add(name, data, flags | kEditChild);
}

bool CXmlDoc::RemoveElement() {
    if (InStreamMode() || m_currentPos == 0) {
        return false;
    }
    return XmlEditor(*this).Remove();
}

}  // namespace vesko
