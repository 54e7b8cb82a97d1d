#include "database/export_copy.h"

#include <gtest/gtest.h>

#include "fault_file_system.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Export(const TempDir& dir, std::string_view source) {
    WriteBytes(dir / "src.xml", source);
    EXPECT_EQ(ExportCopy(dir / "src.xml", dir / "dst.xml"), 0);
    return ReadBytes(dir / "dst.xml");
}

TEST(ExportCopy, FiltersBytesOutsideQuotedValues) {
    TempDir dir;
    // CR LF pairs go everywhere; the byte-order mark and bytes above 0x7F go outside quotes.
    EXPECT_EQ(Export(dir, "<a>\r\n<b/>\r\n</a>\r\n"), "<a><b/></a>");
    EXPECT_EQ(Export(dir, "\xEF\xBB\xBF<a/>"), "<a/>");
    const std::string cyrillic = "<p name=\"\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB2\xD1\x8B\xD0\xB9\"/>";
    EXPECT_EQ(Export(dir, cyrillic), cyrillic);
    EXPECT_EQ(Export(dir, "<a>\xD0\x9F</a>"), "<a></a>");
    // TAB and LF are kept; a lone CR outside quotes is dropped; other controls too.
    EXPECT_EQ(Export(dir, "<a>\t\n\r\x01</a>"), "<a>\t\n</a>");
    // Inside quotes every byte is kept, a lone CR included; a CR LF pair still goes.
    EXPECT_EQ(Export(dir, "<a v=\"x\ry\x01\r\nz\"/>"), "<a v=\"x\ry\x01z\"/>");
    // Only the double quote counts: an apostrophe inside a value does not end it, one in
    // element text does not start one.
    EXPECT_EQ(Export(dir, "<p name=\"It's \xC3\xA9\"/>"), "<p name=\"It's \xC3\xA9\"/>");
    EXPECT_EQ(Export(dir, "<a>it's\xC3\xA9</a>"), "<a>it's</a>");
    // The edges of the kept range: 0x7F stays, 0x80 goes outside quotes.
    EXPECT_EQ(Export(dir, "<a>\x1F\x7F\x80</a>"), "<a>\x7F</a>");
    // A quote in element text flips the parity just the same.
    EXPECT_EQ(Export(dir, "<a>\"\xC3\xA9</a>\xC3\xA9"), "<a>\"\xC3\xA9</a>\xC3\xA9");
    // An empty file stays empty.
    EXPECT_EQ(Export(dir, ""), "");
}

TEST(ExportCopy, CrLfSplitAcrossBlocksIsStillOnePair) {
    TempDir dir;
    std::string source(1023, 'x');
    source += "\r\n<a/>";
    std::string expected(1023, 'x');
    expected += "<a/>";
    EXPECT_EQ(Export(dir, source), expected);
    // A large file passes through whole.
    std::string big;
    for (int i = 0; i < 5000; ++i) {
        big += "<prog name=\"\xD0\x9A\xD0\xB0\xD0\xBD\xD0\xB0\xD0\xBB " + std::to_string(i) +
               "\"/>\r\n";
    }
    std::string bigExpected = big;
    for (size_t p; (p = bigExpected.find("\r\n")) != std::string::npos;) {
        bigExpected.erase(p, 2);
    }
    EXPECT_EQ(Export(dir, big), bigExpected);
}

TEST(ExportCopy, ReplacedFileKeepsItsPermissions) {
    TempDir dir;
    namespace fs = std::filesystem;
    WriteBytes(dir / "src.xml", "<a/>");
    ASSERT_EQ(ExportCopy(dir / "src.xml", dir / "new.xml"), 0);
    EXPECT_EQ(fs::status(dir / "new.xml").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    fs::permissions(dir / "new.xml", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(ExportCopy(dir / "src.xml", dir / "new.xml"), 0);
    EXPECT_EQ(fs::status(dir / "new.xml").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ExportCopy, FailureLeavesDestinationUntouched) {
    TempDir dir;
    WriteBytes(dir / "dst.xml", "old bytes");
    // Missing source.
    EXPECT_EQ(ExportCopy(dir / "missing.xml", dir / "dst.xml"), -1);
    EXPECT_EQ(ReadBytes(dir / "dst.xml"), "old bytes");
    // A source that is a folder.
    EXPECT_EQ(ExportCopy(dir.Path(), dir / "dst.xml"), -1);
    EXPECT_EQ(ReadBytes(dir / "dst.xml"), "old bytes");
    // A write that fails half-way, as on a full disk; a flush to the disk that fails.
    WriteBytes(dir / "src.xml", std::string(5000, 'a'));
    testing::FaultyFileSystem full;
    full.writeLimit = 2000;
    const FileResult cut = ExportFile(full, dir / "src.xml", dir / "dst.xml");
    ASSERT_FALSE(cut);
    EXPECT_EQ(DescribeFileError(cut.Error()), u"dst.xml: no space left on the device");
    testing::FaultyFileSystem failingSync;
    failingSync.Arm(1, "Sync");
    const FileResult unsynced = ExportFile(failingSync, dir / "src.xml", dir / "dst.xml");
    ASSERT_FALSE(unsynced);
    EXPECT_EQ(unsynced.Error().step, FileStep::Flush);
    EXPECT_EQ(ReadBytes(dir / "dst.xml"), "old bytes");
    // A destination that is a folder, or in a folder that does not exist.
    std::filesystem::create_directory(dir / "adir");
    EXPECT_EQ(ExportCopy(dir / "src.xml", dir / "adir"), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "adir"));
    EXPECT_EQ(ExportCopy(dir / "src.xml", dir / "nowhere" / "dst.xml"), -1);
    // No temporary file is left behind.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // dst.xml, src.xml, adir
}

TEST(ExportCopy, WideWorkingCopiesBecomeUtf8WithTheirDeclaration) {
    TempDir dir;
    const std::u16string text =
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a n=\"\u00E9\U0001F600\"/>";
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a n=\"\xC3\xA9\xF0\x9F\x98\x80\"/>";
    const auto encode = [&text](int width, bool bigEndian) {
        std::u32string points;
        for (size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            if (c >= 0xD800 && c < 0xDC00) {
                c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            }
            points += c;
        }
        std::string bytes;
        const auto put = [&](uint32_t unit) {
            for (int b = 0; b < width; ++b) {
                const int shift = bigEndian ? 8 * (width - 1 - b) : 8 * b;
                bytes += static_cast<char>((unit >> shift) & 0xFF);
            }
        };
        if (width == 2) {
            for (char16_t unit : text) {
                put(unit);
            }
        } else {
            for (char32_t point : points) {
                put(point);
            }
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string mark;
        int width;
        bool bigEndian;
    } cases[] = {
        {"UTF-16LE with mark", "\xFF\xFE", 2, false},
        {"UTF-16BE with mark", "\xFE\xFF", 2, true},
        {"UTF-16LE without mark", "", 2, false},
        {"UTF-16BE without mark", "", 2, true},
        {"UTF-32LE with mark", std::string("\xFF\xFE\0\0", 4), 4, false},
        {"UTF-32BE with mark", std::string("\0\0\xFE\xFF", 4), 4, true},
        {"UTF-32LE without mark", "", 4, false},
        {"UTF-32BE without mark", "", 4, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Export(dir, c.mark + encode(c.width, c.bigEndian)), expected) << c.name;
    }
    // A wide copy cut in the middle of a character is refused, the old file kept.
    WriteBytes(dir / "dst.xml", "old");
    WriteBytes(dir / "src.xml", std::string("\xFF\xFE<\0a\0/\0>\0\0", 11));
    const FileResult refused = ExportFile(FileSystem::System(), dir / "src.xml", dir / "dst.xml");
    ASSERT_FALSE(refused);
    EXPECT_NE(DescribeFileError(refused.Error()).find(u"UTF-16"), std::u16string::npos);
    EXPECT_EQ(ReadBytes(dir / "dst.xml"), "old");
}

}  // namespace
}  // namespace vesko
