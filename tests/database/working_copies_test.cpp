// The working-copy store: versions, failed reads that protect the copy, and units
// that put back every copy when one of their writes fails.

#include "database/working_copies.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "fault_file_system.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class WorkingCopiesTest : public ::testing::Test {
protected:
    void SetUp() override { copies.Reset(); }
    void TearDown() override { copies.Reset(); }

    // Loads `name`, sets an attribute of its root and saves it.
    FileResult Touch(std::string_view name, std::u16string_view value) {
        CXmlDoc doc;
        if (FileResult loaded = copies.Load(doc, name); !loaded) {
            return loaded;
        }
        doc.ResetPosition();
        doc.FindElement();
        doc.SetAttribute(u"v", value);
        return copies.Save(doc, name);
    }

    TempDir dir{true};
    WorkingCopies& copies = WorkingCopies::Current();
};

TEST_F(WorkingCopiesTest, VersionsCountOnlyRealWritesSinceTheLastSave) {
    WriteBytes(dir / "a.xml", "<r/>");
    copies.SetExpected({"a.xml"});
    EXPECT_FALSE(copies.IsModified());
    ASSERT_TRUE(Touch("a.xml", u"1"));
    EXPECT_EQ(copies.Version("a.xml"), 1u);
    EXPECT_TRUE(copies.IsModified());
    EXPECT_EQ(ReadBytes(dir / "a.xml"), "<r v=\"1\"/>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left beside it
    copies.MarkSaved();
    EXPECT_FALSE(copies.IsModified());
}

TEST_F(WorkingCopiesTest, AMissingOrUnreadableCopyIsAFailureAndIsNeverWrittenOver) {
    WriteBytes(dir / "gone.xml", "<r/>");
    copies.SetExpected({"gone.xml", "dir.xml"});
    std::filesystem::remove(dir / "gone.xml");
    std::filesystem::create_directory(dir / "dir.xml");

    for (const char* name : {"gone.xml", "dir.xml"}) {
        CXmlDoc doc;
        const FileResult loaded = copies.Load(doc, name);
        ASSERT_FALSE(loaded) << name;
        EXPECT_EQ(loaded.Error().step, FileStep::Read);
        EXPECT_FALSE(copies.Save(doc, name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.xml"));
    EXPECT_EQ(copies.TakeFailures().size(), 2u);
    EXPECT_FALSE(copies.IsModified());

    // A file the database never had (no cable transponders, say) is simply empty.
    CXmlDoc optional;
    EXPECT_TRUE(copies.Load(optional, "temp_sat_c.xml"));
    EXPECT_TRUE(optional.GetDoc().empty());
}

TEST_F(WorkingCopiesTest, AFailedUnitPutsBackEveryCopyItWrote) {
    WriteBytes(dir / "a.xml", "<r/>");
    WriteBytes(dir / "b.xml", "<r/>");
    copies.SetExpected({"a.xml", "b.xml"});

    copies.BeginUnit();
    ASSERT_TRUE(Touch("a.xml", u"new"));
    // The second write of the command cannot be moved into place.
    testing::FaultyFileSystem fs;
    copies.SetFileSystem(fs);
    fs.Arm(1, "Rename");
    EXPECT_FALSE(Touch("b.xml", u"new"));
    fs.Arm(0);
    const std::vector<FileError> failures = copies.EndUnit();

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].file, "b.xml");
    EXPECT_EQ(DescribeWorkingCopyError(failures[0]),
              u"the working copy of b.xml could not be written: input/output error");
    EXPECT_EQ(ReadBytes(dir / "a.xml"), "<r/>");
    EXPECT_EQ(ReadBytes(dir / "b.xml"), "<r/>");
    EXPECT_FALSE(copies.IsModified());

    // A unit whose writes all succeed keeps them.
    copies.BeginUnit();
    ASSERT_TRUE(Touch("a.xml", u"x"));
    ASSERT_TRUE(Touch("b.xml", u"y"));
    EXPECT_TRUE(copies.EndUnit().empty());
    EXPECT_EQ(ReadBytes(dir / "b.xml"), "<r v=\"y\"/>");
    EXPECT_TRUE(copies.IsModified());
}

// The system itself stops the write after N bytes (a file-size limit, reported as a full
// disk would be, on whichever write or flush meets it): at the byte-order mark, at the
// C library's buffer boundaries, one byte short. The copy keeps its old bytes every time.
TEST_F(WorkingCopiesTest, AWriteCutAfterAnyNumberOfBytesKeepsTheOldCopy) {
    std::string old = "\xEF\xBB\xBF<r>";
    for (int i = 0; i < 400; ++i) {
        old += "<prog service_key=\"" + std::to_string(i) + "\" name=\"\xD0\x9A\"/>\n";
    }
    old += "</r>";
    WriteBytes(dir / "a.xml", old);
    copies.SetExpected({"a.xml"});
    CXmlDoc doc;
    ASSERT_TRUE(copies.Load(doc, "a.xml"));
    doc.ResetPosition();
    doc.FindElement();
    doc.SetAttribute(u"v", u"new");
    const long full = static_cast<long>(old.size() + 8);

    ::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    for (const long limit : {0L, 1L, 3L, 4095L, 4096L, 4097L, 8192L, full - 1}) {
        rlimit cut = unlimited;
        cut.rlim_cur = static_cast<rlim_t>(limit);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &cut), 0);
        const FileResult saved = copies.Save(doc, "a.xml");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        ASSERT_FALSE(saved) << limit;
        EXPECT_EQ(saved.Error().cause, std::errc::file_too_large) << limit;
        EXPECT_EQ(ReadBytes(dir / "a.xml"), old) << limit;
        EXPECT_EQ(copies.Version("a.xml"), 0u) << limit;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  1)
            << limit;
    }
    ::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(copies.TakeFailures().size(), 8u);
    ASSERT_TRUE(copies.Save(doc, "a.xml"));
    EXPECT_EQ(static_cast<long>(ReadBytes(dir / "a.xml").size()), full);
}

}  // namespace
}  // namespace vesko
