#pragma once
// ElementSplicer: many edits of one document's text gathered into a single rebuild.
//
// Every edit of CXmlDoc splices the whole text and walks the elements that follow,
// which is fine for one change but not for a thousand on a file of ten thousand
// services. The splicer keeps the text as a chain of pieces (the original text cut at
// the elements that take part, plus new markup) and applies removals, insertions and
// start-tag replacements to the chain with exactly the white-space rules of the
// engine's RemoveElement and AddElement, in the order they are asked for. Build()
// then gives the text that the same edits made one by one would have left.

#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesko {

class CXmlDoc;

class ElementSplicer {
public:
    explicit ElementSplicer(std::u16string_view text);

    // Marks the element that spans [start, start + length) of the original text as
    // a piece of its own and returns its id. Elements must not overlap; they may be
    // added in any order, but all before the first edit.
    int AddElement(int start, int length);
    // The same for an element of `doc` given by its record number.
    int AddRecord(const CXmlDoc& doc, int record);

    // Replaces an element's text (a start tag rewritten in place).
    void Replace(int id, std::u16string text);
    // Takes an element out, with the white space after it when a '<' or the end of
    // the text follows that white space.
    void Remove(int id);
    // Adds new element markup after a live element the way AddElement does for a
    // sibling: directly before the next '<' when only white space lies between,
    // otherwise right after the anchor; a line break follows the markup. Returns the
    // id of the new element.
    int InsertAfter(int anchorId, std::u16string markup);

    bool IsLive(int id) const { return m_pieces[id].live; }
    // The first live element in text order, -1 when there is none.
    int FirstLiveElement();
    // True when no edit was made.
    bool Unchanged() const { return !m_edited; }

    // The whole text with every edit applied.
    std::u16string Build() const;

private:
    struct Piece {
        std::u16string_view text;  // what is left of the piece (gaps lose leading space)
        bool element = false;
        bool live = true;
        int prev = -1;
        int next = -1;
    };

    void LinkAll();
    int NewPiece(std::u16string_view text, bool element);
    void LinkAfter(int id, int after);
    void Unlink(int id);
    void SplitGap(int id, size_t at);

    std::u16string_view m_original;
    std::vector<Piece> m_pieces;
    std::vector<int> m_elementOrder;     // ids of the marked elements, before linking
    std::vector<int> m_starts;           // their offsets in the original text
    std::deque<std::u16string> m_owned;  // texts of new and replaced markup
    int m_head = -1;
    bool m_linked = false;
    bool m_edited = false;
};

// The text of an element after setting attributes on it, made by the engine itself on
// a copy of the element alone, so that quoting and escaping are exactly the engine's.
std::u16string WithAttributes(
    std::u16string_view elementText,
    const std::vector<std::pair<std::u16string_view, std::u16string_view>>& attributes);

// The text of one whole element of a document (by record number).
std::u16string_view ElementText(const CXmlDoc& doc, int record);

// The text of `doc` with its elements put into a new order: `slots` are record numbers
// of elements in text order (none inside another), and slot k receives the whole text
// of element slots[origins[k]]. An element moves with every byte it has; the text
// between the elements stays where it is, and a slot that keeps its own element is
// not touched.
std::u16string RearrangedText(const CXmlDoc& doc, std::span<const int> slots,
                              std::span<const int> origins);

// The same with any text per slot: slot k receives texts[k] (the element text of another
// slot, or an element rewritten). A slot whose text is what it holds already is copied
// as it stands.
std::u16string RefilledText(const CXmlDoc& doc, std::span<const int> slots,
                            std::span<const std::u16string_view> texts);

}  // namespace vesko
