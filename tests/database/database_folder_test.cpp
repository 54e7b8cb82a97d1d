#include "database/database_folder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <fstream>
#include <map>

#include "database/export_copy.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "database_generator.h"
#include "fake_platform.h"
#include "fault_file_system.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr std::u16string_view kOpenFailed =
    u"Unable to load all the documents or file missing,please check your files";
constexpr std::u16string_view kExitQuestion = u"         Save and leave ?";

DatabaseSize SmallSize() {
    DatabaseSize size;
    size.satellites = 2;
    size.satTransponders = 6;
    size.terTransponders = 2;
    size.cableTransponders = 2;
    size.tvServices = 20;
    size.radioServices = 6;
    size.maxGroupMembers = 4;
    return size;
}

// Every entry of a folder: files with their bytes, anything else marked as such, so
// that a left temporary file or folder shows as a difference.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path().filename().string()] =
            entry.is_regular_file() ? ReadBytes(entry.path()) : "(not a file)";
    }
    return files;
}

void Restore(const std::filesystem::path& folder, const std::map<std::string, std::string>& files) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::remove_all(entry.path());
    }
    for (const auto& [name, bytes] : files) {
        WriteBytes(folder / name, bytes);
    }
}

// The editor's working folder is the current directory; the databases live elsewhere.
struct Fixture {
    Fixture() { WorkingCopies::Current().Reset(); }
    ~Fixture() { WorkingCopies::Current().Reset(); }

    TempDir work{true};
    TempDir data;
    FakePlatform platform;
    testing::FaultyFileSystem fs;
    CDatabaseFolder folder{platform, fs};
    int reloads = 0;

    std::filesystem::path MakeDatabase(std::string_view name, DatabaseSize size = SmallSize(),
                                       uint32_t seed = 1) {
        const auto path = data / name;
        EXPECT_TRUE(GenerateDatabase(path, size, seed));
        return path;
    }
    bool Open(const std::filesystem::path& path, OpenSource source = OpenSource::Drop) {
        return folder.OpenFolder(path, source, [this] { ++reloads; });
    }
    // A change the way the pages make one: a document written over a working copy
    // (different bytes each time unless a text is given).
    void Change(const char* copy = kTvFavWork, std::u16string text = {}) {
        if (text.empty()) {
            text = u"<favourites n=\"" + std::u16string(1, u'a' + changes++ % 26) + u"\"/>";
        }
        CXmlDoc doc;
        doc.SetDoc(text);
        ASSERT_TRUE(WorkingCopies::Current().Save(doc, copy));
    }
    int changes = 0;
};

TEST(DatabaseFolder, OpenMakesWorkingCopiesAndSaveWritesTheirExportForm) {
    Fixture f;
    const auto db = f.MakeDatabase("db");
    ASSERT_TRUE(f.Open(db));
    EXPECT_EQ(f.reloads, 1);
    EXPECT_TRUE(f.folder.IsDatabaseOpen());
    EXPECT_EQ(f.folder.GetFolderPath(), db);
    EXPECT_TRUE(f.platform.messages.empty());
    for (const auto& file : kRequiredFiles) {
        EXPECT_TRUE(std::filesystem::exists(file.workingCopy)) << file.workingCopy;
    }
    EXPECT_TRUE(std::filesystem::exists(kSatTerWork));
    EXPECT_TRUE(std::filesystem::exists(kSatCableWork));
    // Working copies keep each file's encoding: the mark of tv_prog.xml, the CR LF of sat.xml.
    EXPECT_EQ(ReadBytes(kTvProgWork).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(ReadBytes(kSatWork).find("\r\n"), std::string::npos);

    // Save writes exactly the export form of every working copy.
    ASSERT_TRUE(f.folder.Save());
    TempDir expected;
    for (const auto& file : kRequiredFiles) {
        ASSERT_EQ(ExportCopy(file.workingCopy, expected / file.fileName), 0);
        EXPECT_EQ(ReadBytes(db / file.fileName), ReadBytes(expected / file.fileName))
            << file.fileName;
    }
    const std::string sat = ReadBytes(db / "sat.xml");
    EXPECT_EQ(sat.find('\r'), std::string::npos);
    EXPECT_EQ(ReadBytes(db / "tv_prog.xml").substr(0, 5), "<?xml");
    EXPECT_NE(ReadBytes(db / "tv_prog.xml").find("Первый канал"), std::string::npos);

    // A second Save, and a reopen of the saved folder and Save, change nothing.
    const auto saved = Snapshot(db);
    ASSERT_TRUE(f.folder.Save());
    EXPECT_EQ(Snapshot(db), saved);
    ASSERT_TRUE(f.Open(db));
    ASSERT_TRUE(f.folder.Save());
    EXPECT_EQ(Snapshot(db), saved);
}

TEST(DatabaseFolder, OptionalFilesAreWrittenOnlyWhereTheDestinationHasThem) {
    Fixture f;
    DatabaseSize size = SmallSize();
    size.withCable = false;
    size.withTerrestrial = false;
    const auto plain = f.MakeDatabase("plain", size);
    ASSERT_TRUE(f.Open(plain));
    ASSERT_TRUE(f.folder.Save());
    EXPECT_FALSE(std::filesystem::exists(plain / "sat_t.xml"));
    EXPECT_FALSE(std::filesystem::exists(plain / "sat_c.xml"));
    EXPECT_EQ(Snapshot(plain).size(), 5u);

    // A full database saved to a folder holding only sat_c.xml: the cable file is
    // replaced there, the terrestrial one is not created.
    const auto full = f.MakeDatabase("full");
    ASSERT_TRUE(f.Open(full));
    const auto target = f.data / "target";
    std::filesystem::create_directory(target);
    WriteBytes(target / "sat_c.xml", "old");
    f.platform.folders.push_back(target);
    f.folder.SaveTo({});
    EXPECT_EQ(f.platform.chooserTitles.back(), u"please select XML dir");
    EXPECT_NE(ReadBytes(target / "sat_c.xml"), "old");
    EXPECT_FALSE(std::filesystem::exists(target / "sat_t.xml"));
    EXPECT_TRUE(std::filesystem::exists(target / "radio_fav.xml"));
    // Save to leaves the open folder where it was.
    EXPECT_EQ(f.folder.GetFolderPath(), full);
}

TEST(DatabaseFolder, FailedOpenShowsTheMessagesAndKeepsTheCurrentDatabase) {
    Fixture f;
    const auto good = f.MakeDatabase("good");
    ASSERT_TRUE(f.Open(good));
    f.Change();
    const auto workingBefore = Snapshot(f.work.Path());

    // Only radio_fav.xml missing.
    const auto noRadioFav = f.MakeDatabase("no-radio-fav");
    std::filesystem::remove(noRadioFav / "radio_fav.xml");
    EXPECT_FALSE(f.Open(noRadioFav));
    EXPECT_EQ(f.platform.MessageTexts(),
              (std::vector<std::u16string>{u"ERROR! Can not open :radio_fav.xml",
                                           std::u16string(kOpenFailed)}));
    // Only sat.xml missing: the count still falls short.
    f.platform.messages.clear();
    const auto noSat = f.MakeDatabase("no-sat");
    std::filesystem::remove(noSat / "sat.xml");
    EXPECT_FALSE(f.Open(noSat));
    EXPECT_EQ(f.platform.MessageTexts(),
              (std::vector<std::u16string>{u"ERROR! Can not :open sat.xml",
                                           std::u16string(kOpenFailed)}));
    // A folder that is no database at all, and a plain file dropped instead of a folder.
    for (const auto& path : {f.data / "empty", f.data / "good" / "sat.xml"}) {
        std::filesystem::create_directories(f.data / "empty");
        f.platform.messages.clear();
        EXPECT_FALSE(f.Open(path));
        EXPECT_EQ(f.platform.MessageTexts(),
                  (std::vector<std::u16string>{
                      u"ERROR! Can not :open sat.xml", u"ERROR! Can not open :tv_prog.xml",
                      u"ERROR! Can not open :radio_prog.xml", u"ERROR! Can not open :tv_fav.xml",
                      u"ERROR! Can not open :radio_fav.xml", std::u16string(kOpenFailed)}));
    }
    // A required file that is a folder or a FIFO is refused with what it is, never
    // waited on; a file that is there but unreadable shows the system's reason.
    const auto odd = f.MakeDatabase("odd");
    std::filesystem::remove(odd / "tv_fav.xml");
    std::filesystem::create_directory(odd / "tv_fav.xml");
    std::filesystem::remove(odd / "sat.xml");
    ASSERT_EQ(::mkfifo((odd / "sat.xml").c_str(), 0644), 0);
    f.platform.messages.clear();
    EXPECT_FALSE(f.Open(odd));
    EXPECT_EQ(f.platform.MessageTexts(),
              (std::vector<std::u16string>{
                  u"ERROR! Can not :open sat.xml\nsat.xml: not a regular file (a FIFO)",
                  u"ERROR! Can not open :tv_fav.xml\ntv_fav.xml: not a regular file (a folder)",
                  std::u16string(kOpenFailed)}));

    // Through all of it the open database stayed exactly as it was.
    EXPECT_EQ(f.reloads, 1);
    EXPECT_TRUE(f.folder.IsDatabaseOpen());
    EXPECT_EQ(f.folder.GetFolderPath(), good);
    EXPECT_TRUE(f.folder.HasUnsavedChanges());
    EXPECT_EQ(Snapshot(f.work.Path()), workingBefore);

    // An optional file in that state is left out with a word, and the open goes on.
    const auto oddOptional = f.MakeDatabase("odd-optional");
    std::filesystem::remove(oddOptional / "sat_c.xml");
    ASSERT_EQ(::mkfifo((oddOptional / "sat_c.xml").c_str(), 0644), 0);
    f.platform.messages.clear();
    EXPECT_TRUE(f.Open(oddOptional));
    EXPECT_EQ(
        f.platform.MessageTexts(),
        (std::vector<std::u16string>{u"sat_c.xml: not a regular file (a FIFO)\nIt was left out."}));
    EXPECT_FALSE(std::filesystem::exists(kSatCableWork));
}

TEST(DatabaseFolder, OpeningAnotherFolderReplacesEveryWorkingCopy) {
    Fixture f;
    ASSERT_TRUE(f.Open(f.MakeDatabase("first")));
    WriteBytes(kRelationshipWork, "<x/>");
    DatabaseSize size = SmallSize();
    size.withCable = false;
    ASSERT_TRUE(f.Open(f.MakeDatabase("second", size, 7), OpenSource::Menu));
    EXPECT_FALSE(std::filesystem::exists(kRelationshipWork));
    EXPECT_FALSE(std::filesystem::exists(kSatCableWork));
    EXPECT_TRUE(std::filesystem::exists(kSatTerWork));
    EXPECT_EQ(f.folder.GetFolderPath(), f.data / "second");
    // The chooser's path gains a separator; Cancel opens nothing.
    f.platform.folders.push_back(f.data / "first");
    ASSERT_TRUE(f.folder.OpenFromChooser({}, [] {}));
    EXPECT_EQ(f.folder.GetFolderPath().string(), (f.data / "first").string() + "/");
    EXPECT_FALSE(f.folder.OpenFromChooser({}, [] {}));
    EXPECT_EQ(f.folder.GetFolderPath().string(), (f.data / "first").string() + "/");
}

TEST(DatabaseFolder, FailedSaveIsReportedAndKeepsTheChanges) {
    Fixture f;
    const auto db = f.MakeDatabase("db");
    ASSERT_TRUE(f.Open(db));
    f.Change();

    // A destination file that has become a folder: nothing at all is written, and the
    // message names the file and what is wrong with it.
    std::filesystem::remove(db / "tv_prog.xml");
    std::filesystem::create_directory(db / "tv_prog.xml");
    std::filesystem::remove(db / "radio_fav.xml");
    f.folder.SetStamps(TakeFolderStamps(FileSystem::System(), db));  // no question first
    const auto withFolder = Snapshot(db);
    EXPECT_FALSE(f.folder.Save());
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].caption, u"VeksoEditor");
    EXPECT_NE(f.platform.messages[0].text.find(u"tv_prog.xml: not a regular file (a folder)"),
              std::u16string::npos);
    EXPECT_EQ(f.platform.messages[0].text.find(u"sat.xml"), std::u16string::npos);
    EXPECT_EQ(Snapshot(db), withFolder);
    EXPECT_TRUE(f.folder.HasUnsavedChanges());

    // A disk that fills up during the writes: the old files stay, nothing is left behind.
    std::filesystem::remove(db / "tv_prog.xml");
    ASSERT_TRUE(f.folder.Save());
    WriteBytes(db / "sat.xml", "receiver's own bytes");
    f.folder.SetStamps(TakeFolderStamps(FileSystem::System(), db));
    const auto before = Snapshot(db);
    f.fs.writeLimit = 3000;
    f.platform.messages.clear();
    f.Change();
    EXPECT_FALSE(f.folder.Save());
    f.fs.writeLimit = -1;
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_NE(f.platform.messages[0].text.find(u": no space left on the device"),
              std::u16string::npos);
    EXPECT_EQ(Snapshot(db), before);

    // The folder itself gone between open and save (a stick pulled out): nothing is
    // created anywhere, the user is told, the changes still count.
    std::filesystem::remove_all(db);
    f.platform.messages.clear();
    EXPECT_FALSE(f.folder.Save());
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_NE(f.platform.messages[0].text.find(u"db: not found"), std::u16string::npos);
    EXPECT_FALSE(std::filesystem::exists(db));
    EXPECT_TRUE(f.folder.HasUnsavedChanges());
}

bool Contains(const std::vector<std::u16string>& texts, std::u16string_view part) {
    for (const auto& text : texts) {
        if (text.find(part) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

// Names of a snapshot that a successful run may leave (and must report): hidden
// temporary names and staging folders.
bool OnlyLeftovers(const std::map<std::string, std::string>& now,
                   const std::map<std::string, std::string>& expected) {
    for (const auto& [name, bytes] : now) {
        const auto found = expected.find(name);
        if (found == expected.end() ? name[0] != '.' && !name.starts_with("opening-")
                                    : found->second != bytes) {
            return false;
        }
    }
    for (const auto& [name, bytes] : expected) {
        if (!now.contains(name)) {
            return false;
        }
    }
    return true;
}

TEST(DatabaseFolder, SaveLeavesTheWholeOldOrTheWholeNewSetWhicheverStepFails) {
    Fixture f;
    const auto db = f.MakeDatabase("db");
    ASSERT_TRUE(f.Open(db));
    for (const auto* files : {kRequiredFiles.data(), kOptionalFiles.data()}) {
        for (int i = 0; i < (files == kRequiredFiles.data() ? 5 : 2); ++i) {
            WriteBytes(files[i].workingCopy,
                       "<edited name=\"" + std::string(files[i].fileName) + "\"/>");
        }
    }
    const auto oldSet = Snapshot(db);
    f.fs.Arm(0);
    ASSERT_TRUE(f.folder.Save());
    const int steps = f.fs.steps;
    const auto newSet = Snapshot(db);
    ASSERT_EQ(newSet.size(), 7u);
    ASSERT_NE(newSet, oldSet);

    int failed = 0;
    for (int step = 1; step <= steps; ++step) {
        Restore(db, oldSet);
        f.folder.SetStamps(TakeFolderStamps(FileSystem::System(), db));
        f.platform.messages.clear();
        f.fs.Arm(step);
        const bool saved = f.folder.Save();
        const std::string where = "step " + std::to_string(step) + ": " + f.fs.log.back();
        ASSERT_TRUE(f.fs.Triggered()) << where;
        if (!saved) {
            ++failed;
            EXPECT_EQ(Snapshot(db), oldSet) << where;
            ASSERT_EQ(f.platform.messages.size(), 1u) << where;
            EXPECT_NE(f.platform.messages[0].text.find(u": input/output error"),
                      std::u16string::npos)
                << where;
        } else {
            // Only the clean-up after the last rename can fail without undoing the save;
            // what it leaves is named to the user.
            const auto now = Snapshot(db);
            EXPECT_TRUE(OnlyLeftovers(now, newSet)) << where;
            EXPECT_EQ(now.size() > newSet.size(),
                      Contains(f.platform.MessageTexts(), u"could not be removed"))
                << where;
        }
    }
    // Most steps undo the save: every write, flush and rename before the set is complete.
    EXPECT_GT(failed, steps / 2);
}

TEST(DatabaseFolder, OpenLeavesTheOldOrTheNewWorkingCopiesWhicheverStepFails) {
    Fixture f;
    DatabaseSize size = SmallSize();
    size.tvServices = 3;
    size.radioServices = 2;
    size.satTransponders = 2;
    const auto first = f.MakeDatabase("first", size);
    size.withCable = false;  // its working copy must go when the second folder opens
    const auto second = f.MakeDatabase("second", size, 7);
    ASSERT_TRUE(f.Open(second));
    const auto secondCopies = Snapshot(f.work.Path());
    ASSERT_TRUE(f.Open(first));
    WriteBytes(kRelationshipWork, "<r/>");
    const auto firstCopies = Snapshot(f.work.Path());
    f.fs.Arm(0);
    ASSERT_TRUE(f.Open(second));
    const int steps = f.fs.steps;
    ASSERT_EQ(Snapshot(f.work.Path()), secondCopies);

    int failed = 0;
    for (int step = 1; step <= steps; ++step) {
        f.fs.Arm(0);
        ASSERT_TRUE(f.Open(first));
        Restore(f.work.Path(), firstCopies);
        f.platform.messages.clear();
        f.fs.Arm(step);
        const bool opened = f.Open(second);
        const std::string where = "step " + std::to_string(step) + ": " + f.fs.log.back();
        ASSERT_TRUE(f.fs.Triggered()) << where;
        if (!opened) {
            ++failed;
            EXPECT_EQ(Snapshot(f.work.Path()), firstCopies) << where;
            EXPECT_EQ(f.folder.GetFolderPath(), first) << where;
            EXPECT_TRUE(Contains(f.platform.MessageTexts(), u": input/output error")) << where;
        } else {
            EXPECT_TRUE(OnlyLeftovers(Snapshot(f.work.Path()), secondCopies)) << where;
            EXPECT_EQ(f.folder.GetFolderPath(), second) << where;
        }
    }
    EXPECT_GT(failed, steps / 2);
}

TEST(DatabaseFolder, SaveWithNoFolderOpenWritesNothing) {
    Fixture f;
    const auto root = std::filesystem::path("/");
    const auto before = Snapshot(f.work.Path());
    EXPECT_FALSE(f.folder.Save());
    f.folder.SaveTo({});
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_TRUE(f.platform.chooserTitles.empty());
    EXPECT_FALSE(std::filesystem::exists(root / "sat.xml"));
    EXPECT_EQ(Snapshot(f.work.Path()), before);
}

TEST(DatabaseFolder, ExitQuestionAndItsAnswers) {
    {
        // Nothing open: no question, the working copies go.
        Fixture f;
        WriteBytes(kSatWork, "<x/>");
        EXPECT_TRUE(f.folder.ConfirmExit());
        EXPECT_TRUE(f.platform.messages.empty());
        EXPECT_FALSE(std::filesystem::exists(kSatWork));
    }
    {
        // Open but unchanged: no question.
        Fixture f;
        ASSERT_TRUE(f.Open(f.MakeDatabase("db")));
        EXPECT_TRUE(f.folder.ConfirmExit());
        EXPECT_TRUE(f.platform.messages.empty());
        EXPECT_FALSE(std::filesystem::exists(kTvProgWork));
    }
    {
        // Cancel keeps everything; a later exit asks again. No discards unsaved work.
        Fixture f;
        const auto db = f.MakeDatabase("db");
        ASSERT_TRUE(f.Open(db));
        f.Change(kTvFavWork, u"<favourites/>");
        f.platform.answers = {MessageAnswer::Cancel, MessageAnswer::No};
        EXPECT_FALSE(f.folder.ConfirmExit());
        EXPECT_EQ(f.platform.messages.at(0).text, kExitQuestion);
        EXPECT_EQ(f.platform.messages.at(0).buttons, MessageButtons::YesNoCancel);
        EXPECT_TRUE(std::filesystem::exists(kTvFavWork));
        EXPECT_TRUE(f.folder.ConfirmExit());
        EXPECT_EQ(f.platform.messages.size(), 2u);
        EXPECT_FALSE(std::filesystem::exists(kTvFavWork));
        EXPECT_NE(ReadBytes(db / "tv_fav.xml"), "<favourites/>");
    }
    {
        // Yes saves, then leaves; Yes with a failing save stays with the working copies.
        Fixture f;
        const auto db = f.MakeDatabase("db");
        ASSERT_TRUE(f.Open(db));
        f.Change(kTvFavWork, u"<favourites/>");
        std::filesystem::remove(db / "tv_fav.xml");
        std::filesystem::create_directory(db / "tv_fav.xml");
        // The second exit also asks about tv_fav.xml, which is gone from the folder.
        f.platform.answers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::Yes,
                              MessageAnswer::Ok};
        EXPECT_FALSE(f.folder.ConfirmExit());
        EXPECT_TRUE(std::filesystem::exists(kTvFavWork));
        std::filesystem::remove(db / "tv_fav.xml");
        EXPECT_TRUE(f.folder.ConfirmExit());
        EXPECT_EQ(ReadBytes(db / "tv_fav.xml"), "<favourites/>");
        EXPECT_FALSE(std::filesystem::exists(kTvFavWork));
    }
}

TEST(DatabaseFolder, LeavingAChangedDatabaseForAnotherAsksFirst) {
    Fixture f;
    const auto first = f.MakeDatabase("first");
    ASSERT_TRUE(f.Open(first));
    EXPECT_TRUE(f.folder.ConfirmLeaveCurrent());  // unchanged: no question
    EXPECT_TRUE(f.platform.messages.empty());
    f.Change(kTvFavWork, u"<favourites/>");
    f.platform.answers = {MessageAnswer::Cancel, MessageAnswer::Yes};
    EXPECT_FALSE(f.folder.ConfirmLeaveCurrent());
    EXPECT_TRUE(f.folder.ConfirmLeaveCurrent());
    EXPECT_EQ(ReadBytes(first / "tv_fav.xml"), "<favourites/>");
    // A successful open starts the new database with no changes counted.
    f.Change();
    ASSERT_TRUE(f.Open(f.MakeDatabase("second")));
    EXPECT_FALSE(f.folder.HasUnsavedChanges());
}

TEST(DatabaseFolder, BrokenAndForeignFilesStillOpenAsRead) {
    Fixture f;
    const auto db = f.MakeDatabase("db");
    // Not well formed, in UTF-16 with a mark, and in a declared single-byte code page: the
    // open still succeeds and each working copy holds what the file held.
    const std::string broken = "<tv_prog><prog name=\"A & B\" service_key=\"1\"></tv_prog>";
    WriteBytes(db / "tv_prog.xml", broken);
    WriteBytes(db / "radio_fav.xml", std::string("\xFF\xFE<\0f\0/\0>\0", 10));
    const std::string cp1251 =
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><favourites><fav "
        "name=\"\xCD\xEE\xE2\xEE\xF1\xF2\xE8\"/></favourites>";
    WriteBytes(db / "tv_fav.xml", cp1251);
    // A second damaged file, cut off in the middle of a tag on its third line.
    const std::string cut = "<?xml version=\"1.0\"?>\n<satellites>\n<sat name=\"Ast";
    WriteBytes(db / "sat.xml", cut);
    ASSERT_TRUE(f.Open(db));
    EXPECT_EQ(ReadBytes(kTvProgWork), broken);
    EXPECT_EQ(ReadBytes(kRadioFavWork), std::string("\xFF\xFE<\0f\0/\0>\0", 10));
    EXPECT_EQ(ReadBytes(kTvFavWork), cp1251);
    // The user is told which files are damaged and where.
    EXPECT_EQ(f.platform.MessageTexts(),
              (std::vector<std::u16string>{
                  u"These files are damaged (not well-formed XML) and were opened as far as they "
                  u"could be read:\nsat.xml: line 3: the file ends inside a start tag\n"
                  u"tv_prog.xml: line 1: <prog> is never closed\n\nSave asks before an edited "
                  u"copy replaces one of them."}));
    // Save gives the receiver the filtered bytes: no mark, no zero bytes outside quotes.
    f.platform.messages.clear();
    ASSERT_TRUE(f.folder.Save());
    EXPECT_TRUE(f.platform.messages.empty());  // nothing edited: nothing to ask
    EXPECT_EQ(ReadBytes(db / "radio_fav.xml"), "<f/>");
    EXPECT_EQ(ReadBytes(db / "tv_fav.xml"), cp1251);

    // An edited copy of a damaged file replaces it only when the user says so.
    CXmlDoc doc;
    ASSERT_TRUE(WorkingCopies::Current().Load(doc, kTvProgWork));
    doc.ResetPosition();
    doc.FindElement();
    doc.SetAttribute(u"edited", u"1");
    ASSERT_TRUE(WorkingCopies::Current().Save(doc, kTvProgWork));
    const auto saved = Snapshot(db);
    f.platform.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    EXPECT_FALSE(f.folder.Save());
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_NE(f.platform.messages[0].text.find(u"tv_prog.xml: line 1"), std::u16string::npos);
    EXPECT_EQ(f.platform.messages[0].text.find(u"sat.xml"), std::u16string::npos);
    EXPECT_EQ(Snapshot(db), saved);
    EXPECT_TRUE(f.folder.Save());
    EXPECT_NE(ReadBytes(db / "tv_prog.xml").find("edited=\"1\""), std::string::npos);
}

// A real full disk: a small file system where the test may mount one.
TEST(DatabaseFolder, AFullDiskChangesNothingAndSaysSo) {
    Fixture f;
    const auto small = f.data / "small";
    std::filesystem::create_directory(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    struct Unmount {
        std::filesystem::path path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{small};
    DatabaseSize size = SmallSize();
    size.tvServices = 30;
    const auto db = f.MakeDatabase("db", size);
    std::filesystem::copy(db, small / "db");
    ASSERT_TRUE(f.Open(small / "db"));
    // The disk fills up (another program writing) and the copies have grown.
    {
        std::ofstream filler(small / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) {
        }
    }
    std::string grown = ReadBytes(kTvProgWork);
    grown.insert(grown.rfind("</"), std::string(64 * 1024, ' '));
    WriteBytes(kTvProgWork, grown);
    const auto before = Snapshot(small / "db");
    EXPECT_FALSE(f.folder.Save());
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_NE(f.platform.messages[0].text.find(u"no space left on the device"),
              std::u16string::npos);
    EXPECT_EQ(Snapshot(small / "db"), before);

    // A working copy on a full disk: the write fails and the old copy stays.
    std::filesystem::create_directory(small / "work");
    std::filesystem::remove(small / "filler");
    std::filesystem::copy_file(kTvProgWork, small / "work" / kTvProgWork);
    {
        std::ofstream filler(small / "filler", std::ios::binary);
        const std::string block(1024, 'x');
        while (filler.write(block.data(), block.size())) {
        }
    }
    std::filesystem::current_path(small / "work");
    CXmlDoc doc;
    doc.Load(kTvProgWork);
    const FileResult written = SaveDocumentReplacing(FileSystem::System(), doc, kTvProgWork);
    std::filesystem::current_path(f.work.Path());
    ASSERT_FALSE(written);
    EXPECT_EQ(DescribeFileError(written.Error()), u"temp_tv_prog.xml: no space left on the device");
    EXPECT_EQ(ReadBytes(small / "work" / kTvProgWork), grown);
    EXPECT_EQ(Snapshot(small / "work").size(), 1u);
}

TEST(DatabaseFolder, NativePathsOfAnyLengthAndScript) {
    Fixture f;
    std::string deep = "Спутниковая база данных";
    std::filesystem::path path = f.data.Path();
    while (path.string().size() < 400) {
        path /= deep;
    }
    ASSERT_TRUE(GenerateDatabase(path, SmallSize()));
    ASSERT_TRUE(f.Open(path));
    f.Change(kTvFavWork, u"<favourites/>");
    ASSERT_TRUE(f.folder.Save());
    EXPECT_EQ(ReadBytes(path / "tv_fav.xml"), "<favourites/>");
}

}  // namespace
}  // namespace vesko
