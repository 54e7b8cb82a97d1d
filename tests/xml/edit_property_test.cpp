// After any sequence of edits the incrementally corrected index must equal the index
// of a fresh parse of the resulting text.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "xml/xml_doc.h"

namespace vesko {
namespace {

class RandomDocuments {
public:
    explicit RandomDocuments(unsigned seed) : m_rng(seed) {}

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool Chance(int percent) { return Pick(100) < percent; }

    std::u16string Name() {
        static const char16_t* const kNames[] = {u"a", u"b", u"prog", u"fav", u"x:y", u"a1"};
        return kNames[Pick(6)];
    }

    std::u16string Value() {
        static const char16_t* const kValues[] = {u"",     u"1",     u"News 24",      u"<&>",
                                                  u"\"q'", u"&amp;", u"\u00e9\u20ac", u"]]>"};
        return kValues[Pick(8)];
    }

    std::u16string Space() {
        static const char16_t* const kSpaces[] = {u"", u"", u"\r\n", u"\n  ", u" ", u"\t"};
        return kSpaces[Pick(6)];
    }

    std::u16string Attributes() {
        std::u16string out;
        const int count = Pick(4);
        for (int i = 0; i < count; ++i) {
            out += u" ";
            out += Name();
            switch (Pick(5)) {
                case 0:
                    out += u"=\"v&amp;" + std::u16string(1, u'0' + i) + u"\"";
                    break;
                case 1:
                    out += u" = 'x>y'";
                    break;
                case 2:
                    out += u"=bare ";
                    break;
                case 3:
                    break;  // written without a value
                default:
                    out += u"=\"\"";
                    break;
            }
        }
        return out;
    }

    std::u16string Element(int depth) {
        const std::u16string name = Name();
        std::u16string out = u"<" + name + Attributes();
        if (depth > 3 || Chance(30)) {
            return out + (Chance(50) ? u"/>" : u" />");
        }
        out += u">";
        const int children = Pick(5);
        for (int i = 0; i < children; ++i) {
            out += Space();
            switch (Pick(8)) {
                case 0:
                    out += u"text &lt; more";
                    break;
                case 1:
                    out += u"<!-- <c> -->";
                    break;
                case 2:
                    out += u"<![CDATA[<z/>]]>";
                    break;
                default:
                    out += Element(depth + 1);
            }
        }
        return out + Space() + u"</" + name + u">";
    }

    std::u16string Document() {
        std::u16string out = Chance(50) ? u"<?xml version=\"1.0\"?>\r\n" : u"";
        return out + Element(0) + Space();
    }

private:
    std::mt19937 m_rng;
};

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (const char16_t c : s) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

// Walks both trees side by side and compares every record.
void ExpectSameIndex(const CXmlDoc& edited, const CXmlDoc& fresh, const std::string& context) {
    const ElementIndex& a = edited.GetIndex();
    const ElementIndex& b = fresh.GetIndex();
    ASSERT_EQ(a[0].length, b[0].length) << context;
    constexpr uint32_t kCompared = 0xFFFF | kRecFirstChild | kRecUnended | kRecRemoved;
    struct Pair {
        int a, b;
    };
    std::vector<Pair> work{{0, 0}};
    while (!work.empty()) {
        const Pair p = work.back();
        work.pop_back();
        int ca = a[p.a].firstChild;
        int cb = b[p.b].firstChild;
        int lastA = 0;
        while (ca != 0 && cb != 0) {
            const ElementRecord& ra = a[ca];
            const ElementRecord& rb = b[cb];
            ASSERT_EQ(ra.start, rb.start) << context << " record " << ca;
            ASSERT_EQ(ra.length, rb.length) << context << " record " << ca;
            ASSERT_EQ(ra.tagLengths, rb.tagLengths) << context << " record " << ca;
            ASSERT_EQ(ra.flags & kCompared, rb.flags & kCompared) << context << " record " << ca;
            ASSERT_EQ(ra.parent, p.a) << context << " record " << ca;
            if (lastA != 0) {
                ASSERT_EQ(ra.prev, lastA) << context << " record " << ca;
            }
            work.push_back({ca, cb});
            lastA = ca;
            ca = ra.next;
            cb = rb.next;
        }
        ASSERT_EQ(ca, 0) << context << " extra child under " << p.a;
        ASSERT_EQ(cb, 0) << context << " missing child under " << p.a;
        if (lastA != 0) {
            ASSERT_EQ(a[a[p.a].firstChild].prev, lastA) << context << " last link of " << p.a;
        }
    }
}

// Path of sibling indexes from the document level down to each element.
void CollectPaths(const ElementIndex& index, int n, std::vector<int>& path,
                  std::vector<std::vector<int>>& out) {
    int i = 0;
    for (int c = index[n].firstChild; c != 0; c = index[c].next, ++i) {
        path.push_back(i);
        out.push_back(path);
        CollectPaths(index, c, path, out);
        path.pop_back();
    }
}

// Makes the element at `path` current using only the public navigation.
void Navigate(CXmlDoc& doc, const std::vector<int>& path) {
    while (doc.OutOfElement()) {
    }
    doc.ResetPosition();
    for (size_t level = 0; level < path.size(); ++level) {
        if (level > 0) {
            ASSERT_TRUE(doc.IntoElement());
            doc.ResetPosition();
        }
        for (int i = 0; i <= path[level]; ++i) {
            ASSERT_TRUE(doc.FindElement());
        }
    }
}

TEST(EditProperty, IncrementalIndexEqualsFreshParse) {
    RandomDocuments gen(20261208);
    static const int kAddFlags[] = {0,
                                    0,
                                    0,
                                    kEditNoLineBreak,
                                    kEditSpaceBeforeSlash,
                                    kEditInsertFirst,
                                    kEditInsertBefore,
                                    kEditKeepReferences};
    for (int round = 0; round < 300; ++round) {
        CXmlDoc doc;
        const std::u16string original = gen.Document();
        ASSERT_TRUE(doc.SetDoc(original)) << Narrow(original) << Narrow(doc.GetResult());
        for (int step = 0; step < 25; ++step) {
            std::vector<std::vector<int>> paths;
            std::vector<int> path;
            CollectPaths(doc.GetIndex(), 0, path, paths);
            const int op = gen.Pick(5);
            std::string what = "round " + std::to_string(round) + " step " + std::to_string(step) +
                               " op " + std::to_string(op);
            bool done = false;
            if (paths.empty()) {
                while (doc.OutOfElement()) {
                }
                doc.ResetPosition();
                done = doc.AddElement(gen.Name());
                ASSERT_TRUE(done) << what;
            } else {
                const std::vector<int>& target = paths[gen.Pick(static_cast<int>(paths.size()))];
                Navigate(doc, target);
                if (HasFatalFailure()) {
                    FAIL() << what;
                }
                const int current = doc.GetCurrentPos();
                const std::u16string name = gen.Name();
                const int flags = kAddFlags[gen.Pick(8)];
                std::u16string data = gen.Chance(50) ? gen.Value() : u"";
                switch (op) {
                    case 0: {
                        const std::u16string value = gen.Value();
                        ASSERT_TRUE(doc.SetAttribute(name, value)) << what;
                        ASSERT_EQ(doc.GetAttribute(name), value) << what;
                        break;
                    }
                    case 1:
                        if (gen.Chance(30)) {
                            doc.ResetPosition();  // no anchor: append under the parent
                        }
                        ASSERT_TRUE(doc.AddElement(name, data, flags)) << what;
                        ASSERT_EQ(doc.GetIndex()[doc.GetCurrentPos()].start,
                                  static_cast<int>(doc.GetDoc().find(
                                      u"<" + name, doc.GetIndex()[doc.GetCurrentPos()].start)))
                            << what;
                        break;
                    case 2: {
                        const int skip = gen.Pick(3);
                        for (int i = 0; i < skip; ++i) {
                            doc.FindChildElement();
                        }
                        ASSERT_TRUE(doc.AddChildElement(
                            name, data, flags | (gen.Chance(20) ? kEditWrapCdata : 0)))
                            << what;
                        ASSERT_EQ(doc.GetIndex()[doc.GetChildPos()].parent, current) << what;
                        break;
                    }
                    default: {
                        const ElementRecord& r = doc.GetIndex()[current];
                        const int previous = (r.flags & kRecFirstChild) ? 0 : r.prev;
                        const int next = r.next;
                        ASSERT_TRUE(doc.RemoveElement()) << what;
                        ASSERT_EQ(doc.GetCurrentPos(), previous) << what;
                        ASSERT_EQ(doc.GetIndex()[current].flags, kRecRemoved) << what;
                        // The walk goes on with the element that followed.
                        if (next != 0) {
                            ASSERT_TRUE(doc.FindElement()) << what;
                            ASSERT_EQ(doc.GetCurrentPos(), next) << what;
                        } else {
                            ASSERT_FALSE(doc.FindElement()) << what;
                        }
                        break;
                    }
                }
                done = true;
            }
            CXmlDoc fresh;
            fresh.SetDoc(doc.GetDoc());
            what += "\n" + Narrow(doc.GetDoc());
            ExpectSameIndex(doc, fresh, what);
            if (HasFatalFailure()) {
                return;
            }
            ASSERT_EQ(fresh.GetResult().find(u"syntax"), std::u16string::npos) << what;
            ASSERT_EQ(fresh.GetResult().find(u"unended"), std::u16string::npos) << what;
        }
    }
}

}  // namespace
}  // namespace vesko
