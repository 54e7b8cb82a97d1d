// Code-page conversion: the Unicode encodings by the engine's own codecs, every
// other code page of the encoding-name table through an ICU converter.

#include "xml/encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

#include "xml/utf_codecs.h"

namespace vesko {
namespace {

// Code page number -> ICU converter. Where ICU has no exact match for an old
// Mac code page, the converter of the same script's standard encoding is used
// (Mac Japanese is Shift_JIS, Mac Korean EUC-KR, ...), as other platforms do.
// Code pages missing here have no converter at all.
constexpr std::pair<int, const char*> kConverters[] = {
    {0, "ibm-5348_P100-1997"},  // the ANSI code page: Windows-1252
    {437, "ibm-437_P100-1995"},
    {708, "ibm-1089_P100-1995"},
    {720, "ibm-720_P100-1997"},
    {737, "ibm-737_P100-1997"},
    {775, "ibm-775_P100-1996"},
    {850, "ibm-850_P100-1995"},
    {852, "ibm-852_P100-1995"},
    {855, "ibm-855_P100-1995"},
    {857, "ibm-857_P100-1995"},
    {858, "ibm-858_P100-1997"},
    {860, "ibm-860_P100-1995"},
    {861, "ibm-861_P100-1995"},
    {862, "ibm-862_P100-1995"},
    {863, "ibm-863_P100-1995"},
    {864, "ibm-864_X110-1999"},
    {865, "ibm-865_P100-1995"},
    {866, "ibm-866_P100-1995"},
    {869, "ibm-869_P100-1995"},
    {874, "windows-874-2000"},
    {932, "ibm-943_P15A-2003"},
    {936, "windows-936-2000"},
    {949, "windows-949-2000"},
    {950, "windows-950-2000"},
    {1125, "ibm-1125_P100-1997"},
    {1133, "ibm-1133_P100-1997"},
    {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},
    {1250, "ibm-5346_P100-1998"},
    {1251, "ibm-5347_P100-1998"},
    {1252, "ibm-5348_P100-1997"},
    {1253, "ibm-5349_P100-1998"},
    {1254, "ibm-5350_P100-1998"},
    {1255, "ibm-9447_P100-2002"},
    {1256, "ibm-9448_X100-2005"},
    {1257, "ibm-9449_P100-2002"},
    {1258, "ibm-5354_P100-1998"},
    {10000, "macos-0_2-10.2"},
    {10001, "ibm-943_P15A-2003"},
    {10002, "windows-950-2000"},
    {10003, "ibm-970_P110_P110-2006_U2"},
    {10006, "macos-6_2-10.4"},
    {10007, "macos-7_3-10.2"},
    {10008, "ibm-1383_P110-1999"},
    {10017, "macos-7_3-10.2"},
    {10029, "macos-29-10.2"},
    {10081, "macos-35-10.2"},
    {12000, "UTF-32LE"},
    {12001, "UTF-32BE"},
    {20127, "US-ASCII"},
    {20866, "ibm-878_P100-1996"},
    {20932, "euc-jp-2007"},
    {20936, "ibm-1383_P110-1999"},
    {20949, "ibm-970_P110_P110-2006_U2"},
    {21866, "ibm-1168_P100-2002"},
    {28591, "ISO-8859-1"},
    {28592, "ibm-912_P100-1995"},
    {28593, "ibm-913_P100-2000"},
    {28594, "ibm-914_P100-1995"},
    {28595, "ibm-915_P100-1995"},
    {28596, "ibm-1089_P100-1995"},
    {28597, "ibm-9005_X110-2007"},
    {28598, "ibm-5012_P100-1999"},
    {28599, "ibm-920_P100-1995"},
    {28603, "ibm-921_P100-1995"},
    {28605, "ibm-923_P100-1998"},
    {38598, "ibm-5012_P100-1999"},
    {50220, "ISO_2022,locale=ja,version=0"},
    {50221, "ISO_2022,locale=ja,version=1"},
    {50222, "ISO_2022,locale=ja,version=1"},
    {50225, "ISO_2022,locale=ko,version=0"},
    {50227, "ISO_2022,locale=zh,version=0"},
    {51932, "euc-jp-2007"},
    {51936, "ibm-1383_P110-1999"},
    {51949, "ibm-970_P110_P110-2006_U2"},
    {52936, "HZ"},
    {54936, "gb18030"},
    {57002, "ISCII,version=0"},
    {57003, "ISCII,version=1"},
    {57004, "ISCII,version=5"},
    {57005, "ISCII,version=6"},
    {57006, "ISCII,version=1"},
    {57007, "ISCII,version=4"},
    {57008, "ISCII,version=7"},
    {57009, "ISCII,version=8"},
    {57010, "ISCII,version=3"},
    {57011, "ISCII,version=2"},
    {65000, "UTF-7"},
    {65001, "UTF-8"},
    {65005, "UTF-32LE"},
};

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Undecodable input becomes U+FFFD and is reported.
void ReplaceUndecodable(const void* context, UConverterToUnicodeArgs* args, const char*, int32_t,
                        UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    const UChar replacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

// A character the code page cannot hold becomes its substitute ('?') and is reported.
void ReplaceUnencodable(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                        UChar32, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    *error = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(args, 0, error);
}

Converter OpenConverter(int codePage) {
    const char* name = ConverterNameOf(codePage);
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open(name ? name : ConverterNameOf(kCodePageAnsi), &error));
    if (U_FAILURE(error)) {
        converter.reset();
    }
    return converter;
}

std::u16string DecodeWithIcu(int codePage, std::string_view bytes, bool& lossy) {
    Converter converter = OpenConverter(codePage);
    if (!converter) {
        return {};
    }
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), ReplaceUndecodable, &lossy, nullptr, nullptr, &error);
    std::u16string text(bytes.size() + bytes.size() / 100 + 16, u'\0');
    const char* source = bytes.data();
    const char* sourceEnd = source + bytes.size();
    size_t done = 0;
    for (;;) {
        UChar* target = reinterpret_cast<UChar*>(text.data()) + done;
        UChar* targetStart = target;
        error = U_ZERO_ERROR;
        ucnv_toUnicode(converter.get(), &target,
                       reinterpret_cast<UChar*>(text.data()) + text.size(), &source, sourceEnd,
                       nullptr, true, &error);
        done += static_cast<size_t>(target - targetStart);
        if (error != U_BUFFER_OVERFLOW_ERROR) {
            break;
        }
        text.resize(text.size() * 2);
    }
    text.resize(done);
    return text;
}

std::string EncodeWithIcu(int codePage, std::u16string_view text, bool& lossy) {
    Converter converter = OpenConverter(codePage);
    if (!converter) {
        return {};
    }
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setSubstChars(converter.get(), "?", 1, &error);
    error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), ReplaceUnencodable, &lossy, nullptr, nullptr, &error);
    std::string bytes(text.size() * 2 + 16, '\0');
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* sourceEnd = source + text.size();
    size_t done = 0;
    for (;;) {
        char* target = bytes.data() + done;
        char* targetStart = target;
        error = U_ZERO_ERROR;
        ucnv_fromUnicode(converter.get(), &target, bytes.data() + bytes.size(), &source, sourceEnd,
                         nullptr, true, &error);
        done += static_cast<size_t>(target - targetStart);
        if (error != U_BUFFER_OVERFLOW_ERROR) {
            break;
        }
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

const char* ConverterNameOf(int codePage) {
    const auto* found = std::find_if(std::begin(kConverters), std::end(kConverters),
                                     [codePage](const auto& row) { return row.first == codePage; });
    return found != std::end(kConverters) ? found->second : nullptr;
}

std::u16string DecodeToUtf16(int codePage, std::string_view bytes, bool* lossy) {
    bool lost = false;
    std::u16string text;
    switch (codePage) {
        case kCodePageUtf8:
            text = DecodeUtf8ToString(bytes, &lost);
            break;
        case kCodePageUtf16:
            text = DecodeUtf16Bytes(bytes, false);
            break;
        case kCodePageUtf16 + 1:
            text = DecodeUtf16Bytes(bytes, true);
            break;
        case kCodePageUtf32:
        case kCodePageUtf32Le:
            text = DecodeUtf32Bytes(bytes, false, &lost);
            break;
        case kCodePageUtf32Be:
            text = DecodeUtf32Bytes(bytes, true, &lost);
            break;
        default:
            text = DecodeWithIcu(codePage, bytes, lost);
            break;
    }
    if (lossy)
        *lossy = lost;
    return text;
}

std::string EncodeFromUtf16(int codePage, std::u16string_view text, bool* lossy) {
    bool lost = false;
    std::string bytes;
    switch (codePage) {
        case kCodePageUtf8:
            bytes.resize(text.size() * 3);
            bytes.resize(EncodeUtf8(text, bytes.data(), &lost));
            break;
        case kCodePageUtf16:
            bytes = EncodeUtf16Bytes(text, false);
            break;
        case kCodePageUtf16 + 1:
            bytes = EncodeUtf16Bytes(text, true);
            break;
        case kCodePageUtf32:
        case kCodePageUtf32Le:
            bytes = EncodeUtf32Bytes(text, false, &lost);
            break;
        case kCodePageUtf32Be:
            bytes = EncodeUtf32Bytes(text, true, &lost);
            break;
        default:
            bytes = EncodeWithIcu(codePage, text, lost);
            break;
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

bool LooksLikeUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n && p[i] != 0;) {
        const unsigned char lead = p[i++];
        if (lead < 0x80) {
            continue;
        }
        // A stray continuation byte counts as a lead: two bytes when 0x20 is clear.
        int continuations;
        if ((lead & 0xE0) == 0xC0 || (lead & 0xE0) == 0x80) {
            continuations = 1;
        } else if ((lead & 0xF0) == 0xE0 || (lead & 0xE0) == 0xA0) {
            continuations = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            continuations = 3;
        } else {
            return false;  // 11111xxx
        }
        // A lead byte followed by anything but 10xxxxxx is 8-bit text ("d\xE9jeuner",
        // Cyrillic in Windows-1251, "\xC9\xC9"): read as UTF-8 it would lose characters.
        for (; continuations > 0; --continuations, ++i) {
            if (i >= n || (p[i] & 0xC0) != 0x80) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace vesko
