#include "pages/services/element_splicer.h"

#include <algorithm>
#include <numeric>

#include "xml/xml_doc.h"

namespace vesko {

namespace {

bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

size_t LeadingSpace(std::u16string_view text) {
    size_t k = 0;
    while (k < text.size() && IsXmlSpace(text[k]))
        ++k;
    return k;
}

}  // namespace

ElementSplicer::ElementSplicer(std::u16string_view text) : m_original(text) {}

int ElementSplicer::AddElement(int start, int length) {
    const int id = NewPiece(m_original.substr(start, length), true);
    m_elementOrder.push_back(id);
    m_starts.push_back(start);
    return id;
}

int ElementSplicer::AddRecord(const CXmlDoc& doc, int record) {
    const ElementRecord& r = doc.GetIndex()[record];
    return AddElement(r.start, r.length);
}

int ElementSplicer::NewPiece(std::u16string_view text, bool element) {
    Piece piece;
    piece.text = text;
    piece.element = element;
    m_pieces.push_back(piece);
    return static_cast<int>(m_pieces.size()) - 1;
}

// Cuts the original text at the marked elements: gap, element, gap, ..., gap.
void ElementSplicer::LinkAll() {
    if (m_linked)
        return;
    m_linked = true;
    std::vector<size_t> order(m_elementOrder.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return m_starts[a] < m_starts[b]; });

    int last = -1;
    size_t cursor = 0;
    auto append = [&](int id) {
        if (last < 0) {
            m_head = id;
        } else {
            m_pieces[last].next = id;
        }
        m_pieces[id].prev = last;
        last = id;
    };
    for (size_t k : order) {
        const int id = m_elementOrder[k];
        const size_t start = static_cast<size_t>(m_starts[k]);
        append(NewPiece(m_original.substr(cursor, start - cursor), false));
        append(id);
        cursor = start + m_pieces[id].text.size();
    }
    append(NewPiece(m_original.substr(std::min(cursor, m_original.size())), false));
}

void ElementSplicer::LinkAfter(int id, int after) {
    Piece& piece = m_pieces[id];
    piece.prev = after;
    piece.next = m_pieces[after].next;
    if (piece.next >= 0)
        m_pieces[piece.next].prev = id;
    m_pieces[after].next = id;
}

void ElementSplicer::Unlink(int id) {
    Piece& piece = m_pieces[id];
    if (piece.prev >= 0) {
        m_pieces[piece.prev].next = piece.next;
    } else {
        m_head = piece.next;
    }
    if (piece.next >= 0)
        m_pieces[piece.next].prev = piece.prev;
    piece.prev = piece.next = -1;
}

void ElementSplicer::SplitGap(int id, size_t at) {
    const std::u16string_view text = m_pieces[id].text;
    const int tail = NewPiece(text.substr(at), false);
    m_pieces[id].text = text.substr(0, at);
    LinkAfter(tail, id);
}

void ElementSplicer::Replace(int id, std::u16string text) {
    LinkAll();
    m_edited = true;
    m_pieces[id].text = m_owned.emplace_back(std::move(text));
}

void ElementSplicer::Remove(int id) {
    LinkAll();
    m_edited = true;
    int next = m_pieces[id].next;
    Unlink(id);
    m_pieces[id].live = false;

    // The white space that now follows goes too when a '<' or the end of the text
    // comes after it; it may run over several gaps left by earlier removals.
    std::vector<std::pair<int, size_t>> trims;
    bool removable = true;
    for (int q = next; q >= 0; q = m_pieces[q].next) {
        const Piece& piece = m_pieces[q];
        if (piece.element)
            break;
        const size_t k = LeadingSpace(piece.text);
        trims.emplace_back(q, k);
        if (k < piece.text.size()) {
            removable = piece.text[k] == u'<';
            break;
        }
    }
    if (!removable)
        return;
    for (auto [q, k] : trims) {
        m_pieces[q].text.remove_prefix(k);
        if (m_pieces[q].text.empty())
            Unlink(q);
    }
}

int ElementSplicer::InsertAfter(int anchorId, std::u16string markup) {
    LinkAll();
    m_edited = true;
    // Where the engine puts a new sibling: before the next '<' when only white space
    // lies between, so the line break that was there stays in front of the new one.
    int before = -1;
    for (int q = m_pieces[anchorId].next; q >= 0; q = m_pieces[q].next) {
        const Piece& piece = m_pieces[q];
        if (piece.element) {
            before = q;
            break;
        }
        const size_t k = LeadingSpace(piece.text);
        if (k == piece.text.size())
            continue;
        if (piece.text[k] == u'<') {
            if (k > 0)
                SplitGap(q, k);
            before = k > 0 ? m_pieces[q].next : q;
        }
        break;
    }
    const int element = NewPiece(m_owned.emplace_back(std::move(markup)), true);
    const int lineBreak = NewPiece(u"\r\n", false);
    LinkAfter(element, before >= 0 ? m_pieces[before].prev : anchorId);
    LinkAfter(lineBreak, element);
    return element;
}

int ElementSplicer::FirstLiveElement() {
    LinkAll();
    for (int q = m_head; q >= 0; q = m_pieces[q].next) {
        if (m_pieces[q].element)
            return q;
    }
    return -1;
}

std::u16string ElementSplicer::Build() const {
    if (!m_linked)
        return std::u16string(m_original);
    size_t size = 0;
    for (int q = m_head; q >= 0; q = m_pieces[q].next)
        size += m_pieces[q].text.size();
    std::u16string text;
    text.reserve(size);
    for (int q = m_head; q >= 0; q = m_pieces[q].next)
        text.append(m_pieces[q].text);
    return text;
}

std::u16string WithAttributes(
    std::u16string_view elementText,
    const std::vector<std::pair<std::u16string_view, std::u16string_view>>& attributes) {
    CXmlDoc element;
    element.SetDoc(elementText);
    element.FindElement();
    for (const auto& [name, value] : attributes)
        element.SetAttribute(name, value);
    return element.GetDoc();
}

std::u16string_view ElementText(const CXmlDoc& doc, int record) {
    const ElementRecord& r = doc.GetIndex()[record];
    return std::u16string_view(doc.GetDoc())
        .substr(static_cast<size_t>(r.start), static_cast<size_t>(r.length));
}

// One pass over the text: what lies between the slots that change is copied as it is.
std::u16string RearrangedText(const CXmlDoc& doc, std::span<const int> slots,
                              std::span<const int> origins) {
    const std::u16string_view text = doc.GetDoc();
    std::u16string result;
    result.reserve(text.size());
    size_t copied = 0;
    for (size_t slot = 0; slot < slots.size() && slot < origins.size(); ++slot) {
        const size_t origin = static_cast<size_t>(origins[slot]);
        if (origin == slot)
            continue;
        const ElementRecord& place = doc.GetIndex()[slots[slot]];
        result.append(text.substr(copied, static_cast<size_t>(place.start) - copied));
        result.append(ElementText(doc, slots[origin]));
        copied = static_cast<size_t>(place.start) + static_cast<size_t>(place.length);
    }
    result.append(text.substr(copied));
    return result;
}

std::u16string RefilledText(const CXmlDoc& doc, std::span<const int> slots,
                            std::span<const std::u16string_view> texts) {
    const std::u16string_view text = doc.GetDoc();
    std::u16string result;
    result.reserve(text.size());
    size_t copied = 0;
    for (size_t slot = 0; slot < slots.size() && slot < texts.size(); ++slot) {
        const ElementRecord& place = doc.GetIndex()[slots[slot]];
        const size_t start = static_cast<size_t>(place.start);
        const size_t length = static_cast<size_t>(place.length);
        if (texts[slot] == text.substr(start, length))
            continue;
        result.append(text.substr(copied, start - copied));
        result.append(texts[slot]);
        copied = start + length;
    }
    result.append(text.substr(copied));
    return result;
}

}  // namespace vesko
