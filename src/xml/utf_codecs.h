#pragma once
// The engine's own converters for the Unicode encodings. They are on the path of
// every load and save, so they work on raw buffers in one pass, with a fast path
// for runs of ASCII, and never go through a general-purpose converter.

#include <cstddef>
#include <string>
#include <string_view>

namespace vesko {

// UTF-8 bytes -> UTF-16 units. `out` must hold bytes.size() units (a byte never
// yields more than one unit). Ill-formed sequences become U+FFFD and set *lossy.
// Returns the number of units written.
size_t DecodeUtf8(std::string_view bytes, char16_t* out, bool* lossy);

// The same into a new string, written once: the text of a whole file goes through
// a small buffer instead of being zero-filled first and decoded over.
std::u16string DecodeUtf8ToString(std::string_view bytes, bool* lossy);

// UTF-16 units -> UTF-8 bytes. `out` must hold 3 * text.size() bytes. A surrogate
// without its partner is written as '?' and sets *lossy. Returns the bytes written.
size_t EncodeUtf8(std::u16string_view text, char* out, bool* lossy);

// UTF-16 code units from bytes in either byte order (a trailing odd byte is dropped).
std::u16string DecodeUtf16Bytes(std::string_view bytes, bool bigEndian);
std::string EncodeUtf16Bytes(std::u16string_view text, bool bigEndian);

// 32-bit code points (bytes in either order) <-> UTF-16. Values that are no
// character (surrogates, above U+10FFFF) and lone surrogates become U+FFFD or
// '?' respectively, setting *lossy. Trailing bytes short of a unit are dropped.
std::u16string DecodeUtf32Bytes(std::string_view bytes, bool bigEndian, bool* lossy);
std::string EncodeUtf32Bytes(std::u16string_view text, bool bigEndian, bool* lossy);

// Appends a code point (at most U+10FFFF) as one unit or a surrogate pair.
inline void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    out += static_cast<char16_t>(0xD800 | ((code - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
}

}  // namespace vesko
