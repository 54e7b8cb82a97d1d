// The parser: one pass over the text that builds the element index. Open elements
// sit on a small stack whose names are views into the text, so parsing allocates
// nothing per node.

#include <climits>
#include <vector>

#include "xml/result_report.h"
#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

struct OpenTag {
    std::u16string_view name;
    int record = 0;
};

class IndexBuilder {
public:
    IndexBuilder(std::u16string_view text, ElementIndex& index, int& nextFree,
                 std::u16string& report, bool ignoreCase)
        : m_text(text),
          m_index(index),
          m_nextFree(nextFree),
          m_report(report),
          m_ignoreCase(ignoreCase) {
        m_stack.reserve(7);
    }

    void Run();

private:
    void OnStartTag(const XmlNode& node);
    void OnEndTag(const XmlNode& node);
    void OnError();
    // Marks the elements above stack entry `keep` unended and lifts their children
    // into the element of entry `keep` (-1: the document), then pops them.
    void UnwindAbove(int keep, int exposedAt);
    void Close(const XmlNode& endTag);
    void CheckRoot();
    int Parent() const { return m_stack.empty() ? 0 : m_stack.back().record; }
    void MarkIllFormed() { m_index[0].flags |= kRecIllFormed; }

    std::u16string_view m_text;
    ElementIndex& m_index;
    int& m_nextFree;
    std::u16string& m_report;
    bool m_ignoreCase;
    std::vector<OpenTag> m_stack;
};

void IndexBuilder::Run() {
    XmlNode node;
    int offset = 0;
    for (;;) {
        const int kind = ScanNextNode(m_text, offset, node, &m_report);
        if (kind == kNodeEnd) {
            break;
        }
        switch (kind) {
            case kNodeElement:
                OnStartTag(node);
                break;
            case kNodeEndTag:
                OnEndTag(node);
                break;
            case kNodeError:
                OnError();
                break;
            default:
                break;
        }
        offset = node.start + node.length;
    }
    UnwindAbove(-1, static_cast<int>(m_text.size()));
    m_index[0].length = static_cast<int>(m_text.size());
    CheckRoot();
}

void IndexBuilder::OnStartTag(const XmlNode& node) {
    const int n = m_index.TakeRecord(m_nextFree);
    const int parent = Parent();
    ElementRecord& r = m_index[n];
    ElementRecord& p = m_index[parent];
    r.parent = parent;
    if (p.firstChild != 0) {
        ElementRecord& first = m_index[p.firstChild];
        m_index[first.prev].next = n;
        r.prev = first.prev;
        first.prev = n;
    } else {
        p.firstChild = n;
        r.prev = n;
        r.flags |= kRecFirstChild;
    }
    r.SetLevel(static_cast<int>(m_stack.size()));
    r.start = node.start;
    r.length = node.length;
    r.SetTagLengths(node.length, 0);
    if (!node.emptyElement) {
        m_stack.push_back({m_text.substr(node.nameStart, node.nameEnd - node.nameStart), n});
    }
}

void IndexBuilder::OnEndTag(const XmlNode& node) {
    const std::u16string_view name = m_text.substr(node.nameStart, node.nameEnd - node.nameStart);
    for (int k = static_cast<int>(m_stack.size()) - 1; k >= 0; --k) {
        if (NameMatches(m_stack[k].name, name, m_ignoreCase)) {
            UnwindAbove(k, node.start + 1);
            Close(node);
            return;
        }
    }
    MarkIllFormed();
    m_index[Parent()].flags |= kRecError;
    AddResultEntry(m_report, u"lone_end_tag", name, 0, node.start);
}

void IndexBuilder::OnError() {
    MarkIllFormed();
    m_index[Parent()].flags |= kRecError;
}

void IndexBuilder::Close(const XmlNode& endTag) {
    ElementRecord& r = m_index[m_stack.back().record];
    r.length = endTag.start + endTag.length - r.start;
    r.SetTagLengths(r.StartTagLength(), endTag.length);
    m_stack.pop_back();
}

void IndexBuilder::UnwindAbove(int keep, int exposedAt) {
    const int top = static_cast<int>(m_stack.size()) - 1;
    if (top <= keep) {
        return;
    }
    MarkIllFormed();
    const int target = keep >= 0 ? m_stack[keep].record : 0;
    bool error = false;
    for (int j = top; j > keep; --j) {
        ElementRecord& e = m_index[m_stack[j].record];
        e.flags |= kRecUnended;
        error = error || (e.flags & kRecError) != 0;
        e.flags &= ~kRecError;
        AddResultEntry(m_report, u"unended_start_tag", m_stack[j].name, 0, e.start, exposedAt);
    }
    if (error) {
        m_index[target].flags |= kRecError;
    }
    // Lifting from the lowest element upward moves every child exactly once: each
    // unended element is then the last child of `target`, and its children follow it.
    // Levels stay as parsed; re-levelling whole subtrees here would make hostile
    // input (thousands of unclosed tags) quadratic.
    for (int j = keep + 1; j <= top; ++j) {
        const int en = m_stack[j].record;
        const int first = m_index[en].firstChild;
        if (first == 0) {
            continue;
        }
        const int last = m_index[first].prev;
        for (int c = first; c != 0; c = m_index[c].next) {
            m_index[c].parent = target;
        }
        ElementRecord& e = m_index[en];
        m_index[first].flags &= ~kRecFirstChild;
        m_index[last].next = e.next;
        if (e.next != 0) {
            m_index[e.next].prev = last;
        } else {
            m_index[m_index[target].firstChild].prev = last;
        }
        m_index[first].prev = en;
        e.next = first;
        e.firstChild = 0;
    }
    m_stack.resize(static_cast<size_t>(keep + 1));
}

void IndexBuilder::CheckRoot() {
    const int root = m_index[0].firstChild;
    if (root == 0) {
        if (!m_text.empty()) {
            AddResultEntry(m_report, u"no_root_element");
        }
    } else if (m_index[root].next != 0) {
        AddResultEntry(m_report, u"root_has_sibling");
    }
}

}  // namespace

void CXmlDoc::ParseDocument() {
    m_parentPos = 0;
    m_currentPos = 0;
    m_childPos = 0;
    const int textLength = static_cast<int>(m_text.size());
    m_index.Grow(1, textLength / 64 + 8);
    m_index[0] = ElementRecord{};
    m_nextFree = 1;
    m_deletedHead = 0;
    IndexBuilder(m_text, m_index, m_nextFree, m_result, (m_flags & kDocIgnoreCase) != 0).Run();
    m_parentPos = 0;
    m_currentPos = 0;
    m_childPos = 0;
}

}  // namespace vesko
