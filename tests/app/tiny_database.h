#pragma once
// A tiny database folder with the five required files, for tests that open one.

#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace vesko::testing {

// Writes the five required files of a small database into `folder` (created).
inline std::filesystem::path WriteTinyDatabase(const std::filesystem::path& folder,
                                               int tunerCount = 1,
                                               const std::string& tvName = "Alpha") {
    std::filesystem::create_directories(folder);
    WriteBytes(folder / "sat.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites tuner_num=\"" +
                   std::to_string(tunerCount) +
                   "\">\n<sat name=\"Astra\" longitude=\"192\" sat_key=\"1\">\n"
                   "<transponder tp_key=\"1\" sat_key=\"1\" frequency=\"11778\" "
                   "symbol_rate=\"27500\" polarization=\"V\"/>\n</sat>\n</satellites>\n");
    WriteBytes(folder / "tv_prog.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<programs>\n<prog sat_key=\"1\" "
               "tp_key=\"1\" service_key=\"10\" name=\"" +
                   tvName + "\"/>\n</programs>\n");
    WriteBytes(folder / "radio_prog.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<programs>\n</programs>\n");
    WriteBytes(folder / "tv_fav.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<favourites>\n<fav name=\"News\" "
               "block=\"0\">\n<prog service_key=\"10\"/>\n</fav>\n</favourites>\n");
    WriteBytes(folder / "radio_fav.xml",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<favourites>\n<fav name=\"News\" "
               "block=\"0\"/>\n</favourites>\n");
    return folder;
}

}  // namespace vesko::testing
