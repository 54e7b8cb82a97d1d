// Save does not overwrite what another program changed without asking, and the first
// Save of a session keeps the folder's files as they were in a backup.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "database/backup_store.h"
#include "database/database_folder.h"
#include "database/working_copies.h"
#include "database_generator.h"
#include "fake_platform.h"
#include "temp_dir.h"

namespace vesko {
namespace {

using testing::FakePlatform;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct SaveSafetyTest : ::testing::Test {
    SaveSafetyTest() { WorkingCopies::Current().Reset(); }
    ~SaveSafetyTest() override { WorkingCopies::Current().Reset(); }

    TempDir work{true};
    TempDir scratch;
    FakePlatform platform;
    CDatabaseFolder database{platform};
    std::filesystem::path folder = scratch / "db";

    void SetUp() override {
        DatabaseSize size;
        size.satellites = 2;
        size.satTransponders = 4;
        size.terTransponders = 2;
        size.cableTransponders = 2;
        size.tvServices = 8;
        size.radioServices = 3;
        ASSERT_TRUE(GenerateDatabase(folder, size));
    }
    void Open() {
        ASSERT_TRUE(database.OpenFolder(folder, OpenSource::Drop, nullptr));
        platform.messages.clear();
    }
    // A change of a working copy, so that Save writes bytes the folder does not have.
    void Edit() {
        WorkingCopies::Current().WriteBytes("temp_tv_prog.xml",
                                            ReadBytes(work / "temp_tv_prog.xml") + "<!---->");
    }
};

TEST_F(SaveSafetyTest, SaveAsksBeforeOverwritingFilesAnotherProgramChanged) {
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> meanwhile;
        std::vector<std::u16string> named;  // empty: no question
    };
    const std::vector<Case> cases = {
        {"nothing happened", [](const auto&) {}, {}},
        {"a file rewritten with the same bytes (touched)",
         [](const auto& f) {
             const std::string bytes = ReadBytes(f / "sat.xml");
             std::this_thread::sleep_for(std::chrono::milliseconds(20));
             WriteBytes(f / "sat.xml", bytes);
         },
         {}},
        {"two files edited and one removed",
         [](const auto& f) {
             WriteBytes(f / "tv_prog.xml", ReadBytes(f / "tv_prog.xml") + " ");
             WriteBytes(f / "sat_c.xml", "<x/>");
             std::filesystem::remove(f / "radio_fav.xml");
         },
         {u"tv_prog.xml", u"radio_fav.xml", u"sat_c.xml"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        Edit();
        c.meanwhile(folder);
        const std::string theirs = ReadBytes(folder / "tv_prog.xml");

        // Cancel: not a byte is written.
        platform.answers = {MessageAnswer::Cancel};
        const bool saved = database.Save();
        ASSERT_EQ(platform.messages.size(), c.named.empty() ? 0u : 1u);
        if (c.named.empty()) {
            EXPECT_TRUE(saved);
            continue;
        }
        const std::u16string& question = platform.messages[0].text;
        for (const std::u16string& name : c.named) {
            EXPECT_NE(question.find(u"\n" + name), std::u16string::npos) << "names the file";
        }
        EXPECT_EQ(question.find(u"sat.xml\n"), std::u16string::npos);
        EXPECT_FALSE(saved);
        EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), theirs);
        EXPECT_TRUE(database.HasUnsavedChanges());

        // Save to another folder is not concerned.
        const auto other = scratch / "other";
        std::filesystem::create_directories(other);
        platform.messages.clear();
        platform.folders = {other};
        database.SaveTo({});
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_TRUE(std::filesystem::exists(other / "tv_prog.xml"));

        // OK overwrites; the next Save has nothing to ask.
        platform.answers = {MessageAnswer::Ok};
        EXPECT_TRUE(database.Save());
        EXPECT_NE(ReadBytes(folder / "tv_prog.xml"), theirs);
        platform.messages.clear();
        Edit();
        EXPECT_TRUE(database.Save());
        EXPECT_TRUE(platform.messages.empty());
    }
}

TEST_F(SaveSafetyTest, TheFirstSaveOfASessionBacksUpTheFilesItOverwrites) {
    const auto root = scratch / "data" / "Vesko" / "backups";  // made as needed
    database.SetBackupStore(std::make_unique<BackupStore>(FileSystem::System(), root, 3));
    std::vector<std::string> sessions;  // tv_prog.xml as each session found it
    for (int session = 0; session < 5; ++session) {
        Open();
        sessions.push_back(ReadBytes(folder / "tv_prog.xml"));
        const std::string sat = ReadBytes(folder / "sat_t.xml");
        Edit();
        ASSERT_TRUE(database.Save());
        Edit();
        ASSERT_TRUE(database.Save());  // the second Save of the session makes none
        const std::vector<BackupInfo> backups = database.Backups()->List(folder);
        ASSERT_EQ(backups.size(), std::min(session + 1, 3)) << session;
        EXPECT_EQ(ReadBytes(backups[0].path / "tv_prog.xml"), sessions.back());
        EXPECT_EQ(ReadBytes(backups[0].path / "sat_t.xml"), sat);
        EXPECT_EQ(backups[0].files.size(), 7u);
    }
    // The newest three are kept, newest first; none of them lies in the database folder.
    const std::vector<BackupInfo> backups = database.Backups()->List(folder);
    for (std::size_t i = 0; i < backups.size(); ++i) {
        EXPECT_EQ(ReadBytes(backups[i].path / "tv_prog.xml"), sessions[sessions.size() - 1 - i]);
        EXPECT_EQ(backups[i].path.parent_path().parent_path(), root);
    }
    EXPECT_EQ(backups[0].when.size(), 19u);  // "2024-05-17 18:04:31"

    // A backup that cannot be made is said; Cancel saves nothing, OK saves without one.
    database.SetBackupStore(
        std::make_unique<BackupStore>(FileSystem::System(), folder / "tv_prog.xml", 3));
    Open();
    Edit();
    const std::string before = ReadBytes(folder / "tv_prog.xml");
    platform.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(database.Save());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(u"could not be backed up"), std::u16string::npos);
    EXPECT_EQ(ReadBytes(folder / "tv_prog.xml"), before);
    platform.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(database.Save());
    EXPECT_NE(ReadBytes(folder / "tv_prog.xml"), before);
}

}  // namespace
}  // namespace vesko
