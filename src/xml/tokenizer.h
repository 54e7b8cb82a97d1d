#pragma once
// The tokenizer and the attribute scanner: the two ways the engine reads markup.

#include <string>
#include <string_view>

namespace vesko {

enum NodeKind : int {
    kNodeEndTag = 0,
    kNodeElement = 1,
    kNodeText = 2,
    kNodeWhitespace = 4,
    kNodeCdata = 8,
    kNodeProcessingInstruction = 16,
    kNodeComment = 32,
    kNodeDoctype = 64,
    kNodeError = -1,
    kNodeEnd = -2,
};

struct XmlNode {
    int kind = kNodeEnd;
    int start = 0;
    int length = 0;
    int nameStart = 0;  // name token of a tag or processing instruction
    int nameEnd = 0;
    bool emptyElement = false;  // start tag closed by "/>"
};

// Classifies the node that begins at `offset`. Error entries go to `report` when given.
int ScanNextNode(std::u16string_view text, int offset, XmlNode& node, std::u16string* report);

// True when `name` (a tag or attribute name) matches the start of `wanted`, which may go
// on after it only with ' ', '/', '=', '[' or ']'.
bool NameMatches(std::u16string_view name, std::u16string_view wanted, bool ignoreCase);
// True when `wanted` holds none of the characters that may follow a matching name:
// without ignoring case, NameMatches is then plain equality.
bool IsPlainName(std::u16string_view wanted);

// Where an attribute of a start tag stands.
struct AttributeSpan {
    bool found = false;
    bool hasValue = false;  // written as name=value (not as a bare name)
    int valueStart = 0;     // raw value, quotes excluded
    int valueLength = 0;
    int replaceStart = 0;  // value with its quotes (or the bare value), to be replaced
    int replaceLength = 0;
    int insertAt = 0;  // where a new attribute goes: after the last token of the tag
};

// Scans the start tag whose '<' is at `tagStart` for attribute `name`.
AttributeSpan ScanAttribute(std::u16string_view text, int tagStart, std::u16string_view name,
                            bool ignoreCase);

}  // namespace vesko
