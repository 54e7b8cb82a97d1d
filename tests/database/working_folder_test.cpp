#include "database/working_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_dir.h"

namespace vesko {
namespace {

TEST(WorkingFolder, PrivateCurrentFolderRemovedAtExitAndStaleOnesCleaned) {
    testing::TempDir base;
    const auto root = base / "root";
    const auto before = std::filesystem::current_path();
    {
        // The root is made private; a folder left by an editor that died (nobody holds
        // its lock) goes, one a live editor holds stays, other names are not ours.
        WorkingFolder first(root);
        ASSERT_TRUE(first.Ready());
        EXPECT_EQ(std::filesystem::status(root).permissions(), std::filesystem::perms::owner_all);
        std::filesystem::create_directories(root / "work-left" / "sub");
        std::filesystem::create_directories(root / "unrelated");
        std::filesystem::path used;
        {
            WorkingFolder second(root);
            ASSERT_TRUE(second.Ready());
            used = second.Path();
            EXPECT_EQ(std::filesystem::current_path(), used);
            EXPECT_NE(used, first.Path());
            EXPECT_EQ(std::filesystem::status(used).permissions(),
                      std::filesystem::perms::owner_all);
            EXPECT_FALSE(std::filesystem::exists(root / "work-left"));
            EXPECT_TRUE(std::filesystem::exists(first.Path()));
            EXPECT_TRUE(std::filesystem::exists(root / "unrelated"));
            testing::WriteBytes("temp_sat.xml", "<x/>");
            EXPECT_TRUE(std::filesystem::exists(used / "temp_sat.xml"));
        }
        EXPECT_FALSE(std::filesystem::exists(used));
    }
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(WorkingFolder, ARootThatIsNotTheUsersOwnStopsBeforeTouchingAnything) {
    testing::TempDir base;
    const auto before = std::filesystem::current_path();
    const auto victim = base / "victim";
    std::filesystem::create_directories(victim / "work-someone");
    std::filesystem::permissions(victim, std::filesystem::perms::owner_all);
    const bool root = ::geteuid() == 0;

    struct Case {
        const char* name;
        std::u16string why;
        std::function<std::filesystem::path()> make;
    };
    const std::vector<Case> cases = {
        {"a link to someone's folder", u"it is a link",
         [&] {
             std::filesystem::create_directory_symlink(victim, base / "link");
             return base / "link";
         }},
        {"a folder open to others", u"other users have access to it",
         [&] {
             std::filesystem::create_directories(base / "open" / "work-someone");
             std::filesystem::permissions(base / "open", std::filesystem::perms::all);
             return base / "open";
         }},
        {"a plain file", u"it is not a folder",
         [&] {
             testing::WriteBytes(base / "file", "x");
             return base / "file";
         }},
        {"a folder of another user", u"it belongs to another user",
         [&] {
             std::filesystem::create_directories(base / "foreign" / "work-someone");
             std::filesystem::permissions(base / "foreign", std::filesystem::perms::owner_all);
             EXPECT_EQ(::chown((base / "foreign").c_str(), 65534, 65534), 0);
             return base / "foreign";
         }},
    };
    for (const Case& c : cases) {
        if (c.why == u"it belongs to another user" && !root) {
            continue;  // only root can give a folder away
        }
        const auto path = c.make();
        WorkingFolder folder(path);
        EXPECT_FALSE(folder.Ready()) << c.name;
        EXPECT_NE(folder.DescribeProblem().find(c.why), std::u16string::npos) << c.name;
        EXPECT_NE(folder.DescribeProblem().find(path.u16string()), std::u16string::npos) << c.name;
        EXPECT_EQ(std::filesystem::current_path(), before) << c.name;
    }
    // Nothing was removed, made or opened up behind any of them.
    EXPECT_TRUE(std::filesystem::exists(victim / "work-someone"));
    EXPECT_EQ(std::filesystem::status(victim).permissions(), std::filesystem::perms::owner_all);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(victim),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_TRUE(std::filesystem::exists(base / "open" / "work-someone"));
    EXPECT_EQ(std::filesystem::status(base / "open").permissions(), std::filesystem::perms::all);
    if (root) {
        EXPECT_TRUE(std::filesystem::exists(base / "foreign" / "work-someone"));
    }
}

}  // namespace
}  // namespace vesko
