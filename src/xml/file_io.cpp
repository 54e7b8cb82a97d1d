// Load and Save: file bytes <-> document text. The encoding comes from a
// byte-order mark, else from the zero bytes of a wide file without one, else from
// the document's own declaration, else from a UTF-8 test; every step leaves an
// entry in the result report so that a caller can see how a file was understood.
// Save writes the text back in the encoding the file came in.

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "xml/encoding.h"
#include "xml/file_bytes.h"
#include "xml/large_pages.h"
#include "xml/result_report.h"
#include "xml/text_chars.h"
#include "xml/utf_codecs.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

using namespace std::string_view_literals;

// How a file's bytes hold the text: the byte-order mark of the encoding, its name,
// the document flag that remembers it, and the size of one code unit.
struct FileEncoding {
    std::string_view mark;
    std::u16string_view name;
    uint32_t flag;
    int width;
    bool bigEndian;
};

// Tried in this order; the first full match wins, so the marks of UTF-32 come before
// the UTF-16 marks they begin with (FF FE 00 00 is UTF-32LE).
constexpr FileEncoding kBomTable[] = {
    {"\xFF\xFE\0\0"sv, u"UTF-32LE", kDocUtf32Le, 4, false},
    {"\0\0\xFE\xFF"sv, u"UTF-32BE", kDocUtf32Be, 4, true},
    {"\xEF\xBB\xBF"sv, u"UTF-8", kDocUtf8Bom, 1, false},
    {"\xFF\xFE"sv, u"UTF-16LE", kDocUtf16Le, 2, false},
    {"\xFE\xFF"sv, u"UTF-16BE", kDocUtf16Be, 2, true},
};

constexpr uint32_t kEncodingFlags = kDocUtf8Bom | kDocWideFlags | kDocNoMark;
// How much of a file without a mark is searched for a declaration.
constexpr size_t kDeclarationBlock = 1024;

const FileEncoding* MarkAtStartOf(std::string_view bytes) {
    for (const FileEncoding& encoding : kBomTable) {
        if (bytes.starts_with(encoding.mark)) {
            return &encoding;
        }
    }
    return nullptr;
}

const FileEncoding* EncodingOfFlags(uint32_t flags) {
    for (const FileEncoding& encoding : kBomTable) {
        if (flags & encoding.flag) {
            return &encoding;
        }
    }
    return nullptr;
}

// Markup starts with '<' or white space, characters below 0x80 in every encoding: in
// a wide file without a mark the zero bytes around them give away the width and the
// byte order. UTF-16 needs two such characters, so that an 8-bit file with a stray
// zero byte stays 8-bit.
const FileEncoding* WideEncodingWithoutMark(std::string_view bytes) {
    if (bytes.size() < 4) {
        return nullptr;
    }
    const auto b = [&](int k) { return static_cast<unsigned char>(bytes[k]); };
    const auto opens = [](unsigned char c) { return c == '<' || IsXmlSpace(c); };
    uint32_t flag = 0;
    if (opens(b(0)) && b(1) == 0 && b(2) == 0 && b(3) == 0) {
        flag = kDocUtf32Le;
    } else if (b(0) == 0 && b(1) == 0 && b(2) == 0 && opens(b(3))) {
        flag = kDocUtf32Be;
    } else if (opens(b(0)) && b(1) == 0 && b(2) != 0 && b(3) == 0) {
        flag = kDocUtf16Le;
    } else if (b(0) == 0 && opens(b(1)) && b(2) == 0 && b(3) != 0) {
        flag = kDocUtf16Be;
    }
    return flag != 0 ? EncodingOfFlags(flag) : nullptr;
}

void AddFileError(std::u16string& report, const std::error_code& error) {
    std::string message = error.message();
    message.erase(std::min(message.find_first_of("\r\n"), message.size()));
    AddResultEntry(report, u"file_error", DecodeToUtf16(kCodePageUtf8, message), kRptMsg | kRptN,
                   error.value());
}

// A code page for 8-bit bytes. Bytes without a byte-order mark and without the
// zero bytes of a wide encoding are 8-bit whatever the declaration says, so a name
// of a wide encoding is read and written as UTF-8: that keeps the text instead of
// turning it into garbage, and writes back the bytes that were read.
int NarrowCodePageOf(std::u16string_view encoding) {
    const int codePage = CXmlDoc::LookupCodePage(encoding);
    switch (codePage) {
        case -1:
            return kCodePageAnsi;
        case kCodePageUtf16:
        case kCodePageUtf16 + 1:
        case kCodePageUtf32Le:
        case kCodePageUtf32Be:
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

void ReadWideText(std::string_view content, const FileEncoding& encoding, std::u16string& text,
                  std::u16string& report) {
    text = encoding.width == 4 ? DecodeUtf32Bytes(content, encoding.bigEndian, nullptr)
                               : DecodeUtf16Bytes(content, encoding.bigEndian);
    AddResultEntry(report, u"read", encoding.name, kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
    if (const size_t zeros = RemoveZeroUnits(text)) {
        AddResultEntry(report, u"nulls_removed", {}, kRptCount, static_cast<int>(zeros));
    }
    if (encoding.bigEndian) {
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

// How much of a file is read at a time when it is decoded as it is read: small enough
// for the block and the text decoded from it to stay in the cache.
constexpr size_t kReadBlock = 64 * 1024;
// Room before a block for the start of a sequence that the previous block cut off.
constexpr size_t kCarryRoom = 4;
// The engine counts offsets in int.
constexpr size_t kLargestText = INT_MAX;

// Bytes at the end that start a sequence the block does not finish; they wait for
// the next block. Decoding starts afresh at any byte that is no continuation byte,
// so the text comes out as if the file had been decoded in one piece.
size_t UnfinishedTail(const char* bytes, size_t size) {
    for (size_t back = 1; back <= std::min<size_t>(3, size); ++back) {
        const auto b = static_cast<unsigned char>(bytes[size - back]);
        if ((b & 0xC0) == 0x80) {
            continue;
        }
        const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// Reads the rest of a UTF-8 file block by block, each decoded straight into the text
// while it is still in the cache: no buffer of the whole file is ever filled, and the
// text, sized from the file's size, is written once. `block` (with kCarryRoom bytes
// before it) holds the first `size` bytes of the file, of which `skip` are a mark.
std::error_code ReadUtf8Blocks(FileReader& file, char* block, size_t size, size_t skip,
                               std::u16string_view encoding, std::u16string& text,
                               std::u16string& report) {
    text.clear();
    text.reserve(static_cast<size_t>(std::max<uintmax_t>(file.SizeHint(), size)) - skip);
    AdviseLargePages(text.data(), text.capacity() * sizeof(char16_t));
    size_t read = 0, zeros = 0, carry = 0;
    char* start = block + skip;
    size -= skip;
    for (;;) {
        const bool last = size < kReadBlock - static_cast<size_t>(start - block);
        read += size;
        if (read > kLargestText) {
            return std::make_error_code(std::errc::file_too_large);  // it grew while read
        }
        const size_t kept = RemoveZeroBytes(start, size);
        zeros += size - kept;
        const char* from = start - carry;
        const size_t count = carry + kept;
        carry = last ? 0 : UnfinishedTail(from, count);
        const size_t at = text.size();
        text.resize(at + count - carry);
        text.resize(at + DecodeUtf8({from, count - carry}, text.data() + at, nullptr));
        if (last) {
            break;
        }
        std::memmove(block - carry, from + count - carry, carry);
        start = block;
        if (const std::error_code error = file.Read(block, kReadBlock, size)) {
            return error;
        }
    }
    AddResultEntry(report, u"read", encoding, kRptEncoding | kRptLength, static_cast<int>(read));
    if (zeros != 0) {
        AddResultEntry(report, u"nulls_removed", {}, kRptCount, static_cast<int>(zeros));
    }
    AddResultEntry(report, u"converted_to", u"UTF-16", kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
    return {};
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
    const auto failed = [&](const std::error_code& error) {
        AddFileError(report, error);
        if (fileError) {
            *fileError = error;
        }
        return false;
    };
    FileReader file;
    auto buffer = std::make_unique_for_overwrite<char[]>(kCarryRoom + kReadBlock);
    char* const block = buffer.get() + kCarryRoom;
    size_t size = 0;
    if (std::error_code error = file.Open(path);
        error || (error = file.Read(block, kReadBlock, size))) {
        return failed(error);
    }
    const std::string_view head(block, size);
    flags &= ~kEncodingFlags;
    const FileEncoding* encoding = MarkAtStartOf(head);
    size_t skip = 0;
    if (encoding) {
        flags |= encoding->flag;
        skip = encoding->mark.size();
        AddResultEntry(report, u"bom");
    } else if ((encoding = WideEncodingWithoutMark(head))) {
        flags |= encoding->flag | kDocNoMark;
    }
    const std::u16string name =
        encoding ? std::u16string(encoding->name) : DeclaredEncodingOf(head);
    const bool wide = encoding && encoding->width > 1;
    if (!wide && !name.empty() && NarrowCodePageOf(name) == kCodePageUtf8) {
        if (const std::error_code error =
                ReadUtf8Blocks(file, block, size, skip, name, text, report)) {
            return failed(error);
        }
        return true;
    }
    // Anything else is read whole: the UTF-8 test and the code-page converters look at
    // all of it, and wide files are rare.
    FileBytes whole;
    if (const std::error_code error = ReadRestOfFile(file, head, whole)) {
        return failed(error);
    }
    if (wide) {
        ReadWideText(whole.View().substr(skip), *encoding, text, report);
    } else {
        ReadNarrowText(whole.data.get() + skip, whole.size - skip, name, text, report);
    }
    return true;
}

bool EncodeDocumentFile(uint32_t flags, std::u16string_view text, std::u16string& report,
                        EncodedFile& file) {
    report.clear();
    file = {};
    const FileEncoding* fileEncoding = EncodingOfFlags(flags);
    const bool wide = fileEncoding && fileEncoding->width > 1;
    const std::string_view markBytes =
        !fileEncoding || (wide && (flags & kDocNoMark)) ? std::string_view() : fileEncoding->mark;
    if (wide) {
        bool lossy = false;
        file.owned = markBytes;
        file.owned += fileEncoding->width == 4
                          ? EncodeUtf32Bytes(text, fileEncoding->bigEndian, &lossy)
                          : EncodeUtf16Bytes(text, fileEncoding->bigEndian);
        if (fileEncoding->bigEndian) {
            AddResultEntry(report, u"endian_swap");
        }
        if (lossy) {
            AddResultEntry(report, u"conversion_loss");
        }
        file.bytes = file.owned;
        file.encoding = fileEncoding->name;
        file.length = static_cast<int>(text.size());
        return true;
    }
    std::u16string encoding =
        fileEncoding ? std::u16string(fileEncoding->name) : CXmlDoc::FindEncodingDeclaration(text);
    if (encoding.empty()) {
        encoding = u"UTF-8";
    }
    const int codePage = NarrowCodePageOf(encoding);
    bool lossy = false;
    std::size_t length = 0;
    if (codePage == kCodePageUtf8) {
        // The common case goes straight into one buffer behind the mark, without a
        // second copy.
        file.buffer = std::make_unique_for_overwrite<char[]>(markBytes.size() + text.size() * 3);
        if (!markBytes.empty()) {
            std::memcpy(file.buffer.get(), markBytes.data(), markBytes.size());
        }
        length = EncodeUtf8(text, file.buffer.get() + markBytes.size(), &lossy);
        file.bytes = std::string_view(file.buffer.get(), markBytes.size() + length);
    } else {
        file.owned = markBytes;
        file.owned += EncodeFromUtf16(codePage, text, &lossy);
        length = file.owned.size() - markBytes.size();
        file.bytes = file.owned;
    }
    AddResultEntry(report, u"converted_from", u"UTF-16", kRptEncoding | kRptLength,
                   static_cast<int>(text.size()));
    if (lossy) {
        AddResultEntry(report, u"conversion_loss");
    }
    file.encoding = std::move(encoding);
    file.length = static_cast<int>(length);
    return true;
}

bool WriteDocumentFile(const std::filesystem::path& path, uint32_t& flags, std::u16string_view text,
                       std::u16string& report, std::error_code* fileError) {
    EncodedFile file;
    EncodeDocumentFile(flags, text, report, file);
    return WriteBytes(path, {}, file.bytes, file.encoding, file.length, report, fileError);
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

bool CXmlDoc::SaveBytes(const std::function<std::error_code(std::string_view bytes)>& write) {
    if (InStreamMode()) {
        return false;
    }
    m_fileError.clear();
    EncodedFile file;
    EncodeDocumentFile(m_flags, m_text, m_result, file);
    if (const std::error_code error = write(file.bytes)) {
        AddFileError(m_result, error);
        m_fileError = error;
        return false;
    }
    AddResultEntry(m_result, u"write", file.encoding, kRptEncoding | kRptLength, file.length);
    return true;
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
