// Load and Save against real files: byte-exact round trips in every encoding the
// receiver files come in, and the failure paths.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "base/file_result.h"
#include "temp_dir.h"
#include "xml/utf_codecs.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

class FileIo : public ::testing::Test {
protected:
    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / name;
        testing::WriteBytes(path, bytes);
        return path;
    }
    // Loads the bytes, saves the unedited document and returns what was written.
    std::string RoundTrip(const std::string& bytes, CXmlDoc& doc) {
        const fs::path in = Write("in.xml", bytes);
        EXPECT_TRUE(doc.Load(in)) << ToUtf8(doc.GetResult());
        const fs::path out = m_dir / "out.xml";
        EXPECT_TRUE(doc.Save(out)) << ToUtf8(doc.GetResult());
        return ReadBytes(out);
    }
    static std::string ToUtf8(const std::u16string& s) { return std::string(s.begin(), s.end()); }

    testing::TempDir m_tempDir;
    const fs::path& m_dir = m_tempDir.Path();
};

// The first report entry named `word`, "" when there is none.
std::u16string Entry(const std::u16string& report, std::u16string_view word) {
    const std::u16string open = u"<" + std::u16string(word);
    size_t at = report.find(open);
    while (at != std::u16string::npos) {
        const char16_t after = report[at + open.size()];
        if (after == u' ' || after == u'/') {
            return report.substr(at, report.find(u"/>", at) + 2 - at);
        }
        at = report.find(open, at + 1);
    }
    return {};
}

bool Has(const std::u16string& entry, std::u16string_view attribute) {
    return entry.find(attribute) != std::u16string::npos;
}

std::u16string NameOfFirstProg(CXmlDoc& doc) {
    doc.ResetPosition();
    if (!doc.FindChildElement(u"prog"))
        return u"<none>";
    doc.IntoElement();
    std::u16string name = doc.GetAttribute(u"name");
    doc.OutOfElement();
    return name;
}

const std::string kUtf8Body =
    "<services>\r\n"
    "<prog service_key=\"1\" name=\"\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB2\xD1\x8B\xD0\xB9\"/>\r\n"
    "<prog service_key=\"2\" name=\"\xCE\x95\xCE\xA1\xCE\xA4 \xE4\xB8\xAD\xE5\xA4\xAE\"/>\r\n"
    "</services>\r\n";

TEST_F(FileIo, Utf8FilesComeBackByteForByte) {
    const std::string declared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + kUtf8Body;
    for (const std::string& bytes :
         {declared, kUtf8Body, "\xEF\xBB\xBF" + declared, "\xEF\xBB\xBF" + kUtf8Body,
          std::string("<a>\n<prog name=\"lf only\"/>\n</a>\n")}) {
        CXmlDoc doc;
        EXPECT_EQ(RoundTrip(bytes, doc), bytes);
    }
    CXmlDoc doc;
    RoundTrip("\xEF\xBB\xBF" + kUtf8Body, doc);
    EXPECT_EQ(doc.GetDocFlags() & 0xFF, kDocUtf8Bom);
    EXPECT_EQ(doc.GetDoc().substr(0, 10), u"<services>");  // the mark is not text
    EXPECT_EQ(NameOfFirstProg(doc), u"Первый");
    EXPECT_FALSE(Entry(doc.GetResult(), u"write").empty());
}

TEST_F(FileIo, LoadReportsHowTheFileWasRead) {
    CXmlDoc doc;
    doc.Load(Write("a.xml", "\xEF\xBB\xBF" + kUtf8Body));
    const std::u16string& report = doc.GetResult();
    EXPECT_FALSE(Entry(report, u"bom").empty());
    EXPECT_TRUE(Has(Entry(report, u"read"), u"encoding=\"UTF-8\""));
    const std::string length = "length=\"" + std::to_string(kUtf8Body.size()) + "\"";
    EXPECT_TRUE(Has(Entry(report, u"read"), std::u16string(length.begin(), length.end())));
    EXPECT_TRUE(Has(Entry(report, u"converted_to"), u"encoding=\"UTF-16\""));
    EXPECT_TRUE(Entry(report, u"utf8_detection").empty());
    // The report starts with the file entries; a well-formed parse adds nothing.
    EXPECT_EQ(report.rfind(u"<bom", 0), 0u);
}

TEST_F(FileIo, Utf16FilesKeepTheirByteOrder) {
    const std::u16string text = u"<a>\r\n<prog name=\"Первый ΕΡΤ 中央\"/>\r\n</a>\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t c : text) {
        le += static_cast<char>(c & 0xFF);
        le += static_cast<char>(c >> 8);
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    CXmlDoc little;
    EXPECT_EQ(RoundTrip(le, little), le);
    EXPECT_EQ(little.GetDoc(), text);
    EXPECT_EQ(little.GetDocFlags() & 0xFF, kDocUtf16Le);
    EXPECT_TRUE(Has(Entry(little.GetResult(), u"write"), u"encoding=\"UTF-16LE\""));

    CXmlDoc big;
    EXPECT_EQ(RoundTrip(be, big), be);
    EXPECT_EQ(big.GetDoc(), text);
    EXPECT_EQ(big.GetDocFlags() & 0xFF, kDocUtf16Be);
    EXPECT_FALSE(Entry(big.GetResult(), u"endian_swap").empty());

    // A later load of a file without a mark must not inherit the big-endian flag.
    EXPECT_TRUE(big.Load(Write("plain.xml", kUtf8Body)));
    EXPECT_EQ(big.GetDocFlags() & 0xFF, 0u);
    EXPECT_TRUE(big.Save(m_dir / "plain-out.xml"));
    EXPECT_EQ(ReadBytes(m_dir / "plain-out.xml"), kUtf8Body);
}

std::u16string Utf16Of(std::u32string_view text) {
    std::u16string units;
    for (const char32_t c : text) {
        if (c > 0xFFFF) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }
    return units;
}

// The bytes of a text in UTF-8 (width 1), UTF-16 (2) or UTF-32 (4).
std::string EncodeAs(std::u32string_view text, int width, bool bigEndian) {
    std::string bytes;
    // UTF-8 sequences are put most significant byte first, like big-endian units.
    const bool highFirst = bigEndian || width == 1;
    const auto put = [&](uint32_t unit, int size) {
        for (int k = 0; k < size; ++k) {
            bytes += static_cast<char>(unit >> (8 * (highFirst ? size - 1 - k : k)));
        }
    };
    if (width == 2) {
        for (const char16_t unit : Utf16Of(text)) {
            put(unit, 2);
        }
        return bytes;
    }
    for (const char32_t c : text) {
        if (width == 4 || c < 0x80) {
            put(c, width);
        } else if (c < 0x800) {
            put(0xC080 | ((c << 2) & 0x1F00) | (c & 0x3F), 2);
        } else if (c < 0x10000) {
            put(0xE08080 | ((c << 4) & 0x0F0000) | ((c << 2) & 0x3F00) | (c & 0x3F), 3);
        } else {
            put(0xF0808080u | ((c << 6) & 0x07000000) | ((c << 4) & 0x3F0000) |
                    ((c << 2) & 0x3F00) | (c & 0x3F),
                4);
        }
    }
    return bytes;
}

TEST_F(FileIo, UnicodeFilesComeBackInTheirOwnEncoding) {
    struct Form {
        const char* name;
        int width;
        bool bigEndian;
        std::u32string declared;
    };
    const Form forms[] = {
        {"UTF-8", 1, false, U"UTF-8"},    {"UTF-16LE", 2, false, U"UTF-16"},
        {"UTF-16BE", 2, true, U"UTF-16"}, {"UTF-32LE", 4, false, U"UTF-32"},
        {"UTF-32BE", 4, true, U"UTF-32"},
    };
    // Without a declaration the file starts with white space, so that both first
    // characters a file can have are seen without a mark.
    const std::u32string body =
        U"<services>\r\n<prog service_key=\"1\" name=\"Первый ΕΡΤ 中央 \U0001F600\"/>\r\n"
        U"</services>\r\n";
    for (const Form& form : forms) {
        for (const bool marked : {false, true}) {
            for (const bool declared : {false, true}) {
                const std::u32string text = declared ? U"<?xml version=\"1.0\" encoding=\"" +
                                                           form.declared + U"\"?>\r\n" + body
                                                     : U"\r\n" + body;
                const std::string bytes =
                    (marked ? EncodeAs(U"\uFEFF", form.width, form.bigEndian) : "") +
                    EncodeAs(text, form.width, form.bigEndian);
                const std::string label = std::string(form.name) + (marked ? " marked" : "") +
                                          (declared ? " declared" : "");
                CXmlDoc doc;
                EXPECT_EQ(RoundTrip(bytes, doc), bytes) << label;
                // Byte-identical is not enough: the text must have been understood.
                EXPECT_EQ(doc.GetDoc(), Utf16Of(text)) << label;
            }
        }
    }
}

TEST_F(FileIo, LargeUtf8FilesReadAsIfDecodedInOnePiece) {
    // Large files are decoded block by block as they are read. Sequences, broken ones
    // and zero bytes inside them fall on every place of a block's end in turn.
    const std::string pattern(
        "a\xD0\x96\xE4\xB8\xAD\xF0\x9F\x98\x80\xE1\x80"
        "A\0\xF0\x9F"
        "b\xD0\0\x96",
        20);
    constexpr size_t kBlock = 64 * 1024;  // the reader's; sizes around three of them
    for (size_t shift = 0; shift < pattern.size(); ++shift) {
        for (const bool marked : {false, true}) {
            std::string bytes = marked ? "\xEF\xBB\xBF" : "";
            bytes += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>" + std::string(shift, 'x');
            const size_t size = 3 * kBlock + shift - pattern.size() / 2;  // one ends on a block
            while (bytes.size() < size - 4) {
                bytes += pattern;
            }
            bytes.resize(size - 4);
            bytes += "</a>";

            std::string kept = bytes.substr(marked ? 3 : 0);
            const size_t zeros = std::erase(kept, '\0');
            std::u16string expected(kept.size(), u'\0');
            expected.resize(DecodeUtf8(kept, expected.data(), nullptr));

            CXmlDoc doc;
            EXPECT_TRUE(doc.Load(Write("large.xml", bytes))) << shift;
            EXPECT_EQ(doc.GetDoc(), expected) << "shift " << shift << (marked ? " marked" : "");
            const std::string count = "count=\"" + std::to_string(zeros) + "\"";
            EXPECT_TRUE(Has(Entry(doc.GetResult(), u"nulls_removed"),
                            std::u16string(count.begin(), count.end())));
        }
    }
}

TEST_F(FileIo, DeclaredCodePagesAreReadAndWrittenInThatCodePage) {
    // "café Ünïcode" in Latin-1, declared in any letter case.
    const std::string latin1 =
        "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n<a name=\"caf\xE9 \xDCn\xEF\x63ode\"/>\n";
    CXmlDoc doc;
    EXPECT_EQ(RoundTrip(latin1, doc), latin1);
    doc.FindChildElement();
    EXPECT_EQ(doc.GetAttribute(u"name"), u"café Ünïcode");
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"write"), u"encoding=\"iso-8859-1\""));

    const std::string cyrillic =
        "<?xml version=\"1.0\" encoding=\"Windows-1251\"?>\r\n<services>\r\n"
        "<prog name=\"\xCF\xE5\xF0\xE2\xFB\xE9 \xEA\xE0\xED\xE0\xEB\"/>\r\n</services>\r\n";
    CXmlDoc ru;
    EXPECT_EQ(RoundTrip(cyrillic, ru), cyrillic);
    EXPECT_EQ(NameOfFirstProg(ru), u"Первый канал");
}

TEST_F(FileIo, CharactersTheCodePageCannotHoldBecomeQuestionMarks) {
    CXmlDoc doc;
    doc.SetDoc(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a name=\"Жé中\"/>");
    const fs::path out = m_dir / "loss.xml";
    EXPECT_TRUE(doc.Save(out));
    EXPECT_EQ(ReadBytes(out),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a name=\"?\xE9?\"/>");
    EXPECT_FALSE(Entry(doc.GetResult(), u"conversion_loss").empty());
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"converted_from"), u"encoding=\"UTF-16\""));
    // The document text itself is untouched.
    EXPECT_NE(doc.GetDoc().find(u"Жé中"), std::u16string::npos);
}

TEST_F(FileIo, FilesWithoutMarkOrDeclaration) {
    // Starting with '<': UTF-8 without a test, broken bytes become U+FFFD.
    CXmlDoc doc;
    EXPECT_TRUE(doc.Load(Write("lt.xml", "<a n=\"\xE9\"/>")));
    EXPECT_EQ(doc.GetDoc(), u"<a n=\"\xFFFD\"/>");
    EXPECT_TRUE(Entry(doc.GetResult(), u"utf8_detection").empty());

    // Starting with white space: tested; valid UTF-8 reads as UTF-8...
    EXPECT_TRUE(doc.Load(Write("ws8.xml", " <a n=\"\xD0\x96\"/>")));
    EXPECT_EQ(doc.GetDoc(), u" <a n=\"Ж\"/>");
    EXPECT_FALSE(Entry(doc.GetResult(), u"utf8_detection").empty());
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"read"), u"encoding=\"UTF-8\""));

    // ...anything else in the ANSI code page (Windows-1252). With nothing declared
    // the text is saved as UTF-8.
    CXmlDoc other;
    EXPECT_TRUE(other.Load(Write("ansi.xml", "\r\n<a n=\"caf\xE9 \x80\"/>")));
    EXPECT_EQ(other.GetDoc(), u"\r\n<a n=\"café €\"/>");
    EXPECT_FALSE(Entry(other.GetResult(), u"utf8_detection").empty());
    EXPECT_TRUE(other.Save(m_dir / "ansi-out.xml"));
    EXPECT_EQ(ReadBytes(m_dir / "ansi-out.xml"), "\r\n<a n=\"caf\xC3\xA9 \xE2\x82\xAC\"/>");
}

TEST_F(FileIo, MislabelledWideDeclarationKeepsTheText) {
    // An 8-bit file that claims UTF-16 (no mark) is read and written as UTF-8.
    const std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<a n=\"\xD0\x96\"/>\n";
    CXmlDoc doc;
    EXPECT_EQ(RoundTrip(bytes, doc), bytes);
    doc.FindChildElement();
    EXPECT_EQ(doc.GetAttribute(u"n"), u"Ж");
}

TEST_F(FileIo, ZeroBytesAreDroppedAndCounted) {
    CXmlDoc doc;
    EXPECT_TRUE(doc.Load(Write("z.xml", std::string("<a>\0x\0\0</a>", 11))));
    EXPECT_EQ(doc.GetDoc(), u"<a>x</a>");
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"nulls_removed"), u"count=\"3\""));

    std::string le = "\xFF\xFE";
    for (char c : std::string("<a>\0x</a>", 9)) {
        le += c;
        le += '\0';
    }
    EXPECT_TRUE(doc.Load(Write("z16.xml", le)));
    EXPECT_EQ(doc.GetDoc(), u"<a>x</a>");
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"nulls_removed"), u"count=\"1\""));
}

TEST_F(FileIo, EmptyFileLoadsAsAnEmptyDocument) {
    CXmlDoc doc;
    doc.SetDoc(u"<old/>");
    EXPECT_FALSE(doc.Load(Write("empty.xml", "")));
    EXPECT_TRUE(doc.GetDoc().empty());
    EXPECT_TRUE(Entry(doc.GetResult(), u"file_error").empty());
    EXPECT_FALSE(doc.FindChildElement());
}

TEST_F(FileIo, UnreadableAndUnwritablePaths) {
    CXmlDoc doc;
    doc.SetDoc(u"<old><prog/></old>");
    // A directory cannot be loaded; the document is left empty.
    EXPECT_FALSE(doc.Load(m_dir));
    EXPECT_TRUE(doc.GetDoc().empty());
    EXPECT_FALSE(doc.FindChildElement());
    const std::u16string error = Entry(doc.GetResult(), u"file_error");
    EXPECT_TRUE(Has(error, u"msg=\"")) << ToUtf8(doc.GetResult());
    EXPECT_TRUE(Has(error, u" n=\""));
    EXPECT_EQ(error.find(u'\n'), std::u16string::npos);

    EXPECT_EQ(doc.GetFileError(), make_error_code(FileProblem::NotRegularFile));

    // Nothing but a regular file is read, and nothing makes a load wait: a FIFO
    // without a writer, a device.
    const fs::path fifo = m_dir / "tv_prog.xml";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> loaded{false};
    std::thread unblock([&] {
        // Should the load wait on the FIFO after all, a writer that comes and goes
        // lets it go on, so the test fails instead of hanging.
        for (int i = 0; i < 300 && !loaded; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!loaded) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    for (const fs::path& special : {fifo, fs::path("/dev/null")}) {
        doc.SetDoc(u"<old/>");
        EXPECT_FALSE(doc.Load(special)) << special;
        EXPECT_EQ(doc.GetFileError(), make_error_code(FileProblem::NotRegularFile)) << special;
        EXPECT_FALSE(Entry(doc.GetResult(), u"file_error").empty());
        EXPECT_TRUE(doc.GetDoc().empty());
    }
    loaded = true;
    unblock.join();

    EXPECT_FALSE(doc.Load(m_dir / "missing.xml"));
    const std::u16string missing = u" n=\"" + std::u16string(1, u'0' + ENOENT) + u"\"";
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"file_error"), missing)) << ToUtf8(doc.GetResult());

    doc.SetDoc(u"<a/>");
    EXPECT_FALSE(doc.Save(m_dir));
    EXPECT_FALSE(Entry(doc.GetResult(), u"file_error").empty());
    EXPECT_TRUE(Entry(doc.GetResult(), u"write").empty());
    EXPECT_FALSE(doc.Save(m_dir / "no" / "such" / "folder.xml"));
}

TEST_F(FileIo, StreamModesRefuseLoadAndSave) {
    const fs::path in = Write("in.xml", "<b/>");
    for (uint32_t mode : {kDocReadFile, kDocWriteFile}) {
        CXmlDoc doc;
        doc.SetDoc(u"<a/>");
        doc.SetDocFlags(mode);
        EXPECT_FALSE(doc.Load(in));
        EXPECT_EQ(doc.GetDoc(), u"<a/>");
        EXPECT_FALSE(doc.Save(m_dir / "out.xml"));
        EXPECT_FALSE(fs::exists(m_dir / "out.xml"));
    }
}

TEST_F(FileIo, SavedTextWithoutDeclarationIsPlainUtf8) {
    CXmlDoc doc;
    doc.SetDoc(u"<a n=\"中\"/>");
    EXPECT_TRUE(doc.Save(m_dir / "n.xml"));
    EXPECT_EQ(ReadBytes(m_dir / "n.xml"), "<a n=\"\xE4\xB8\xAD\"/>");
    EXPECT_TRUE(Has(Entry(doc.GetResult(), u"write"), u"encoding=\"UTF-8\" length=\"12\""));
}

}  // namespace
}  // namespace vesko
