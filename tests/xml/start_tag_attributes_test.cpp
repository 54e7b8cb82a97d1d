// The one-pass attribute reader must read every tag exactly as CXmlDoc::GetAttribute
// does, however the tag is written.

#include "xml/start_tag_attributes.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "xml/xml_doc.h"

namespace vesko {
namespace {

std::u16string U16(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string RandomTag(std::mt19937& random) {
    static const char* const kNames[] = {"a", "ab", "name", "name2", "sat_key", "x.y", "a\"b"};
    static const char* const kValues[] = {
        "\"v\"", "'w'",  "\"it's\"", "'say \"hi\"'", "\"&amp;&lt;&#65;\"",
        "bare",  "\"\"", "u/v",      "\"unclosed"};
    static const char* const kSpaces[] = {" ", "  ", "\t", "\r\n", ""};
    std::string tag = "<e";
    const int count = static_cast<int>(random() % 6);
    for (int k = 0; k < count; ++k) {
        tag += k == 0 || random() % 4 ? " " : kSpaces[random() % std::size(kSpaces)];
        tag += kNames[random() % std::size(kNames)];
        switch (random() % 8) {
            case 0:
                break;  // a bare name
            case 1:
                tag += std::string(" = ") + kValues[random() % std::size(kValues)];
                break;
            default:
                tag += std::string("=") + kValues[random() % std::size(kValues)];
                break;
        }
    }
    const char* const kEnds[] = {"/>", ">", " />", " >"};
    const std::string end = kEnds[random() % std::size(kEnds)];
    return tag + end + (end.find('/') == std::string::npos ? "</e>" : "");
}

TEST(StartTagAttributes, ReadsEveryTagAsGetAttributeDoes) {
    const std::array<std::u16string_view, 6> names{u"a",     u"ab",      u"name",
                                                   u"name2", u"sat_key", u"x.y"};
    int checked = 0;
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        std::mt19937 random(seed);
        const std::string tag = RandomTag(random);
        CXmlDoc doc;
        doc.SetDoc(U16("<r>" + tag + "</r>"));
        // A quote that never closes swallows the rest: no element to compare.
        if (!doc.FindChildElement() || !doc.IntoElement())
            continue;
        ++checked;
        const StartTagAttributes attributes(doc);
        std::array<std::u16string, names.size()> all;
        attributes.GetAll(names, all);
        for (size_t k = 0; k < names.size(); ++k) {
            const std::u16string expected = doc.GetAttribute(names[k]);
            EXPECT_EQ(attributes.Get(names[k]), expected) << tag;
            EXPECT_EQ(all[k], expected) << tag;
            EXPECT_EQ(AttributeOf(doc, doc.GetCurrentPos(), names[k]), expected) << tag;
        }
    }
    EXPECT_GT(checked, 2000);
}

// Past the attributes kept without an allocation, every attribute still counts.
TEST(StartTagAttributes, TagsWithManyAttributes) {
    constexpr int kCount = 70;
    std::string tag = "<e";
    std::vector<std::u16string> names;
    for (int k = 0; k < kCount; ++k) {
        tag += " a" + std::to_string(k) + "=\"v" + std::to_string(k) + "\"";
        names.push_back(U16("a" + std::to_string(k)));
    }
    CXmlDoc doc;
    ASSERT_TRUE(doc.SetDoc(U16("<r>" + tag + "/></r>")));
    ASSERT_TRUE(doc.FindChildElement());
    ASSERT_TRUE(doc.IntoElement());
    const std::vector<std::u16string_view> views(names.begin(), names.end());
    std::vector<std::u16string> one(names.size());
    std::vector<std::u16string> all(names.size());
    StartTagAttributes(doc).GetAll(views, one);
    ReadAttributes(doc, doc.GetCurrentPos(), AttributeNames(views), all);
    for (int k = 0; k < kCount; ++k) {
        const std::u16string expected = U16("v" + std::to_string(k));
        ASSERT_EQ(doc.GetAttribute(names[k]), expected);
        EXPECT_EQ(one[k], expected) << k;
        EXPECT_EQ(all[k], expected) << k;
    }
}

}  // namespace
}  // namespace vesko
