// The walk of a start tag's attributes: every reader and SetAttribute stand on what it
// reports, so the spans and the insert position are checked here to the character,
// across the switches between the quoted step and the token step.

#include "xml/attribute_walk.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace vesko {
namespace {

struct Walked {
    std::u16string name;
    bool hasValue;
    std::u16string value;
    std::u16string replaced;

    bool operator==(const Walked&) const = default;
};

void PrintTo(const Walked& w, std::ostream* os) {
    *os << std::string(w.name.begin(), w.name.end()) << (w.hasValue ? "=" : "") << "["
        << std::string(w.value.begin(), w.value.end()) << "]["
        << std::string(w.replaced.begin(), w.replaced.end()) << "]";
}

struct Walk {
    std::vector<Walked> attributes;
    int insertAt = 0;
};

// Walks the tag at the start of `text`, stopping at the attribute named `stopAt`.
Walk WalkTag(std::u16string_view text, std::u16string_view stopAt = {}) {
    Walk walk;
    walk.insertAt = WalkAttributes(text, 0, [&](const WalkedAttribute& a) {
        walk.attributes.push_back({std::u16string(a.name), a.hasValue,
                                   std::u16string(text.substr(a.valueStart, a.valueLength)),
                                   std::u16string(text.substr(a.replaceStart, a.replaceLength))});
        return a.name != stopAt;
    });
    return walk;
}

TEST(AttributeWalk, EveryFormWithItsSpans) {
    // Quoted, bare, unquoted, spaced, a stray '=', a '>' inside quotes, the other
    // quote inside a value and an empty unquoted value, in one tag.
    const std::u16string tag = u"<e a=\"1\" b c=2 d = '4' = e=\"x>y\" f='u\"v' g=>";
    const Walk walk = WalkTag(tag);
    const std::vector<Walked> expected{{u"a", true, u"1", u"\"1\""},
                                       {u"b", false, u"b", u""},
                                       {u"c", true, u"2", u"2"},
                                       {u"d", true, u"4", u"'4'"},
                                       {u"e", true, u"x>y", u"\"x>y\""},
                                       {u"f", true, u"u\"v", u"'u\"v'"},
                                       {u"g", true, u"", u""}};
    EXPECT_EQ(walk.attributes, expected);
    // After "g=": the empty value takes no room.
    EXPECT_EQ(walk.insertAt, static_cast<int>(tag.size()) - 1);

    // A bare name's value is the name itself, replaced by adding right after it.
    const std::u16string bare = u"<e flag/>";
    const Walk bareWalk = WalkTag(bare);
    ASSERT_EQ(bareWalk.attributes.size(), 1u);
    EXPECT_EQ(bareWalk.attributes[0], (Walked{u"flag", false, u"flag", u""}));
    EXPECT_EQ(bareWalk.insertAt, 7);
}

TEST(AttributeWalk, StopsEndsAndOddTags) {
    const std::u16string tag = u"<e a=\"1\" b c='3' d=\"4\"/>";
    // Stopping at an attribute with a value: a new one would go right after its '='.
    Walk walk = WalkTag(tag, u"c");
    EXPECT_EQ(walk.attributes.size(), 3u);
    EXPECT_EQ(walk.insertAt, static_cast<int>(tag.find(u"c=")) + 2);
    // Stopping at a bare name: after the name.
    walk = WalkTag(tag, u"b");
    EXPECT_EQ(walk.attributes.size(), 2u);
    EXPECT_EQ(walk.insertAt, static_cast<int>(tag.find(u" b")) + 2);
    // Walked through: after the last value, before "/>".
    walk = WalkTag(tag);
    EXPECT_EQ(walk.attributes.size(), 4u);
    EXPECT_EQ(walk.insertAt, static_cast<int>(tag.size()) - 2);

    // A quote that never closes runs to the end of the text.
    const std::u16string open = u"<e a='1' b=\"open";
    walk = WalkTag(open);
    ASSERT_EQ(walk.attributes.size(), 2u);
    EXPECT_EQ(walk.attributes[1], (Walked{u"b", true, u"open", u"\"open"}));
    EXPECT_EQ(walk.insertAt, static_cast<int>(open.size()));

    // A processing instruction walks like a start tag.
    const std::u16string declaration = u"<?xml version=\"1.0\" encoding='UTF-8'?>";
    walk = WalkTag(declaration);
    ASSERT_EQ(walk.attributes.size(), 2u);
    EXPECT_EQ(walk.attributes[1].value, u"UTF-8");
    EXPECT_EQ(walk.insertAt, static_cast<int>(declaration.size()) - 2);

    // No attributes: after the tag name; no tag name: where the name would be.
    EXPECT_EQ(WalkTag(u"<prog/>").insertAt, 5);
    EXPECT_EQ(WalkTag(u"< >").insertAt, 2);
    // A tag start outside the text: nothing walked, insert at the end.
    int visits = 0;
    EXPECT_EQ(WalkAttributes(u"<e a='1'/>", 10,
                             [&](const WalkedAttribute&) {
                                 ++visits;
                                 return true;
                             }),
              10);
    EXPECT_EQ(visits, 0);
}

}  // namespace
}  // namespace vesko
