#pragma once
// Working copies in UTF-16 or UTF-32 (a receiver's file may come that way) are turned
// into UTF-8 before the export filter sees them: the filter works on bytes.

#include <string>
#include <string_view>

namespace vesko {

enum class WideEncoding { None, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

// The wide encoding the first bytes of a file show: a byte-order mark (the 4-byte ones
// before the 2-byte ones), or the zero bytes around a first ASCII character.
WideEncoding DetectWideEncoding(std::string_view head);

// Name of the encoding for messages ("UTF-16", "UTF-32").
std::u16string_view WideEncodingName(WideEncoding encoding);

// The whole file as UTF-8 without a mark, its XML declaration naming UTF-8. False when
// a character cannot be carried over (a broken surrogate, a cut last character).
bool ConvertWideToUtf8(std::string_view bytes, WideEncoding encoding, std::string& utf8);

}  // namespace vesko
