// The source folders depend on each other one way only, bottom to top:
// base <- xml <- database <- controls <- pages <- app <- ui. An include against that
// order (or a Qt header below ui) fails here, before it becomes a circle.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::map<std::string, int> kLayerRank{
    {"base", 0}, {"xml", 1}, {"database", 2}, {"controls", 3}, {"pages", 4}, {"app", 5}, {"ui", 6},
};

int RankOf(const std::string& folder) {
    const auto found = kLayerRank.find(folder);
    return found == kLayerRank.end() ? -1 : found->second;
}

TEST(Layering, IncludesRunOneWayAndQtStaysInUi) {
    const std::filesystem::path src = std::filesystem::path(VESKO_SOURCE_DIR) / "src";
    const std::regex projectInclude(R"(^\s*#\s*include\s+"([a-z_]+)/)");
    const std::regex qtInclude(R"(^\s*#\s*include\s+<Q)");
    std::vector<std::string> violations;
    int filesChecked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".inc")) {
            continue;
        }
        const std::string folder = std::filesystem::relative(entry.path(), src).begin()->string();
        const int rank = RankOf(folder);
        ASSERT_GE(rank, 0) << "a source folder outside the layer order: " << folder;
        ++filesChecked;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            const std::string where = entry.path().string() + ":" + std::to_string(number);
            if (std::regex_search(line, match, projectInclude) && RankOf(match[1]) > rank) {
                violations.push_back(where + " includes " + match[1].str() + "/");
            }
            if (folder != "ui" && std::regex_search(line, qtInclude)) {
                violations.push_back(where + " includes a Qt header in core");
            }
        }
    }
    EXPECT_GT(filesChecked, 50);
    EXPECT_TRUE(violations.empty()) << ::testing::PrintToString(violations);
}

}  // namespace
