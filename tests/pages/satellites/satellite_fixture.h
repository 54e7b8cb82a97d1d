#pragma once
// A small database of working copies for the satellite and transponder page tests:
// three satellites (tuner_num 3), terrestrial and cable transponders, TV and radio
// services on them, and favourite groups of both kinds.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "database/working_copies.h"
#include "list_rows.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko::testing {

inline std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Texts given as words: Words("10 11 12") is {u"10", u"11", u"12"}.
inline std::vector<std::u16string> Words(std::string_view text) {
    std::vector<std::u16string> words;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(' ', at), text.size());
        if (end > at)
            words.emplace_back(text.begin() + at, text.begin() + end);
        at = end + 1;
    }
    return words;
}

inline std::string Transponder(int key, const std::string& satKey, int frequency, int rate,
                               const std::string& mode, const std::string& polarization,
                               const std::string& extra = "") {
    return "\t\t<transponder tp_key=\"" + std::to_string(key) + "\" sat_key=\"" + satKey +
           "\" transport_stream_id=\"5\" original_network_id=\"6\" frequency=\"" +
           std::to_string(frequency) + "\" symbol_rate=\"" + std::to_string(rate) +
           "\" fec=\"3/4\" modulation_mode=\"" + mode + "\" polarization=\"" + polarization + "\"" +
           extra + "/>";
}

inline std::string Prog(const std::string& satKey, const std::string& tpKey,
                        const std::string& serviceKey) {
    return "\t<prog sat_key=\"" + satKey + "\" tp_key=\"" + tpKey + "\" service_key=\"" +
           serviceKey + "\" name=\"S" + serviceKey + "\"/>";
}

inline std::string SatFile(const std::string& tunerNum = "3") {
    return Lines(
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
         "<satellites tuner_num=\"" + tunerNum + "\">",
         "\t<sat sat_key=\"1\" name=\"Astra\" longitude=\"192\" lnb=\"Uni.(9750/10600)\" "
         "k22=\"AUTO\" "
         "v12=\"OFF\" power=\"13/18\" diseqc1.0=\"A\" diseqc1.1=\"12\" motor=\"OFF\" "
         "UserFreq=\"0\" "
         "lnb_2=\"Uni.(9750/10750)\" k22_2=\"AUTO\" v12_2=\"ON\" power_2=\"13\" diseqc1.0_2=\"B\" "
         "diseqc1.1_2=\"1\" motor_2=\"USALS\" UserFreq_2=\"7\" lnb_3=\"Quad(9750)\" k22_3=\"ON\" "
         "lnb_4=\"User\">",
         Transponder(10, "1", 11718, 27500, "QPSK", "H", " extra=\"kept\""),
         Transponder(11, "1", 12000, 22000, "8PSK", "V"),
         Transponder(12, "1", 12500, 30000, "QPSK", "H"), "\t</sat>",
         "\t<sat sat_key=\"2\" name=\"Hispasat\" longitude=\"-75\" lnb=\"One Cable L\" "
         "lnb_2=\"C-Band(5150)\">",
         Transponder(20, "2", 3700, 6000, "QPSK", "H"), "\t</sat>",
         "\t<sat sat_key=\"Ab\" name=\"Far\" longitude=\"abc\">", "\t</sat>", "</satellites>"});
}

class SatelliteTest : public ::testing::Test {
protected:
    void SetUp() override {
        WorkingCopies::Current().Reset();
        WriteBytes("temp_sat.xml", SatFile());
        WriteBytes("temp_sat_t.xml",
                   Lines({"<sat_t>", "<sat sat_key=\"65\" name=\"Terrestrial\">",
                          "<transponder tp_key=\"812\" sat_key=\"65\" frequency=\"540\" "
                          "band=\"8HMZ\" channel_no=\"29\"/>",
                          "</sat>", "</sat_t>"}));
        WriteBytes("temp_sat_c.xml",
                   Lines({"<sat_c>", "<sat sat_key=\"66\" name=\"Cable\">",
                          "<transponder tp_key=\"30\" sat_key=\"66\" frequency=\"476\" "
                          "symbol_rate=\"6875\" modulation_mode=\"64QAM\"/>",
                          "<transponder tp_key=\"31\" sat_key=\"66\" frequency=\"600\" "
                          "symbol_rate=\"6875\" modulation_mode=\"256QAM\"/>",
                          "</sat>", "</sat_c>"}));
        // Services on transponder 10 of satellite 1, and one of satellite 2 that shares
        // the key 10 of a transponder it does not have; "ab" differs from "Ab" by case.
        WriteBytes(
            "temp_tv_prog.xml",
            Lines({"<tv>", Prog("1", "10", "100"), Prog("1", "11", "101"), Prog("2", "10", "102"),
                   Prog("1", "10", "103"), Prog("66", "30", "104"), Prog("65", "812", "105"),
                   Prog("ab", "0", "106"), Prog("2", "20", "107"), "</tv>"}));
        WriteBytes("temp_radio_prog.xml",
                   Lines({"<radio>", Prog("1", "10", "100"), Prog("1", "12", "200"),
                          Prog("66", "30", "201"), Prog("65", "812", "202"), "</radio>"}));
        WriteBytes("temp_tv_fav.xml",
                   Lines({"<favourites>", "<fav name=\"A\" block=\"0\">",
                          "<prog service_key=\"100\"/>", "<prog service_key=\"102\"/>", "</fav>",
                          "<fav name=\"B\" block=\"0\">", "<prog service_key=\"103\"/>",
                          "<prog service_key=\"100\"/>", "<prog service_key=\"104\"/>",
                          "<prog service_key=\"105\"/>", "</fav>", "</favourites>"}));
        WriteBytes(
            "temp_radio_fav.xml",
            Lines({"<favourites>", "<fav name=\"A\" block=\"0\">", "<prog service_key=\"100\"/>",
                   "<prog service_key=\"200\"/>", "<prog service_key=\"201\"/>",
                   "<prog service_key=\"202\"/>", "</fav>", "</favourites>"}));
    }

    // The values of one attribute of every element named `name` in a file, in order
    // (the test files write plain values).
    static std::vector<std::u16string> Values(const char* file, std::u16string_view name,
                                              std::u16string_view attribute) {
        const std::string text = ReadBytes(file);
        const std::regex value("<" + std::string(name.begin(), name.end()) + " [^>]*?\\b" +
                               std::string(attribute.begin(), attribute.end()) + "=\"([^\"]*)\"");
        std::vector<std::u16string> values;
        for (std::sregex_iterator it(text.begin(), text.end(), value), end; it != end; ++it)
            values.emplace_back((*it)[1].first, (*it)[1].second);
        return values;
    }

    TempDir m_dir{true};
};

}  // namespace vesko::testing
