// UTF-8, UTF-16 and UTF-32 conversions written for speed: the files the editor
// loads are mostly ASCII markup, so both directions first try to move 16 bytes
// (or 8 units) at a time and only fall back to per-sequence work when a
// non-ASCII character turns up.

#include "xml/utf_codecs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vesko {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Widens a run of ASCII bytes; returns how many were done (a multiple of the
// block size, stopping before the first block holding a non-ASCII byte).
size_t WidenAsciiRun(const unsigned char* in, size_t n, char16_t* out) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(v) != 0) {
            break;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(v, zero));
        i += 16;
    }
#else
    while (i + 8 <= n) {
        uint64_t block;
        std::memcpy(&block, in + i, 8);
        if (block & 0x8080808080808080ull) {
            break;
        }
        for (int k = 0; k < 8; ++k) {
            out[i + k] = in[i + k];
        }
        i += 8;
    }
#endif
    return i;
}

// Narrows a run of ASCII units; returns how many were done.
size_t NarrowAsciiRun(const char16_t* in, size_t n, char* out) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
        const __m128i high = _mm_and_si128(_mm_or_si128(a, b), highBits);
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, zero)) != 0xFFFF) {
            break;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(a, b));
        i += 16;
    }
#endif
    while (i < n && in[i] < 0x80) {
        out[i] = static_cast<char>(in[i]);
        ++i;
    }
    return i;
}

// Length of a well-formed sequence starting at in[0], 0 when ill-formed; on
// failure `bad` is how many bytes make up the ill-formed part (at least 1).
int Utf8SequenceLength(const unsigned char* in, size_t available, size_t& bad) {
    const unsigned char lead = in[0];
    int length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        if (lead == 0xF4)
            high = 0x8F;  // above U+10FFFF
    } else {
        bad = 1;
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        const bool ok = static_cast<size_t>(k) < available &&
                        (k == 1 ? (in[1] >= low && in[1] <= high) : IsContinuation(in[k]));
        if (!ok) {
            bad = static_cast<size_t>(k);
            return 0;
        }
    }
    return length;
}

}  // namespace

size_t DecodeUtf8(std::string_view bytes, char16_t* out, bool* lossy) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0, o = 0;
    while (i < n) {
        const size_t run = WidenAsciiRun(in + i, n - i, out + o);
        i += run;
        o += run;
        // Decode one by one until an ASCII block can be taken again.
        const size_t stop = (n - i < 16) ? n : i + 16;
        while (i < stop) {
            const unsigned char b = in[i];
            if (b < 0x80) {
                out[o++] = b;
                ++i;
                continue;
            }
            size_t bad = 0;
            const int length = Utf8SequenceLength(in + i, n - i, bad);
            if (length == 0) {
                out[o++] = kReplacement;
                i += bad;
                if (lossy)
                    *lossy = true;
                continue;
            }
            if (length == 2) {
                out[o++] = static_cast<char16_t>(((b & 0x1F) << 6) | (in[i + 1] & 0x3F));
            } else if (length == 3) {
                out[o++] = static_cast<char16_t>(((b & 0x0F) << 12) | ((in[i + 1] & 0x3F) << 6) |
                                                 (in[i + 2] & 0x3F));
            } else {
                const uint32_t cp = ((b & 0x07u) << 18) | ((in[i + 1] & 0x3Fu) << 12) |
                                    ((in[i + 2] & 0x3Fu) << 6) | (in[i + 3] & 0x3Fu);
                out[o++] = static_cast<char16_t>(0xD800 | ((cp - 0x10000) >> 10));
                out[o++] = static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
            }
            i += static_cast<size_t>(length);
        }
    }
    return o;
}

std::u16string DecodeUtf8ToString(std::string_view bytes, bool* lossy) {
    constexpr size_t kBlock = 8192;
    char16_t buffer[kBlock];
    std::u16string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        size_t end = std::min(at + kBlock, bytes.size());
        // Never cut before a continuation byte, so no sequence is split. After
        // three steps back the byte cannot belong to a well-formed sequence
        // anyway, and it decodes the same on either side of the cut.
        for (int back = 0; back < 3 && end < bytes.size() && end > at + 1 &&
                           IsContinuation(static_cast<unsigned char>(bytes[end]));
             ++back) {
            --end;
        }
        text.append(buffer, DecodeUtf8(bytes.substr(at, end - at), buffer, lossy));
        at = end;
    }
    return text;
}

size_t EncodeUtf8(std::u16string_view text, char* out, bool* lossy) {
    const char16_t* in = text.data();
    const size_t n = text.size();
    size_t i = 0, o = 0;
    while (i < n) {
        const size_t run = NarrowAsciiRun(in + i, n - i, out + o);
        i += run;
        o += run;
        while (i < n && in[i] >= 0x80) {
            const char16_t c = in[i];
            if (c < 0x800) {
                out[o++] = static_cast<char>(0xC0 | (c >> 6));
                out[o++] = static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0xD800 || c > 0xDFFF) {
                out[o++] = static_cast<char>(0xE0 | (c >> 12));
                out[o++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out[o++] = static_cast<char>(0x80 | (c & 0x3F));
            } else if (c <= 0xDBFF && i + 1 < n && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
                const uint32_t cp = 0x10000 + ((c - 0xD800u) << 10) + (in[i + 1] - 0xDC00u);
                out[o++] = static_cast<char>(0xF0 | (cp >> 18));
                out[o++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
                out[o++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                out[o++] = static_cast<char>(0x80 | (cp & 0x3F));
                ++i;
            } else {
                out[o++] = '?';
                if (lossy)
                    *lossy = true;
            }
            ++i;
        }
    }
    return o;
}

std::u16string DecodeUtf16Bytes(std::string_view bytes, bool bigEndian) {
    std::u16string text(bytes.size() / 2, u'\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t k = 0; k < text.size(); ++k) {
        const unsigned first = in[2 * k], second = in[2 * k + 1];
        text[k] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

std::string EncodeUtf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t k = 0; k < text.size(); ++k) {
        const char low = static_cast<char>(text[k] & 0xFF), high = static_cast<char>(text[k] >> 8);
        bytes[2 * k] = bigEndian ? high : low;
        bytes[2 * k + 1] = bigEndian ? low : high;
    }
    return bytes;
}

std::u16string DecodeUtf32Bytes(std::string_view bytes, bool bigEndian, bool* lossy) {
    std::u16string text;
    text.reserve(bytes.size() / 4);
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t k = 0; k + 4 <= bytes.size(); k += 4) {
        uint32_t cp = 0;
        for (int b = 0; b < 4; ++b) {
            cp |= uint32_t{in[k + (bigEndian ? 3 - b : b)]} << (8 * b);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            text += kReplacement;
            if (lossy)
                *lossy = true;
        } else {
            AppendCodePoint(text, cp);
        }
    }
    return text;
}

std::string EncodeUtf32Bytes(std::u16string_view text, bool bigEndian, bool* lossy) {
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
                ++i;
            } else {
                cp = '?';
                if (lossy)
                    *lossy = true;
            }
        }
        for (int b = 0; b < 4; ++b) {
            bytes += static_cast<char>((cp >> (8 * (bigEndian ? 3 - b : b))) & 0xFF);
        }
    }
    return bytes;
}

}  // namespace vesko
