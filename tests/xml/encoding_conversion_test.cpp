// Code-page conversion, the UTF-8 test and the encoding declaration.

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <random>
#include <string>

#include "xml/encoding.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

// ICU's own UTF-8 decoder as the reference for ours (both replace each maximal
// ill-formed part with one U+FFFD).
std::u16string DecodeWithIcuUtf8(std::string_view bytes) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("UTF-8", &error);
    std::u16string out(bytes.size() + 1, u'\0');
    const int32_t n = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                    static_cast<int32_t>(out.size()), bytes.data(),
                                    static_cast<int32_t>(bytes.size()), &error);
    ucnv_close(converter);
    out.resize(static_cast<size_t>(n));
    return out;
}

const std::u16string kMixed =
    u"<prog name=\"Первый канал\" provider=\"ΕΡΤ\" alt=\"中央电视台\" e=\"\U0001F600\"/>";

TEST(EncodingConversion, Utf8RoundTripsEveryScriptAtEveryAlignment) {
    // Non-ASCII characters at every position around the 16-byte fast path.
    for (std::u16string_view special : {u"Ж", u"中", u"\U0001F600", u"é"}) {
        for (size_t at = 0; at < 40; ++at) {
            std::u16string text(40, u'a');
            text.insert(at, special);
            bool lossy = true;
            const std::string bytes = EncodeFromUtf16(kCodePageUtf8, text, &lossy);
            EXPECT_FALSE(lossy);
            EXPECT_EQ(DecodeToUtf16(kCodePageUtf8, bytes, &lossy), text) << at;
            EXPECT_FALSE(lossy);
        }
    }
    const std::string bytes = EncodeFromUtf16(kCodePageUtf8, kMixed);
    EXPECT_EQ(bytes.substr(12, 4), "\xD0\x9F\xD0\xB5");  // "Пе"
    EXPECT_EQ(DecodeToUtf16(kCodePageUtf8, bytes), kMixed);
}

TEST(EncodingConversion, Utf8DecoderAgreesWithIcuOnArbitraryBytes) {
    std::mt19937 random(7);
    const char pieces[][5] = {
        "a",    "<",        "\xD0\x96",     "\xE4\xB8\xAD",     "\xF0\x9F\x98\x80",
        "\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8",
        "\xFF", "\xF0\x9F", "\xC3",         "\xE0\x80\x80"};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        // Now and then long enough to cross the decoder's internal blocks.
        const int count = 1 + static_cast<int>(random() % (round % 50 == 0 ? 20000 : 40));
        for (int i = 0; i < count; ++i) {
            bytes += pieces[random() % std::size(pieces)];
        }
        bool lossy = false;
        ASSERT_EQ(DecodeToUtf16(kCodePageUtf8, bytes, &lossy), DecodeWithIcuUtf8(bytes)) << round;
    }
    bool lossy = false;
    EXPECT_EQ(DecodeToUtf16(kCodePageUtf8,
                            "a\xFF"
                            "b",
                            &lossy),
              u"a\xFFFD"
              u"b");
    EXPECT_TRUE(lossy);
}

TEST(EncodingConversion, LoneSurrogatesAreWrittenAsQuestionMarks) {
    const std::u16string text =
        u"a\xD800"
        u"b\xDC00";
    bool lossy = false;
    EXPECT_EQ(EncodeFromUtf16(kCodePageUtf8, text, &lossy), "a?b?");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(EncodeFromUtf16(1251, text, &lossy), "a?b?");
    EXPECT_TRUE(lossy);
}

TEST(EncodingConversion, NamedCodePages) {
    bool lossy = true;
    EXPECT_EQ(EncodeFromUtf16(1251, u"Привет", &lossy), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_FALSE(lossy);
    EXPECT_EQ(DecodeToUtf16(1251, "\xCF\xF0\xE8\xE2\xE5\xF2"), u"Привет");
    EXPECT_EQ(DecodeToUtf16(28597, "\xC1\xE8\xDE\xED\xE1"), u"Αθήνα");
    EXPECT_EQ(DecodeToUtf16(28591, "caf\xE9\x80"), u"café\x80");  // true Latin-1
    EXPECT_EQ(DecodeToUtf16(936, "\xD6\xD0\xCE\xC4"), u"中文");
    EXPECT_EQ(EncodeFromUtf16(932, u"日本"), "\x93\xFA\x96\x7B");
    // Code page 0 is Windows-1252; a code page without a converter falls back to it.
    EXPECT_EQ(DecodeToUtf16(kCodePageAnsi, "\x80"), u"€");
    EXPECT_EQ(DecodeToUtf16(20105, "\x80"), u"€");
    EXPECT_EQ(EncodeFromUtf16(kCodePageAnsi, u"€"), "\x80");
}

TEST(EncodingConversion, LossIsReportedNeverFatal) {
    bool lossy = false;
    EXPECT_EQ(EncodeFromUtf16(28591, u"aЖ中b", &lossy), "a??b");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(EncodeFromUtf16(932, u"aЖ\U0001F600", &lossy), "a\x84\x47?");
    EXPECT_TRUE(lossy);
    // Undecodable bytes become U+FFFD and the rest still comes through.
    lossy = false;
    EXPECT_EQ(DecodeToUtf16(932,
                            "a\x81"
                            "b\x85",
                            &lossy)
                  .substr(0, 1),
              u"a");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(DecodeToUtf16(20127, "a\xE9z", &lossy), u"a\xFFFDz");
    EXPECT_TRUE(lossy);
}

TEST(EncodingConversion, WideUnicodeEncodings) {
    const std::u16string text = u"aЖ\U0001F600";
    const std::string le = EncodeFromUtf16(1200, text);
    EXPECT_EQ(le, std::string("a\0\x16\x04\x3D\xD8\x00\xDE", 8));
    EXPECT_EQ(DecodeToUtf16(1200, le), text);
    const std::string be = EncodeFromUtf16(1201, text);
    EXPECT_EQ(be, std::string("\0a\x04\x16\xD8\x3D\xDE\x00", 8));
    EXPECT_EQ(DecodeToUtf16(1201, be), text);

    const std::string utf32 = EncodeFromUtf16(kCodePageUtf32, text);
    EXPECT_EQ(utf32, std::string("a\0\0\0\x16\x04\0\0\x00\xF6\x01\0", 12));
    EXPECT_EQ(DecodeToUtf16(kCodePageUtf32, utf32), text);
    bool lossy = false;
    EXPECT_EQ(DecodeToUtf16(kCodePageUtf32, std::string("\0\0\x11\0\0\xD8\0\0", 8), &lossy),
              u"\xFFFD\xFFFD");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(DecodeToUtf16(12001, std::string("\0\0\0a", 4)), u"a");
}

TEST(EncodingConversion, Utf8Test) {
    EXPECT_TRUE(LooksLikeUtf8(""));
    EXPECT_TRUE(LooksLikeUtf8(" <a>plain ascii</a>"));
    EXPECT_TRUE(LooksLikeUtf8("\xD0\x9F\xD1\x80\xE4\xB8\xAD\xF0\x9F\x98\x80"));
    // 8-bit text: a lead byte followed by something that is no continuation.
    for (const char* latin : {"caf\xE9 au lait", "d\xE9jeuner", "\xC9t\xE9",
                              "\xCF\xE5\xF0\xE2\xFB\xE9",  // Windows-1251
                              "\xC0\xC0", "\xE9\xE9\xE9"}) {
        EXPECT_FALSE(LooksLikeUtf8(latin)) << latin;
    }
    EXPECT_FALSE(LooksLikeUtf8("end\xD0"));  // sequence cut by the end
    EXPECT_FALSE(LooksLikeUtf8("\xE4\xB8"));
    EXPECT_FALSE(LooksLikeUtf8("\xF8\x80\x80\x80\x80"));
    EXPECT_FALSE(LooksLikeUtf8("\xFF"));
    // Lenient on purpose: a stray continuation byte is taken as a lead.
    EXPECT_TRUE(LooksLikeUtf8("\x80\x80"));
    EXPECT_FALSE(LooksLikeUtf8("\xA0\x80"));  // 0x20 set: wants two
    EXPECT_TRUE(LooksLikeUtf8("\xA0\x80\x80"));
    // The walk stops at a zero byte.
    EXPECT_TRUE(LooksLikeUtf8(std::string_view("ok\0\xFF", 4)));
}

TEST(EncodingConversion, FindEncodingDeclaration) {
    EXPECT_EQ(
        CXmlDoc::FindEncodingDeclaration(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>"),
        u"ISO-8859-1");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u"<?xml version='1.0' encoding='windows-1251' ?>"),
              u"windows-1251");
    // Raw, not decoded.
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u"<?xml encoding=\"a&amp;b\"?>"), u"a&amp;b");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u"<?xml version=\"1.0\"?><a/>"), u"");
    // Only a declaration at the very start counts.
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u" <?xml encoding=\"koi8-r\"?><a/>"), u"");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u"<?xml-stylesheet encoding=\"koi8-r\"?><a/>"), u"");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u""), u"");

    const std::u16string page =
        u"<!DOCTYPE html>\r\n<html><head><title>x</title>"
        u"<meta name=\"charset\" content=\"charset=wrong\">"
        u"<META HTTP-EQUIV=\"content-type\" CONTENT=\"text/html; Charset = koi8-r; x\">"
        u"</head><body/></html>";
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(page), u"koi8-r");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(
                  u"<html><head></head><meta http-equiv=\"Content-Type\" content=\"charset=x\">"),
              u"");
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(
                  u"<body><meta http-equiv=\"Content-Type\" content=\"charset=x\"></body>"),
              u"");
    // A block cut in the middle of a tag stops the scan without harm.
    EXPECT_EQ(CXmlDoc::FindEncodingDeclaration(u"<html><head><meta http-equiv=\"Content-Ty"), u"");
}

}  // namespace
}  // namespace vesko
