#pragma once
// Writes a consistent receiver database folder of any size, deterministically from a
// seed: satellites with their per-tuner settings and transponders, cable and
// terrestrial transponders, TV and radio services on all three kinds of transponder,
// and 32 parallel TV and radio favourite groups.

#include <cstdint>
#include <filesystem>

namespace vesko {

struct DatabaseSize {
    int satellites = 6;
    int satTransponders = 80;  // spread over the satellites
    int terTransponders = 8;
    int cableTransponders = 8;
    int tvServices = 250;
    int radioServices = 60;
    int groups = 32;
    int maxGroupMembers = 20;
    bool withTerrestrial = true;  // write sat_t.xml
    bool withCable = true;        // write sat_c.xml

    static DatabaseSize Demo() { return {}; }
    static DatabaseSize Large() {
        DatabaseSize size;
        size.satellites = 150;
        size.satTransponders = 6000;
        size.terTransponders = 40;
        size.cableTransponders = 60;
        size.tvServices = 10000;
        size.radioServices = 2000;
        size.maxGroupMembers = 300;
        return size;
    }
};

// Writes sat.xml, tv_prog.xml, radio_prog.xml, tv_fav.xml, radio_fav.xml and, as asked,
// sat_t.xml and sat_c.xml into `folder` (created when missing). The files look as the
// receiver writes them: UTF-8 with an XML declaration; tv_prog.xml starts with a UTF-8
// byte-order mark and sat.xml has CR LF line ends. Returns false when a file could not
// be written.
bool GenerateDatabase(const std::filesystem::path& folder, const DatabaseSize& size,
                      uint32_t seed = 1);

}  // namespace vesko
