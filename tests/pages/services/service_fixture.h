#pragma once
// A small database of working copies in a temporary working folder, for the service
// page tests: ten TV services on satellite, terrestrial, cable and unknown
// transponders, two favourite groups, a few radio services.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "database/schema.h"
#include "list_rows.h"
#include "pages/services/service_page.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko::testing {

using Attrs = std::vector<std::pair<std::string, std::string>>;

// A `prog` element with the 19 record attributes (values from `overrides` where given,
// otherwise derived from `key`), followed by `extra` attributes.
inline std::string ProgElement(const std::string& key, const Attrs& overrides = {},
                               const Attrs& extra = {}) {
    std::string text = "<prog";
    for (std::u16string_view name16 : kServiceRecordAttributes) {
        const std::string name(name16.begin(), name16.end());
        std::string value;
        bool present = true;
        if (name == "service_key")
            value = key;
        else if (name == "sat_key")
            value = "1";
        else if (name == "tp_key")
            value = "10";
        else if (name == "block" || name == "bskip")
            value = "0";
        else if (name == "encrypt")
            value = "NULL";
        else if (name == "name")
            value = "Channel " + key;
        else if (name == "provider")
            value = "Prov " + key;
        else
            value = name.substr(0, 2) + key;
        for (const auto& [n, v] : overrides) {
            if (n != name)
                continue;
            value = v;
            present = v != "<absent>";
        }
        if (present)
            text += " " + name + "=\"" + value + "\"";
    }
    for (const auto& [n, v] : extra)
        text += " " + n + "=\"" + v + "\"";
    return text + "/>";
}

inline std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

inline std::string SatFile() {
    return Lines({"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<satellites tuner_num=\"2\">",
                  "<sat sat_key=\"1\" name=\"Astra 19.2E\" longitude=\"192\">",
                  "<transponder tp_key=\"10\" sat_key=\"1\" frequency=\"11362\" "
                  "symbol_rate=\"22000\" polarization=\"H\"/>",
                  "<transponder tp_key=\"11\" sat_key=\"1\" frequency=\"11758\" "
                  "symbol_rate=\"27500\" polarization=\"V\"/>",
                  "</sat>",
                  // A satellite that wrongly carries a reserved key: terrestrial and cable
                  // services must still look in their own files.
                  "<sat sat_key=\"65\" name=\"Wrong\" longitude=\"0\">",
                  "<transponder tp_key=\"20\" sat_key=\"65\" frequency=\"1\" symbol_rate=\"2\" "
                  "polarization=\"H\"/>",
                  "</sat>", "</satellites>"});
}

class ServicePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes("temp_sat.xml", SatFile());
        WriteBytes("temp_sat_t.xml", Lines({"<sat_t>", "<sat sat_key=\"65\">",
                                            "<transponder tp_key=\"20\" sat_key=\"65\" "
                                            "frequency=\"474000\" band=\"8\" channel_no=\"21\"/>",
                                            "</sat>", "</sat_t>"}));
        WriteBytes("temp_sat_c.xml",
                   Lines({"<sat_c>", "<sat sat_key=\"66\">",
                          "<transponder tp_key=\"30\" sat_key=\"66\" frequency=\"346000\" "
                          "symbol_rate=\"6875\" modulation_mode=\"64QAM\"/>",
                          "</sat>", "</sat_c>"}));
        WriteBytes("temp_tv_prog.xml", TvProg());
        WriteBytes("temp_tv_fav.xml",
                   Lines({"<favourites>", "<fav name=\"News\" block=\"0\">",
                          "<prog service_key=\"100\"/>", "<prog service_key=\"103\"/>", "</fav>",
                          "<fav name=\"Sport\" block=\"0\">", "<prog service_key=\"103\"/>",
                          "<prog service_key=\"105\"/>", "<prog/>", "</fav>", "</favourites>"}));
        WriteBytes("temp_radio_prog.xml",
                   Lines({"<radio>", ProgElement("100"), ProgElement("200"), "</radio>"}));
        m_radioFav = Lines({"<favourites>", "<fav name=\"News\" block=\"0\">",
                            "<prog service_key=\"100\"/>", "</fav>", "</favourites>"});
        WriteBytes("temp_radio_fav.xml", m_radioFav);
    }

    static std::string TvProg() {
        return Lines(
            {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<tv>",
             ProgElement("100", {{"block", "1"}}),
             ProgElement("101", {{"sat_key", "65"}, {"tp_key", "20"}, {"encrypt", ""}}),
             ProgElement("102", {{"bskip", "1"}}),
             ProgElement("103", {{"sat_key", "66"}, {"tp_key", "30"}, {"encrypt", "<absent>"}}),
             ProgElement("104", {{"tp_key", "99"}, {"block", "2"}}),
             ProgElement("105", {{"tp_key", "11"}, {"block", ""}}, {{"icon_name", "x.jpg"}}),
             ProgElement("106", {{"tp_key", "11"}, {"block", "<absent>"}}),
             ProgElement("107", {{"encrypt", "BISS"}}, {{"icon_name", "y.jpg"}}),
             ProgElement("108"),
             ProgElement("109", {{"service_key", ""}}),  // a service without key
             "</tv>"});
    }

    // The `service_key`s of the `prog` children of a service file, in file order.
    static std::vector<std::u16string> FileKeys(const char* file) {
        CXmlDoc doc;
        doc.Load(file);
        std::vector<std::u16string> keys;
        while (doc.FindChildElement(u"prog")) {
            doc.IntoElement();
            keys.push_back(doc.GetAttribute(u"service_key"));
            doc.OutOfElement();
        }
        return keys;
    }

    static std::vector<std::u16string> ListColumn(const CDragListCtrl& list, int column) {
        std::vector<std::u16string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back(list.GetItemText(row, column));
        return texts;
    }

    TempDir m_dir{true};
    std::string m_radioFav;
};

}  // namespace vesko::testing
