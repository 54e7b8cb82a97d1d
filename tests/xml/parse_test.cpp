// Parsing: the index built from a text, the well-formedness verdict and the report.

#include <gtest/gtest.h>

#include <string>

#include "xml/tokenizer.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

const ElementRecord& Rec(const CXmlDoc& doc, int n) {
    return doc.GetIndex()[n];
}

std::u16string ElementText(const CXmlDoc& doc, int n) {
    return doc.GetDoc().substr(Rec(doc, n).start, Rec(doc, n).length);
}

bool ReportHas(const CXmlDoc& doc, std::u16string_view entry) {
    return doc.GetResult().find(entry) != std::u16string::npos;
}

TEST(Parse, WellFormedDocumentIsIndexedInOrder) {
    CXmlDoc doc;
    const std::u16string text =
        u"<?xml version=\"1.0\"?>\r\n<!-- c --><r a=\"1\">\r\n<x><y/></x>\r\n<z "
        u"k='>'>t</z></r>\r\n";
    ASSERT_TRUE(doc.SetDoc(text));
    EXPECT_EQ(doc.GetResult(), u"");
    EXPECT_EQ(doc.GetNextFree(), 5);
    EXPECT_EQ(Rec(doc, 0).firstChild, 1);
    EXPECT_EQ(Rec(doc, 0).length, static_cast<int>(text.size()));
    EXPECT_EQ(ElementText(doc, 1).substr(0, 9), u"<r a=\"1\">");
    EXPECT_EQ(Rec(doc, 1).StartTagLength(), 9);
    EXPECT_EQ(Rec(doc, 1).EndTagLength(), 4);
    EXPECT_EQ(ElementText(doc, 2), u"<x><y/></x>");
    EXPECT_EQ(ElementText(doc, 3), u"<y/>");
    EXPECT_EQ(Rec(doc, 3).EndTagLength(), 0);
    EXPECT_EQ(Rec(doc, 3).Level(), 2);
    // The quoted '>' does not end the start tag.
    EXPECT_EQ(ElementText(doc, 4), u"<z k='>'>t</z>");
    EXPECT_EQ(Rec(doc, 4).StartTagLength(), 9);
    // Links: first child's prev holds the last sibling.
    EXPECT_EQ(Rec(doc, 1).firstChild, 2);
    EXPECT_EQ(Rec(doc, 2).next, 4);
    EXPECT_EQ(Rec(doc, 2).prev, 4);
    EXPECT_EQ(Rec(doc, 4).prev, 2);
    EXPECT_TRUE(Rec(doc, 2).flags & kRecFirstChild);
    EXPECT_FALSE(Rec(doc, 4).flags & kRecFirstChild);
    EXPECT_EQ(Rec(doc, 3).parent, 2);
}

TEST(Parse, EmptyAndRootlessTexts) {
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetDoc(u""));
    EXPECT_EQ(doc.GetResult(), u"");
    EXPECT_EQ(doc.GetNextFree(), 1);
    EXPECT_FALSE(doc.SetDoc(static_cast<const char16_t*>(nullptr)));
    EXPECT_EQ(doc.GetResult(), u"");
    EXPECT_FALSE(doc.SetDoc(u"just text"));
    EXPECT_EQ(doc.GetResult(), u"<no_root_element/>");
    EXPECT_FALSE(doc.SetDoc(u"<a/><b/>"));
    EXPECT_EQ(doc.GetResult(), u"<root_has_sibling/>");
}

TEST(Parse, UnendedStartTagIsLiftedOut) {
    CXmlDoc doc;
    const std::u16string text = u"<a><b><c/><d></d></a>";
    EXPECT_FALSE(doc.SetDoc(text));
    EXPECT_EQ(doc.GetResult(), u"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"18\"/>");
    // a: b, c, d as siblings; b only its start tag.
    EXPECT_EQ(ElementText(doc, 1), text);
    EXPECT_EQ(ElementText(doc, 2), u"<b>");
    EXPECT_TRUE(Rec(doc, 2).flags & kRecUnended);
    EXPECT_EQ(Rec(doc, 1).firstChild, 2);
    EXPECT_EQ(Rec(doc, 2).next, 3);
    EXPECT_EQ(Rec(doc, 3).next, 4);
    EXPECT_EQ(Rec(doc, 2).prev, 4);
    EXPECT_EQ(Rec(doc, 3).parent, 1);
    EXPECT_EQ(Rec(doc, 4).parent, 1);
    EXPECT_FALSE(Rec(doc, 3).flags & kRecFirstChild);
    EXPECT_TRUE(Rec(doc, 0).flags & kRecIllFormed);

    // Elements still open at the end of the text are exposed by it, innermost first.
    EXPECT_FALSE(doc.SetDoc(u"<a><b>"));
    EXPECT_EQ(doc.GetResult(),
              u"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"6\"/>"
              u"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"6\"/>"
              u"<root_has_sibling/>");
    EXPECT_EQ(Rec(doc, 0).firstChild, 1);
    EXPECT_EQ(Rec(doc, 1).next, 2);
    EXPECT_EQ(Rec(doc, 2).parent, 0);
}

TEST(Parse, LoneEndTagAndErrorMarks) {
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetDoc(u"<a><x></b></x></a>"));
    EXPECT_EQ(doc.GetResult(), u"<lone_end_tag tagname=\"b\" offset=\"6\"/>");
    EXPECT_EQ(ElementText(doc, 1), u"<a><x></b></x></a>");
    EXPECT_TRUE(Rec(doc, 2).flags & kRecError);
    EXPECT_FALSE(Rec(doc, 1).flags & kRecError);

    // An unended element hands its error mark to the element it is lifted into.
    EXPECT_FALSE(doc.SetDoc(u"<a><x><1></a>"));
    EXPECT_TRUE(Rec(doc, 1).flags & kRecError);
    EXPECT_FALSE(Rec(doc, 2).flags & kRecError);
}

TEST(Parse, MalformedNodesAreReported) {
    struct Case {
        std::u16string text;
        std::u16string entry;
    };
    const Case cases[] = {
        {u"<r><1/></r>", u"<first_tag_syntax offset=\"3\"/>"},
        {u"<r><!x></r>", u"<exclamation_tag_syntax offset=\"3\"/>"},
        {u"<r><!-x></r>", u"<comment_tag_syntax offset=\"3\"/>"},
        {u"<r><![x></r>", u"<cdata_section_syntax offset=\"3\"/>"},
        {u"<!DOCTYPE r [<!-- -->]><r/>", u"<doctype_tag_syntax offset=\"0\"/>"},
        {u"<r>x<", u"<unterminated_tag_syntax type=\"tag\" offset=\"4\"/>"},
        {u"<r><a b='", u"<unterminated_tag_syntax type=\"start_tag\" offset=\"3\"/>"},
        {u"<r></r", u"<unterminated_tag_syntax type=\"end_tag\" offset=\"3\"/>"},
        {u"<r/><!-- ->", u"<unterminated_tag_syntax type=\"comment\" offset=\"4\"/>"},
        {u"<r/><?pi ?", u"<unterminated_tag_syntax type=\"processing_instruction\" offset=\"4\"/>"},
        {u"<r><![CDATA[ ]>", u"<unterminated_tag_syntax type=\"cdata_section\" offset=\"3\"/>"},
        {u"<!DOCTYPE r [<!ENTITY e 'v'>",
         u"<unterminated_tag_syntax type=\"document_type\" offset=\"0\"/>"},
    };
    for (const Case& c : cases) {
        CXmlDoc doc;
        EXPECT_FALSE(doc.SetDoc(c.text)) << std::string(c.text.begin(), c.text.end());
        EXPECT_TRUE(ReportHas(doc, c.entry)) << std::string(c.text.begin(), c.text.end());
    }
    CXmlDoc doc;
    EXPECT_TRUE(doc.SetDoc(u"<!DOCTYPE r [<!ENTITY e 'v'><!ATTLIST r a CDATA #IMPLIED>]><r/>"));
    EXPECT_TRUE(doc.SetDoc(u"<r><![CDATA[<x>]]><!-- <y> --><?p <z>?></r>"));
    EXPECT_EQ(doc.GetNextFree(), 2);
}

TEST(Tokenizer, EmptyElementAndUnquotedValues) {
    XmlNode node;
    const auto empty = [&](std::u16string_view t) {
        EXPECT_EQ(ScanNextNode(t, 0, node, nullptr), kNodeElement);
        EXPECT_EQ(node.length, static_cast<int>(t.size()));
        return node.emptyElement;
    };
    EXPECT_TRUE(empty(u"<a/>"));
    EXPECT_TRUE(empty(u"<a b=\"x\"/>"));
    EXPECT_TRUE(empty(u"<a b= />"));
    EXPECT_FALSE(empty(u"<a href=x/>"));
    EXPECT_FALSE(empty(u"<a b=/>"));
    EXPECT_FALSE(empty(u"<a>"));
    // A '>' ends the tag even inside an unquoted value; a quote not after '=' is no quote.
    ScanNextNode(u"<a b=x>y'>", 0, node, nullptr);
    EXPECT_EQ(node.length, 7);
    ScanNextNode(u"<a 'b>c'>", 0, node, nullptr);
    EXPECT_EQ(node.length, 6);
    EXPECT_EQ(ScanNextNode(u" \r\n\t<", 0, node, nullptr), kNodeWhitespace);
    EXPECT_EQ(node.length, 4);
    EXPECT_EQ(ScanNextNode(u" x <", 0, node, nullptr), kNodeText);
    EXPECT_EQ(ScanNextNode(u"x", 1, node, nullptr), kNodeEnd);
}

TEST(Parse, NamesMatchWithDelimitersAndCaseMode) {
    EXPECT_TRUE(NameMatches(u"prog", u"prog", false));
    EXPECT_TRUE(NameMatches(u"prog", u"prog[2]", false));
    EXPECT_TRUE(NameMatches(u"prog", u"prog/x", false));
    EXPECT_FALSE(NameMatches(u"prog", u"progs", false));
    EXPECT_FALSE(NameMatches(u"progs", u"prog", false));
    EXPECT_FALSE(NameMatches(u"Prog", u"prog", false));
    EXPECT_TRUE(NameMatches(u"Prog", u"pROG", true));
    // Folding stops at the first equal pair of non-ASCII characters.
    EXPECT_TRUE(NameMatches(u"A\u00e9B", u"a\u00e9B", true));
    EXPECT_FALSE(NameMatches(u"A\u00e9B", u"a\u00e9b", true));

    CXmlDoc doc;
    doc.SetDocFlags(kDocIgnoreCase);
    EXPECT_TRUE(doc.SetDoc(u"<A><b></B></a>"));
    doc.SetDocFlags(0);
    EXPECT_FALSE(doc.SetDoc(u"<A><b></B></a>"));
}

TEST(Parse, IndexSpansChunks) {
    std::u16string text = u"<r>";
    for (int i = 0; i < 70000; ++i) {
        text += u"<e/>";
    }
    text += u"</r>";
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(text));
    EXPECT_EQ(doc.GetNextFree(), 70002);
    EXPECT_GE(doc.GetIndex().Size(), 70002);
    const ElementRecord& r = Rec(doc, 65536);
    EXPECT_EQ(r.start, 3 + (65536 - 2) * 4);
    EXPECT_EQ(Rec(doc, 65535).next, 65536);
    EXPECT_EQ(Rec(doc, 2).prev, 70001);

    CXmlDoc copy(doc);
    EXPECT_EQ(copy.GetIndex()[70001].start, Rec(doc, 70001).start);
    CXmlDoc small;
    small = doc;
    EXPECT_TRUE(small.FindChildElement(u"e"));
}

TEST(ElementIndex, GrowthStaysWithinTheNextChunk) {
    ElementIndex index;
    index.Grow(1, 8);
    EXPECT_EQ(index.Size(), 8);
    index[7].start = 42;
    index.Grow(8);
    EXPECT_EQ(index.Size(), 12);
    EXPECT_EQ(index[7].start, 42);
    // From a partial first chunk, one step reaches at most the end of the second.
    index.Grow(1, 500000);
    EXPECT_EQ(index.Size(), 131072);
    index[65535].start = 7;
    index[131071].start = 9;
    index.Grow(131072);
    EXPECT_EQ(index.Size(), 196608);
    EXPECT_EQ(index[65535].start, 7);
    EXPECT_EQ(index[131071].start, 9);
    EXPECT_EQ(index[196607].start, 0);
}

TEST(Parse, ReportStopsGrowingPastItsCap) {
    std::u16string text = u"<r>";
    for (int i = 0; i < 500; ++i) {
        text += u"</nosuch>";
    }
    text += u"</r>";
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetDoc(text));
    const size_t size = doc.GetResult().size();
    EXPECT_GT(size, 999u);
    EXPECT_LT(size, 999u + 60u);
    EXPECT_EQ(doc.GetResult().substr(size - 2), u"/>");
}

TEST(Parse, PathologicalNestingStaysLinear) {
    constexpr int kDepth = 100000;
    std::u16string text;
    for (int i = 0; i < kDepth; ++i) {
        text += u"<m><u>";
    }
    for (int i = 0; i < kDepth; ++i) {
        text += u"</m>";
    }
    CXmlDoc doc;
    EXPECT_FALSE(doc.SetDoc(text));
    // Every u is unended and every m ends up directly under the previous m.
    EXPECT_EQ(doc.GetIndex()[3].parent, 1);
    EXPECT_EQ(doc.GetIndex()[2].next, 3);
    EXPECT_EQ(doc.GetIndex()[1].length, static_cast<int>(text.size()));

    // A deep well-formed chain can be edited at its bottom.
    text.clear();
    for (int i = 0; i < kDepth; ++i) {
        text += u"<d>";
    }
    for (int i = 0; i < kDepth; ++i) {
        text += u"</d>";
    }
    ASSERT_TRUE(doc.SetDoc(text));
    while (doc.FindChildElement()) {
        doc.IntoElement();
    }
    EXPECT_TRUE(doc.AddChildElement(u"leaf", {}, kEditNoLineBreak));
    EXPECT_EQ(doc.GetIndex()[1].length, static_cast<int>(text.size()) + 7);
}

TEST(Parse, CopiesAreIndependentAndRefusedInStreamMode) {
    CXmlDoc doc;
    doc.SetDoc(u"<r><a/></r>");
    CXmlDoc copy(doc);
    ASSERT_TRUE(copy.FindChildElement(u"a"));
    ASSERT_TRUE(copy.IntoElement());
    ASSERT_TRUE(copy.SetAttribute(u"k", u"v"));
    EXPECT_EQ(doc.GetDoc(), u"<r><a/></r>");
    EXPECT_EQ(doc.GetIndex()[1].length, 11);

    CXmlDoc streaming;
    streaming.SetDocFlags(kDocReadFile);
    streaming = copy;
    EXPECT_EQ(streaming.GetDoc(), u"");
    copy = doc;
    EXPECT_EQ(copy.GetDoc(), doc.GetDoc());
    EXPECT_EQ(copy.GetCurrentPos(), 0);
}

}  // namespace
}  // namespace vesko
