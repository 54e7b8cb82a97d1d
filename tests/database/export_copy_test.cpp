#include "database/export_copy.h"

#include <gtest/gtest.h>

#include "database/export_faults.h"
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
    // A write that fails half-way, as on a full disk.
    WriteBytes(dir / "src.xml", std::string(5000, 'a'));
    SetExportFaultAfter(2000);
    EXPECT_EQ(ExportCopy(dir / "src.xml", dir / "dst.xml"), -1);
    SetExportFaultAfter(-1);
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

}  // namespace
}  // namespace vesko
