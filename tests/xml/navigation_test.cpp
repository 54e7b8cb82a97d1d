// Navigation by the three positions, attribute reading and reference decoding.

#include <gtest/gtest.h>

#include "xml/xml_doc.h"

namespace vesko {
namespace {

constexpr char16_t kFavourites[] =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    u"<favorite>\r\n"
    u"<fav name=\"News\" id='1'>\r\n<item key=\"10\"/>\r\n<item key=\"11\"/>\r\n</fav>\r\n"
    u"<other/>\r\n"
    u"<fav name=\"Sport\" id=\"2\" locked/>\r\n"
    u"</favorite>\r\n";

TEST(Navigation, PageWalkVisitsRecordsAndChildren) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(kFavourites));
    std::u16string names;
    std::u16string keys;
    while (doc.FindChildElement(u"fav")) {
        ASSERT_TRUE(doc.IntoElement());
        names += doc.GetAttribute(u"name") + u";";
        while (doc.FindChildElement(u"item")) {
            doc.IntoElement();
            keys += doc.GetAttribute(u"key") + u";";
            doc.OutOfElement();
        }
        ASSERT_TRUE(doc.OutOfElement());
    }
    EXPECT_EQ(names, u"News;Sport;");
    EXPECT_EQ(keys, u"10;11;");

    // A second pass over the same level after ResetPosition.
    doc.ResetPosition();
    EXPECT_EQ(doc.GetCurrentPos(), 0);
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetCurrentPos(), 1);
    ASSERT_TRUE(doc.FindChildElement(u"other"));
    EXPECT_FALSE(doc.FindChildElement(u"other"));
    // The root has no sibling, and at the top level there is no way out.
    EXPECT_FALSE(doc.FindElement());
    EXPECT_EQ(doc.GetCurrentPos(), 1);
    EXPECT_FALSE(doc.OutOfElement());
    EXPECT_EQ(doc.GetCurrentPos(), 1);
    EXPECT_EQ(doc.GetParentPos(), 0);
}

TEST(Navigation, WantedNames) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(kFavourites));
    EXPECT_TRUE(doc.FindChildElement(u"fav[2]"));
    doc.ResetPosition();
    EXPECT_TRUE(doc.FindChildElement(u"fav/item"));
    doc.ResetPosition();
    EXPECT_FALSE(doc.FindChildElement(u"fav more"));
    doc.ResetPosition();
    EXPECT_FALSE(doc.FindChildElement(u"/favorite"));
    doc.ResetPosition();
    EXPECT_FALSE(doc.FindChildElement(u"fa"));
    doc.ResetPosition();
    EXPECT_FALSE(doc.FindChildElement(u"FAV"));
    doc.SetDocFlags(kDocIgnoreCase);
    EXPECT_TRUE(doc.FindChildElement(u"FAV"));
    doc.IntoElement();
    EXPECT_EQ(doc.GetAttribute(u"NAME"), u"News");

    CXmlDoc empty;
    EXPECT_FALSE(empty.FindElement());
    EXPECT_FALSE(empty.FindChildElement(u"x"));
    EXPECT_EQ(empty.GetAttribute(u"x"), u"");
    empty.SetDoc(u"");
    EXPECT_FALSE(empty.FindElement());
}

TEST(Navigation, AttributeForms) {
    CXmlDoc doc;
    ASSERT_TRUE(
        doc.SetDoc(u"<r a = 'one' b=two c=\"x>y\" flag d=\"&lt;&amp;lt;\" e=\"\" name2=\"no\" "
                   u"name=\"yes\"/>"));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute(u"a"), u"one");
    EXPECT_EQ(doc.GetAttribute(u"b"), u"two");
    EXPECT_EQ(doc.GetAttribute(u"c"), u"x>y");
    EXPECT_EQ(doc.GetAttribute(u"flag"), u"flag");
    EXPECT_EQ(doc.GetAttribute(u"d"), u"<&lt;");
    EXPECT_EQ(doc.GetAttribute(u"e"), u"");
    EXPECT_EQ(doc.GetAttribute(u"name"), u"yes");
    EXPECT_EQ(doc.GetAttribute(u"missing"), u"");
    EXPECT_EQ(doc.GetAttribute(u""), u"");
    // An attribute of a child is not one of its parent.
    ASSERT_TRUE(doc.SetDoc(u"<r a=\"1\"><x b='2'/></r>"));
    ASSERT_TRUE(doc.FindElement());
    EXPECT_EQ(doc.GetAttribute(u"b"), u"");
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.IntoElement());
    EXPECT_EQ(doc.GetAttribute(u"b"), u"2");
}

TEST(Navigation, StreamModesRefuse) {
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(kFavourites));
    ASSERT_TRUE(doc.FindElement());
    doc.SetDocFlags(kDocReadFile);
    EXPECT_FALSE(doc.FindChildElement());
    EXPECT_FALSE(doc.IntoElement());
    EXPECT_EQ(doc.GetAttribute(u"name"), u"");
    EXPECT_FALSE(doc.SetDoc(u"<a/>"));
    EXPECT_FALSE(doc.SetAttribute(u"a", u"b"));
    EXPECT_FALSE(doc.AddElement(u"a"));
    EXPECT_FALSE(doc.RemoveElement());
    EXPECT_EQ(doc.GetDoc(), kFavourites);
    doc.SetDocFlags(kDocWriteFile);
    EXPECT_TRUE(doc.IsWellFormed());
    EXPECT_FALSE(doc.FindChildElement());
}

TEST(Entities, DecodeReferences) {
    const auto decode = [](std::u16string_view s) { return CXmlDoc::DecodeEntities(s); };
    EXPECT_EQ(decode(u"&amp;lt;"), u"&lt;");
    EXPECT_EQ(decode(u"&AMP;"), u"&");
    EXPECT_EQ(decode(u"&#65;&#x41;&#X41;"), u"AAA");
    EXPECT_EQ(decode(u"&#0;&#;&#x;"), u"&#0;&#;&#x;");
    EXPECT_EQ(decode(u"&nosuch; &abcdefghij; &amp"), u"&nosuch; &abcdefghij; &amp");
    EXPECT_EQ(decode(u"&#x1F600;"), u"\xD83D\xDE00");
    EXPECT_EQ(decode(u"&#x110000;&#12a;"), u"&#x110000;&#12a;");
    EXPECT_EQ(decode(u"&\u00e9;&;"), u"&\u00e9;&;");
    EXPECT_EQ(decode(u"&euro;&nbsp;&apos;"), u"\u20ac\u00a0'");
    // Case twins keep their own characters.
    EXPECT_EQ(decode(u"&Oslash;&oslash;"), u"\u00d8\u00f8");

    EXPECT_EQ(CXmlDoc::DecodeEntities(u" \t a  b \r\n", 0), u" \t a  b \r\n");
    EXPECT_EQ(CXmlDoc::DecodeEntities(u" \t a  b \r\n", kDocTrimWhitespace), u"a  b");
    EXPECT_EQ(CXmlDoc::DecodeEntities(u" \t a \t b \r\n", kDocCollapseWhitespace), u"a b");
    EXPECT_EQ(CXmlDoc::DecodeEntities(u"  &#32; x ", kDocTrimWhitespace), u"  x");
}

}  // namespace
}  // namespace vesko
