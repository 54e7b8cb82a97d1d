#pragma once
// A temporary directory made the current one for a test (the working copies live
// there), and a tiny database folder with the five required files written inside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vesko::testing {

class ScratchDirectory {
public:
    ScratchDirectory() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vesko-";
        name += info ? std::string(info->test_suite_name()) + "-" + info->name() : "test";
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "work");
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path / "work");
    }
    ~ScratchDirectory() {
        std::error_code ec;
        std::filesystem::current_path(m_previous, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Work() const { return m_path / "work"; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes the five required files of a small database into `folder` (created).
inline std::filesystem::path WriteTinyDatabase(const std::filesystem::path& folder,
                                               int tunerCount = 1,
                                               const std::string& tvName = "Alpha") {
    std::filesystem::create_directories(folder);
    WriteFile(folder / "sat.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites tuner_num=\"" +
                  std::to_string(tunerCount) +
                  "\">\n<sat name=\"Astra\" longitude=\"192\" sat_key=\"1\">\n"
                  "<transponder tp_key=\"1\" sat_key=\"1\" frequency=\"11778\" "
                  "symbol_rate=\"27500\" polarization=\"V\"/>\n</sat>\n</satellites>\n");
    WriteFile(folder / "tv_prog.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<programs>\n<prog sat_key=\"1\" "
              "tp_key=\"1\" service_key=\"10\" name=\"" + tvName + "\"/>\n</programs>\n");
    WriteFile(folder / "radio_prog.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<programs>\n</programs>\n");
    WriteFile(folder / "tv_fav.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<favourites>\n<fav name=\"News\" "
              "block=\"0\">\n<prog service_key=\"10\"/>\n</fav>\n</favourites>\n");
    WriteFile(folder / "radio_fav.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<favourites>\n<fav name=\"News\" "
              "block=\"0\"/>\n</favourites>\n");
    return folder;
}

}  // namespace vesko::testing
