#include "database/working_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "temp_dir.h"

namespace vesko {
namespace {

TEST(WorkingFolder, PrivateCurrentFolderRemovedAtExitAndStaleOnesCleaned) {
    testing::TempDir base;
    const auto before = std::filesystem::current_path();
    // A folder left by a process that no longer exists (pid numbers this high are not
    // handed out), and one of a live process (ours, under another name, is not touched).
    std::filesystem::create_directories(base / "work-2147483000");
    std::filesystem::create_directories(base / "unrelated");
    std::filesystem::path used;
    {
        WorkingFolder folder(base.Path());
        used = folder.Path();
        EXPECT_EQ(std::filesystem::current_path(), used);
        EXPECT_EQ(used.filename().string(), "work-" + std::to_string(::getpid()));
        EXPECT_FALSE(std::filesystem::exists(base / "work-2147483000"));
        EXPECT_TRUE(std::filesystem::exists(base / "unrelated"));
        testing::WriteBytes("temp_sat.xml", "<x/>");
        // Two editors never share working copies: a second one gets its own folder only
        // when it is another process, so here we just check ours is ours alone.
        EXPECT_TRUE(std::filesystem::exists(used / "temp_sat.xml"));
    }
    EXPECT_FALSE(std::filesystem::exists(used));
    EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
}  // namespace vesko
