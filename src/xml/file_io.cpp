// Load and Save: file bytes <-> document text. The encoding comes from a
// byte-order mark, else from the document's own declaration, else from a UTF-8
// test; every step leaves an entry in the result report so that a caller can
// see how a file was understood.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "xml/encoding.h"
#include "xml/file_bytes.h"
#include "xml/result_report.h"
#include "xml/utf_codecs.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

struct ByteOrderMark {
    std::string_view bytes;
    std::u16string_view encoding;
    uint32_t flag;
    int width;
};

// Tried in this order; the first full match wins.
constexpr ByteOrderMark kBomTable[] = {
    {"\xEF\xBB\xBF", u"UTF-8", kDocUtf8Bom, 1},
    {"\xFF\xFE", u"UTF-16LE", kDocUtf16Le, 2},
    {"\xFE\xFF", u"UTF-16BE", kDocUtf16Be, 2},
};

constexpr uint32_t kBomFlags = kDocUtf8Bom | kDocUtf16Le | kDocUtf16Be;
// How much of a file without a mark is searched for a declaration.
constexpr size_t kDeclarationBlock = 1024;

const ByteOrderMark* MarkAtStartOf(std::string_view bytes) {
    for (const ByteOrderMark& mark : kBomTable) {
        if (bytes.starts_with(mark.bytes)) {
            return &mark;
        }
    }
    return nullptr;
}

const ByteOrderMark* MarkOfFlags(uint32_t flags) {
    for (const ByteOrderMark& mark : kBomTable) {
        if (flags & mark.flag) {
            return &mark;
        }
    }
    return nullptr;
}

void AddFileError(std::u16string& report, const std::error_code& error) {
    std::string message = error.message();
    message.erase(std::min(message.find_first_of("\r\n"), message.size()));
    AddResultEntry(report, u"file_error", DecodeToUtf16(kCodePageUtf8, message), kRptMsg | kRptN,
                   error.value());
}

// A code page for 8-bit bytes. Without a byte-order mark the bytes are 8-bit
// whatever the declaration says (zero bytes are gone by now), so a name of a
// wide encoding is read and written as UTF-8: that keeps the text instead of
// turning it into garbage, and writes back the bytes that were read.
int NarrowCodePageOf(std::u16string_view encoding) {
    const int codePage = CXmlDoc::LookupCodePage(encoding);
    switch (codePage) {
        case -1:
            return kCodePageAnsi;
        case kCodePageUtf16:
        case kCodePageUtf16 + 1:
        case 12000:
        case 12001:
        case kCodePageUtf32:
            return kCodePageUtf8;
        default:
            return codePage;
    }
}

size_t RemoveZeroBytes(char* data, size_t size) {
    char* zero = static_cast<char*>(std::memchr(data, 0, size));
    if (!zero) {
        return size;
    }
    return static_cast<size_t>(std::remove(zero, data + size, '\0') - data);
}

size_t RemoveZeroUnits(std::u16string& text) {
    const size_t before = text.size();
    std::erase(text, u'\0');
    return before - text.size();
}

void ReadWideText(std::string_view content, const ByteOrderMark& mark, std::u16string& text,
                  std::u16string& report) {
    const bool bigEndian = mark.flag == kDocUtf16Be;
    text = DecodeUtf16Bytes(content, bigEndian);
    AddResultEntry(report, u"read", mark.encoding, kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
    if (const size_t zeros = RemoveZeroUnits(text)) {
        AddResultEntry(report, u"nulls_removed", {}, kRptCount, static_cast<int>(zeros));
    }
    if (bigEndian) {
        AddResultEntry(report, u"endian_swap");
    }
}

void ReadNarrowText(char* content, size_t size, std::u16string encoding, std::u16string& text,
                    std::u16string& report) {
    AddResultEntry(report, u"read", encoding, kRptEncoding | kRptLength, static_cast<int>(size));
    const size_t kept = RemoveZeroBytes(content, size);
    if (kept != size) {
        AddResultEntry(report, u"nulls_removed", {}, kRptCount, static_cast<int>(size - kept));
    }
    const std::string_view bytes(content, kept);
    if (encoding.empty()) {
        if (LooksLikeUtf8(bytes)) {
            encoding = u"UTF-8";
            AddResultEntry(report, u"read", encoding, kRptEncoding | kRptAppend);
        }
        AddResultEntry(report, u"utf8_detection");
    }
    text = DecodeToUtf16(NarrowCodePageOf(encoding), bytes);
    AddResultEntry(report, u"converted_to", u"UTF-16", kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
}

// The encoding of a file without a mark: its declaration, or UTF-8 when it
// starts with markup.
std::u16string DeclaredEncodingOf(std::string_view bytes) {
    const std::u16string head =
        DecodeToUtf16(kCodePageUtf8, bytes.substr(0, std::min(bytes.size(), kDeclarationBlock)));
    std::u16string encoding = CXmlDoc::FindEncodingDeclaration(head);
    if (encoding.empty() && !bytes.empty() && bytes.front() == '<') {
        encoding = u"UTF-8";
    }
    return encoding;
}

bool WriteBytes(const std::filesystem::path& path, std::string_view mark, std::string_view bytes,
                std::u16string_view encoding, int length, std::u16string& report,
                std::error_code* fileError) {
    if (const std::error_code error = WriteWholeFile(path, {mark, bytes})) {
        AddFileError(report, error);
        if (fileError) {
            *fileError = error;
        }
        return false;
    }
    AddResultEntry(report, u"write", encoding, kRptEncoding | kRptLength, length);
    return true;
}

}  // namespace

bool ReadDocumentFile(const std::filesystem::path& path, uint32_t& flags, std::u16string& text,
                      std::u16string& report, std::error_code* fileError) {
    report.clear();
    FileBytes file;
    if (const std::error_code error = ReadWholeFile(path, file)) {
        AddFileError(report, error);
        if (fileError) {
            *fileError = error;
        }
        return false;
    }
    flags &= ~kBomFlags;
    const ByteOrderMark* mark = MarkAtStartOf(file.View());
    if (mark) {
        flags |= mark->flag;
        AddResultEntry(report, u"bom");
    }
    const size_t skip = mark ? mark->bytes.size() : 0;
    if (mark && mark->width == 2) {
        ReadWideText(file.View().substr(skip), *mark, text, report);
    } else {
        std::u16string encoding =
            mark ? std::u16string(mark->encoding) : DeclaredEncodingOf(file.View());
        ReadNarrowText(file.data.get() + skip, file.size - skip, std::move(encoding), text, report);
    }
    return true;
}

bool WriteDocumentFile(const std::filesystem::path& path, uint32_t& flags, std::u16string_view text,
                       std::u16string& report, std::error_code* fileError) {
    report.clear();
    const ByteOrderMark* mark = MarkOfFlags(flags);
    const std::string_view markBytes = mark ? mark->bytes : std::string_view();
    if (mark && mark->width == 2) {
        const bool bigEndian = mark->flag == kDocUtf16Be;
        const std::string bytes = EncodeUtf16Bytes(text, bigEndian);
        if (bigEndian) {
            AddResultEntry(report, u"endian_swap");
        }
        return WriteBytes(path, markBytes, bytes, mark->encoding, static_cast<int>(text.size()),
                          report, fileError);
    }
    std::u16string encoding =
        mark ? std::u16string(mark->encoding) : CXmlDoc::FindEncodingDeclaration(text);
    if (encoding.empty()) {
        encoding = u"UTF-8";
    }
    const int codePage = NarrowCodePageOf(encoding);
    bool lossy = false;
    std::string converted;
    std::unique_ptr<char[]> utf8;
    std::string_view bytes;
    if (codePage == kCodePageUtf8) {
        // The common case goes straight into one buffer, without a second copy.
        utf8 = std::make_unique_for_overwrite<char[]>(text.size() * 3);
        bytes = std::string_view(utf8.get(), EncodeUtf8(text, utf8.get(), &lossy));
    } else {
        converted = EncodeFromUtf16(codePage, text, &lossy);
        bytes = converted;
    }
    AddResultEntry(report, u"converted_from", u"UTF-16", kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
    if (lossy) {
        AddResultEntry(report, u"conversion_loss");
    }
    return WriteBytes(path, markBytes, bytes, encoding, static_cast<int>(bytes.size()), report,
                      fileError);
}

bool CXmlDoc::Load(const std::filesystem::path& path) {
    if (InStreamMode()) {
        return false;
    }
    std::u16string text;
    std::u16string report;
    uint32_t flags = m_flags;
    m_fileError.clear();
    if (!ReadDocumentFile(path, flags, text, report, &m_fileError)) {
        SetDoc(static_cast<const char16_t*>(nullptr));
        m_result = std::move(report);
        return false;
    }
    m_flags = flags;
    m_text = std::move(text);
    m_result = std::move(report);
    ParseDocument();
    return IsWellFormed();
}

bool CXmlDoc::Save(const std::filesystem::path& path) {
    if (InStreamMode()) {
        return false;
    }
    uint32_t flags = m_flags;
    m_fileError.clear();
    const bool written = WriteDocumentFile(path, flags, m_text, m_result, &m_fileError);
    m_flags = flags;
    return written;
}

}  // namespace vesko
