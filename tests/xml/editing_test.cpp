// Editing in place: the exact text each edit leaves and where the positions go.

#include <gtest/gtest.h>

#include "xml/xml_doc.h"

namespace vesko {
namespace {

// Makes the first element named `name` (searched depth first) the current element.
bool GoTo(CXmlDoc& doc, std::u16string_view name) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
    if (!doc.FindElement()) {
        return false;
    }
    for (;;) {
        std::u16string tag =
            doc.GetDoc().substr(doc.GetIndex()[doc.GetCurrentPos()].start + 1, name.size() + 1);
        if (tag.substr(0, name.size()) == name &&
            (tag.size() == name.size() || tag.back() == u'/' || tag.back() == u'>' ||
             tag.back() == u' ')) {
            return true;
        }
        if (doc.FindChildElement()) {
            doc.IntoElement();
            continue;
        }
        while (!doc.FindElement()) {
            if (!doc.OutOfElement()) {
                return false;
            }
        }
    }
}

TEST(Editing, SetAttributeForms) {
    CXmlDoc doc;
    doc.SetDoc(u"<r><a/><b /><c k='old' j=bare flag>t</c></r>");
    ASSERT_TRUE(GoTo(doc, u"a"));
    EXPECT_TRUE(doc.SetAttribute(u"x", u"1"));
    ASSERT_TRUE(GoTo(doc, u"b"));
    EXPECT_TRUE(doc.SetAttribute(u"x", -12));
    ASSERT_TRUE(GoTo(doc, u"c"));
    EXPECT_TRUE(doc.SetAttribute(u"k", u"new"));
    EXPECT_TRUE(doc.SetAttribute(u"j", u""));
    EXPECT_TRUE(doc.SetAttribute(u"flag", u"on"));
    EXPECT_TRUE(doc.SetAttribute(u"q", u"<\"it's\"&>"));
    EXPECT_EQ(doc.GetDoc(),
              u"<r><a x=\"1\"/><b x=\"-12\" /><c k=\"new\" j=\"\" flag=\"on\" "
              u"q=\"&lt;&quot;it&apos;s&quot;&amp;&gt;\">t</c></r>");
    EXPECT_EQ(doc.GetAttribute(u"q"), u"<\"it's\"&>");
    EXPECT_EQ(doc.GetAttribute(u"flag"), u"on");
    EXPECT_TRUE(doc.IsWellFormed());

    // A start tag with a stray quote still takes the new attribute inside itself.
    doc.SetDoc(u"<r \"x><y/></r>");
    ASSERT_TRUE(doc.FindElement());
    EXPECT_TRUE(doc.SetAttribute(u"k", u"v"));
    EXPECT_EQ(doc.GetDoc(), u"<r \"x k=\"v\"><y/></r>");
    EXPECT_EQ(doc.GetIndex()[2].start, 12);

    EXPECT_FALSE(doc.SetAttribute(u"", u"v"));
    doc.ResetPosition();
    EXPECT_FALSE(doc.SetAttribute(u"k", u"v"));
}

TEST(Editing, AddElementLayout) {
    CXmlDoc doc;
    doc.SetDoc(u"");
    ASSERT_TRUE(doc.AddElement(u"root"));
    EXPECT_EQ(doc.GetDoc(), u"<root/>\r\n");
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_EQ(doc.GetIndex()[0].firstChild, doc.GetCurrentPos());

    // Two children of an empty-element parent, on their own lines, in order.
    ASSERT_TRUE(doc.AddChildElement(u"a"));
    ASSERT_TRUE(doc.AddChildElement(u"b", u"x<y"));
    EXPECT_EQ(doc.GetDoc(), u"<root>\r\n<a/>\r\n<b>x&lt;y</b>\r\n</root>\r\n");
    // A sibling after the first child goes between the two.
    ASSERT_TRUE(doc.IntoElement());
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindElement(u"a"));
    ASSERT_TRUE(doc.AddElement(u"n"));
    EXPECT_EQ(doc.GetDoc(), u"<root>\r\n<a/>\r\n<n/>\r\n<b>x&lt;y</b>\r\n</root>\r\n");
    EXPECT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute(u"none"), u"");
    EXPECT_TRUE(doc.IsWellFormed());

    // A parent with adjacent tags gets a line break before the child too.
    doc.SetDoc(u"<r><p></p></r>");
    ASSERT_TRUE(GoTo(doc, u"p"));
    ASSERT_TRUE(doc.AddChildElement(u"c"));
    EXPECT_EQ(doc.GetDoc(), u"<r><p>\r\n<c/>\r\n</p></r>");

    EXPECT_FALSE(doc.AddElement(u""));
    doc.ResetPosition();
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
    EXPECT_FALSE(doc.AddChildElement(u"x"));
}

TEST(Editing, OptionalEditFlags) {
    CXmlDoc doc;
    doc.SetDoc(u"<r><a/></r>");
    ASSERT_TRUE(GoTo(doc, u"a"));
    ASSERT_TRUE(doc.AddElement(u"s", {}, kEditSpaceBeforeSlash | kEditNoLineBreak));
    ASSERT_TRUE(doc.AddElement(u"d", u"x]]>y", kEditWrapCdata | kEditNoLineBreak));
    ASSERT_TRUE(doc.AddElement(u"b", {}, kEditInsertBefore | kEditNoLineBreak));
    EXPECT_EQ(doc.GetDoc(), u"<r><a/><s /><b/><d><![CDATA[x]]]]><![CDATA[>y]]></d></r>");
    ASSERT_TRUE(doc.OutOfElement());
    doc.ResetPosition();
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.AddChildElement(u"f", {}, kEditInsertFirst | kEditNoLineBreak));
    EXPECT_EQ(doc.GetDoc().substr(0, 10), u"<r><f/><a/");
    EXPECT_FALSE(doc.AddChildElement(u"u", u"data", kEditUnended));

    // An unended element opens like an empty one when it gets a child.
    doc.SetDoc(u"<r></r>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.AddChildElement(u"u", {}, kEditUnended | kEditNoLineBreak));
    EXPECT_EQ(doc.GetDoc(), u"<r><u></r>");
    ASSERT_TRUE(doc.IntoElement());
    ASSERT_TRUE(doc.AddChildElement(u"c", {}, kEditNoLineBreak));
    EXPECT_EQ(doc.GetDoc(), u"<r><u><c/></u></r>");
    EXPECT_FALSE(doc.GetIndex()[doc.GetCurrentPos()].flags & kRecUnended);

    EXPECT_EQ(CXmlDoc::EscapeText(u"&amp; &#65; &x &;", kEditKeepReferences),
              u"&amp; &#65; &amp;x &amp;;");
    EXPECT_EQ(CXmlDoc::EscapeText(u"'\"<>&"), u"'\"&lt;&gt;&amp;");
}

TEST(Editing, RemoveElement) {
    CXmlDoc doc;
    doc.SetDoc(u"<p>\r\n  <c/>\r\n</p>");
    ASSERT_TRUE(GoTo(doc, u"c"));
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.GetDoc(), u"<p>\r\n  </p>");
    EXPECT_EQ(doc.GetCurrentPos(), 0);
    EXPECT_EQ(doc.GetIndex()[1].firstChild, 0);
    EXPECT_EQ(doc.GetIndex()[1].length, 11);
    EXPECT_FALSE(doc.RemoveElement());

    // A find / test / remove loop visits every element once.
    doc.SetDoc(u"<r>\r\n<x i='1'/>\r\n<y/>\r\n<x i='2'><z/></x>\r\n<x i='3'/>\r\n<y/>\r\n</r>\r\n");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.IntoElement());
    std::u16string seen;
    while (doc.FindElement()) {
        seen += doc.GetAttribute(u"i") + u";";
        if (doc.GetAttribute(u"i") != u"") {
            ASSERT_TRUE(doc.RemoveElement());
        }
    }
    EXPECT_EQ(seen, u"1;;2;3;;");
    EXPECT_EQ(doc.GetDoc(), u"<r>\r\n<y/>\r\n<y/>\r\n</r>\r\n");
    // The removed records keep only their mark.
    EXPECT_EQ(doc.GetIndex()[5].flags, kRecRemoved);

    // Removing the root leaves an empty document that can grow a new one.
    doc.SetDoc(u"<r/>");
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.RemoveElement());
    EXPECT_EQ(doc.GetDoc(), u"");
    EXPECT_FALSE(doc.FindElement());
    ASSERT_TRUE(doc.AddElement(u"n"));
    EXPECT_TRUE(doc.IsWellFormed());
}

}  // namespace
}  // namespace vesko

namespace vesko {
namespace {

// Tag lengths share one 32-bit field; a tag too long for its part must not spill
// into the other part or lose its high bits.
TEST(Editing, TagsLongerThanTheirLengthFields) {
    const std::u16string name(1100, u'n');
    const std::u16string end = u"</" + name + u">";
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(u"<r><" + name + u"><a/>" + end + u"</r>"));
    ASSERT_TRUE(doc.FindElement());
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.IntoElement());
    // A last child goes in front of the end tag, wherever that is.
    ASSERT_TRUE(doc.AddChildElement(u"b", {}, kEditNoLineBreak));
    EXPECT_EQ(doc.GetDoc(), u"<r><" + name + u"><a/><b/>" + end + u"</r>");
    EXPECT_TRUE(doc.SetDoc(std::u16string(doc.GetDoc())));

    // A start tag past the start-tag field still has every attribute read.
    const std::u16string filler(0x400000, u'x');
    ASSERT_TRUE(doc.SetDoc(u"<r a=\"" + filler + u"\" k=\"v\"/>"));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute(u"k"), u"v");
    ASSERT_TRUE(doc.SetAttribute(u"k", u"w"));
    EXPECT_EQ(doc.GetDoc().substr(doc.GetDoc().size() - 9), u"\" k=\"w\"/>");
}

}  // namespace
}  // namespace vesko
