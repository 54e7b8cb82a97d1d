#pragma once
// CXmlDoc: one XML document held as UTF-16 text plus an index of its elements.
// The text is the truth; the index stores only offsets into it and links between
// elements. Reading an attribute scans the start tag; editing splices the text
// and shifts the index, so nothing is ever kept as a tree of node objects.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "xml/element_index.h"

namespace vesko {

// Mode flags of a document (GetDocFlags / SetDocFlags).
enum DocFlags : uint32_t {
    kDocUtf16Le = 0x1,               // file is UTF-16 little-endian (mark found or to be written)
    kDocUtf8Bom = 0x4,               // file starts with a UTF-8 byte-order mark
    kDocIgnoreCase = 0x8,            // tag and attribute names compare ignoring ASCII case
    kDocReadFile = 0x10,             // stream mode for reading: never entered, only refused
    kDocWriteFile = 0x20,            // stream mode for writing: never entered, only refused
    kDocUtf16Be = 0x80,              // UTF-16 is big-endian in the file
    kDocTrimWhitespace = 0x100,      // values read are trimmed
    kDocCollapseWhitespace = 0x200,  // inner white-space runs of values read become one space
    kDocUtf32Le = 0x400,             // file is UTF-32 little-endian
    kDocUtf32Be = 0x800,             // file is UTF-32 big-endian
    kDocNoMark = 0x1000,  // with a UTF-16 or UTF-32 flag: the file has no byte-order mark
};

// The flags that say a file is in a wide (16- or 32-bit) encoding.
constexpr uint32_t kDocWideFlags = kDocUtf16Le | kDocUtf16Be | kDocUtf32Le | kDocUtf32Be;

// Edit flags of AddElement / AddChildElement / SetAttribute / EscapeText.
enum EditFlags : int {
    kEditWrapCdata = 0x1,         // element data written as a CDATA section
    kEditNoLineBreak = 0x2,       // no CR LF after the new element
    kEditSpaceBeforeSlash = 0x4,  // empty element written as "<name />"
    kEditKeepReferences = 0x8,    // an '&' that starts a well-formed reference is kept
    kEditUnended = 0x10,          // start tag only, no end tag
    kEditAttribute = 0x100,       // escaping for an attribute value (quotes too)
    kEditInsertFirst = 0x1000,    // insert as the first child of the parent
    kEditInsertBefore = 0x2000,   // insert before the current element
    kEditChild = 0x4000,          // the new element is a child of the current one
};

class CXmlDoc {
public:
    CXmlDoc();
    CXmlDoc(const CXmlDoc& other);
    CXmlDoc& operator=(const CXmlDoc& other);
    ~CXmlDoc();

    // Replaces the text and parses it; null gives an empty document. Returns IsWellFormed().
    bool SetDoc(const char16_t* text);
    bool SetDoc(std::u16string_view text);
    // True when the document has exactly one root element and no structural error.
    bool IsWellFormed() const;

    // Reads a file in its encoding and parses it; false when unreadable or not well formed.
    bool Load(const std::filesystem::path& path);
    // Writes the text in the document's encoding; false when the write failed.
    bool Save(const std::filesystem::path& path);
    // Saves through `write`, which gets the file's whole bytes (the same Save writes) and
    // answers the system's error, if any: for writers that put files in place their own
    // way.
    bool SaveBytes(const std::function<std::error_code(std::string_view bytes)>& write);

    // The whole document text.
    const std::u16string& GetDoc() const { return m_text; }
    // Entries describing the last parse, load or save.
    const std::u16string& GetResult() const { return m_result; }
    // The system's reason when the last Load or Save could not read or write its file.
    const std::error_code& GetFileError() const { return m_fileError; }
    uint32_t GetDocFlags() const { return m_flags; }
    void SetDocFlags(uint32_t flags) { m_flags = flags; }

    // Navigation by the three positions; an empty name matches any element.
    bool FindElement(std::u16string_view name = {});
    bool FindChildElement(std::u16string_view name = {});
    bool IntoElement();
    bool OutOfElement();
    void ResetPosition();
    // Value of an attribute of the current element with references decoded; "" when absent.
    std::u16string GetAttribute(std::u16string_view name) const;
    // The same for any element (by record number), without moving the positions.
    std::u16string GetAttributeOf(int record, std::u16string_view name) const;

    // Editing in place.
    bool SetAttribute(std::u16string_view name, std::u16string_view value, int flags = 0);
    bool SetAttribute(std::u16string_view name, int value, int flags = 0);
    bool AddElement(std::u16string_view name, std::u16string_view data = {}, int flags = 0);
    bool AddChildElement(std::u16string_view name, std::u16string_view data = {}, int flags = 0);
    bool RemoveElement();

    // Encoding-name table lookup: code page number, -1 when unknown, 0 for an empty name.
    static int LookupCodePage(std::u16string_view name);
    // Encoding named by an XML declaration (or an HTML meta charset), "" when none.
    static std::u16string FindEncodingDeclaration(std::u16string_view text);
    // Decodes character and entity references (one level) of a value.
    static std::u16string DecodeEntities(std::u16string_view text, uint32_t docFlags = 0);
    // Escapes markup characters; with kEditAttribute the quotes too.
    static std::u16string EscapeText(std::u16string_view text, int flags = 0);
    // Element data as CDATA sections; a "]]>" inside is split across two sections.
    static std::u16string WrapCdata(std::u16string_view data);

    // Introspection for tests and tools.
    int GetParentPos() const { return m_parentPos; }
    int GetCurrentPos() const { return m_currentPos; }
    int GetChildPos() const { return m_childPos; }
    int GetNextFree() const { return m_nextFree; }
    const ElementIndex& GetIndex() const { return m_index; }
    // Length of an element's start tag (one too long for its record field is scanned).
    int StartTagLength(int record) const;
    // The text up to the end of an element's start tag: attribute scans stop there.
    std::u16string_view StartTagView(int record) const;

private:
    friend class XmlEditor;  // editing steps live in their own file

    bool InStreamMode() const { return (m_flags & (kDocReadFile | kDocWriteFile)) != 0; }
    void ParseDocument();
    // Tag name of an element as the find operations compare it.
    std::u16string_view FindName(int record) const;
    // First element from `first` along the sibling links whose name matches.
    int FindSibling(int first, std::u16string_view wanted) const;
    // Replaces a stretch of text and shifts the index after record `changed`.
    void ReplaceText(int changed, int offset, int oldLength, std::u16string_view newText,
                     bool skipDescendants);

    std::u16string m_text;
    std::u16string m_result;
    std::error_code m_fileError;
    int m_parentPos = 0;
    int m_currentPos = 0;
    int m_childPos = 0;
    int m_nextFree = 1;
    int m_deletedHead = 0;
    uint32_t m_flags = 0;
    ElementIndex m_index;
};

}  // namespace vesko
