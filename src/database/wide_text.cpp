#include "database/wide_text.h"

#include <algorithm>

#include "xml/utf_codecs.h"

namespace vesko {

namespace {

bool IsAscii(unsigned char c) {
    return c != 0 && c < 0x80;
}

int WidthOf(WideEncoding encoding) {
    return encoding == WideEncoding::Utf32Le || encoding == WideEncoding::Utf32Be ? 4 : 2;
}

std::size_t MarkLength(std::string_view bytes, WideEncoding encoding) {
    static constexpr std::string_view kMarks[] = {
        {}, "\xFF\xFE", "\xFE\xFF", {"\xFF\xFE\0\0", 4}, {"\0\0\xFE\xFF", 4}};
    const std::string_view mark = kMarks[static_cast<int>(encoding)];
    return bytes.starts_with(mark) ? mark.size() : 0;
}

bool IsSpaceOrEquals(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'=';
}

// Points the declaration's encoding at UTF-8; a text without a declaration, or one
// without an encoding in it, is UTF-8 for every reader already.
void DeclareUtf8(std::u16string& text) {
    if (!text.starts_with(u"<?xml")) {
        return;
    }
    const std::size_t end = text.find(u"?>");
    const std::size_t name = text.find(u"encoding", 5);
    if (end == std::u16string::npos || name == std::u16string::npos || name > end) {
        return;
    }
    std::size_t at = name + 8;
    while (at < end && IsSpaceOrEquals(text[at])) {
        ++at;
    }
    if (at >= end || (text[at] != u'"' && text[at] != u'\'')) {
        return;
    }
    const std::size_t close = text.find(text[at], at + 1);
    if (close == std::u16string::npos || close > end) {
        return;
    }
    text.replace(at + 1, close - at - 1, u"UTF-8");
}

}  // namespace

WideEncoding DetectWideEncoding(std::string_view head) {
    const auto byte = [&head](std::size_t i) { return static_cast<unsigned char>(head[i]); };
    if (head.starts_with(std::string_view("\xFF\xFE\0\0", 4))) {
        return WideEncoding::Utf32Le;
    }
    if (head.starts_with(std::string_view("\0\0\xFE\xFF", 4))) {
        return WideEncoding::Utf32Be;
    }
    if (head.starts_with("\xFF\xFE")) {
        return WideEncoding::Utf16Le;
    }
    if (head.starts_with("\xFE\xFF")) {
        return WideEncoding::Utf16Be;
    }
    if (head.size() >= 4 && IsAscii(byte(0)) && byte(1) == 0 && byte(2) == 0 && byte(3) == 0) {
        return WideEncoding::Utf32Le;
    }
    if (head.size() >= 4 && byte(0) == 0 && byte(1) == 0 && byte(2) == 0 && IsAscii(byte(3))) {
        return WideEncoding::Utf32Be;
    }
    if (head.size() >= 2 && IsAscii(byte(0)) && byte(1) == 0) {
        return WideEncoding::Utf16Le;
    }
    if (head.size() >= 2 && byte(0) == 0 && IsAscii(byte(1))) {
        return WideEncoding::Utf16Be;
    }
    return WideEncoding::None;
}

std::u16string_view WideEncodingName(WideEncoding encoding) {
    return WidthOf(encoding) == 4 ? u"UTF-32" : u"UTF-16";
}

bool ConvertWideToUtf8(std::string_view bytes, WideEncoding encoding, std::string& utf8) {
    utf8.clear();
    bytes.remove_prefix(MarkLength(bytes, encoding));
    const int width = WidthOf(encoding);
    if (bytes.size() % static_cast<std::size_t>(width) != 0) {
        return false;
    }
    bool lossyDecode = false;
    std::u16string text =
        width == 2 ? DecodeUtf16Bytes(bytes, encoding == WideEncoding::Utf16Be)
                   : DecodeUtf32Bytes(bytes, encoding == WideEncoding::Utf32Be, &lossyDecode);
    std::erase(text, u'\0');  // as the engine drops them when it reads a file
    DeclareUtf8(text);
    bool lossyEncode = false;
    utf8.resize(text.size() * 3);
    utf8.resize(EncodeUtf8(text, utf8.data(), &lossyEncode));
    return !lossyDecode && !lossyEncode;
}

}  // namespace vesko
