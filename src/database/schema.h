#pragma once
// Names of the database files, their working copies and the records inside them.

#include <array>
#include <string>
#include <string_view>

namespace vesko {

struct DatabaseFile {
    std::string_view fileName;           // in the receiver's folder
    std::string_view workingCopy;        // in the editor's working folder
    std::u16string_view missingMessage;  // shown when a required file cannot be opened
};

// Working copies (bare names, relative to the working folder).
inline constexpr const char* kSatWork = "temp_sat.xml";
inline constexpr const char* kTvProgWork = "temp_tv_prog.xml";
inline constexpr const char* kRadioProgWork = "temp_radio_prog.xml";
inline constexpr const char* kTvFavWork = "temp_tv_fav.xml";
inline constexpr const char* kRadioFavWork = "temp_radio_fav.xml";
inline constexpr const char* kSatTerWork = "temp_sat_t.xml";
inline constexpr const char* kSatCableWork = "temp_sat_c.xml";

// The five files a database must have, in the order they are opened.
inline constexpr std::array<DatabaseFile, 5> kRequiredFiles{{
    {"sat.xml", kSatWork, u"ERROR! Can not :open sat.xml"},
    {"tv_prog.xml", kTvProgWork, u"ERROR! Can not open :tv_prog.xml"},
    {"radio_prog.xml", kRadioProgWork, u"ERROR! Can not open :radio_prog.xml"},
    {"tv_fav.xml", kTvFavWork, u"ERROR! Can not open :tv_fav.xml"},
    {"radio_fav.xml", kRadioFavWork, u"ERROR! Can not open :radio_fav.xml"},
}};

// Optional files, in the order they are opened (terrestrial, then cable).
inline constexpr std::array<DatabaseFile, 2> kOptionalFiles{{
    {"sat_t.xml", kSatTerWork, u""},
    {"sat_c.xml", kSatCableWork, u""},
}};

// Reserved working-file name: never created, but deleted with the others.
inline constexpr const char* kRelationshipWork = "temp_tv_relationship.xml";

// Reserved satellite keys.
inline constexpr std::u16string_view kTerrestrialSatKey = u"65";
inline constexpr std::u16string_view kCableSatKey = u"66";

// The 19 attributes of a service record, in the order they are read and rewritten.
inline constexpr std::array<std::u16string_view, 19> kServiceRecordAttributes{
    u"sat_key",    u"tp_key",     u"service_key", u"tuner_type_idex", u"sat_type", u"service_id",
    u"pmt_pid",    u"video_pid",  u"audio_pid",   u"pcr_pid",         u"block",    u"bskip",
    u"audio_lang", u"audio_type", u"video_type",  u"provider",        u"encrypt",  u"hd",
    u"name"};

// The eight per-tuner settings of a satellite.
inline constexpr std::array<std::u16string_view, 8> kTunerSettings{
    u"lnb", u"k22", u"v12", u"power", u"diseqc1.0", u"diseqc1.1", u"motor", u"UserFreq"};

// Attribute name of a per-tuner setting for a 0-based tuner index: tuner 0 has no
// suffix, tuner i > 0 the suffix "_" + (i + 1).
std::u16string TunerAttribute(std::u16string_view setting, int tunerIndex);

}  // namespace vesko
