#pragma once
// Favourites working copies for the favourite page tests: seven parallel TV and radio
// groups, one of them with extra attributes, a long key and members of their own
// attributes, one empty, and a TV programme file naming some of the services.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_rows.h"
#include "pages/favourites/fav_page.h"
#include "temp_dir.h"
#include "xml/xml_doc.h"

namespace vesko::testing {

inline std::string FavGroupText(const std::string& name, const std::vector<std::string>& keys,
                                const std::string& extra = "") {
    if (keys.empty())
        return "\t<fav name=\"" + name + "\" block=\"0\"" + extra + "/>\r\n";
    std::string text = "\t<fav name=\"" + name + "\" block=\"0\"" + extra + ">\r\n";
    for (const std::string& key : keys)
        text += "\t\t<prog service_key=\"" + key + "\"/>\r\n";
    return text + "\t</fav>\r\n";
}

inline std::string FavFile(const std::vector<std::string>& groups) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<favourites>\r\n";
    for (const std::string& group : groups)
        text += group;
    return text + "</favourites>\r\n";
}

class FavPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes("temp_tv_fav.xml", TvFav());
        WriteBytes("temp_radio_fav.xml",
                   FavFile({FavGroupText("G0", {"900"}), FavGroupText("G1", {}),
                            FavGroupText("G2", {"901"}), FavGroupText("G3", {}),
                            FavGroupText("G4", {"902", "903"}), FavGroupText("G5", {"904"}),
                            FavGroupText("G6", {})}));
        std::string prog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<tv>\r\n";
        for (const char* key : {"1", "2", "3", "4", "5", "LONGKEY123456"}) {
            prog += std::string("<prog service_key=\"") + key + "\" name=\"Channel " + key +
                    "\" block=\"0\"/>\r\n";
        }
        WriteBytes("temp_tv_prog.xml", prog + "</tv>\r\n");
        WriteBytes("temp_radio_prog.xml", "<radio>\r\n</radio>\r\n");
    }

    static std::string TvFav() {
        return FavFile({FavGroupText("G0", {"1", "2", "3"}), FavGroupText("G1", {"3", "4"}),
                        FavGroupText("G2", {}), FavGroupText("G3", {"5"}),
                        FavGroupText("G4", {"1", "9"}),
                        "\t<fav name=\"G5\" block=\"1\" colour=\"red\">\r\n"
                        "\t\t<prog service_key=\"LONGKEY123456\" note=\"kept\"/>\r\n"
                        "\t\t<prog service_key=\"2\"/>\r\n\t</fav>\r\n",
                        FavGroupText("G6", {"4"})});
    }

    // The page with its partner, filled as after an open.
    void Open() {
        m_tv.SetPartnerPage(&m_radio);
        m_tv.Reload();
        m_radio.Reload();
    }

    TempDir m_dir{true};
    CFavPage m_tv{FavKind::Tv};
    CFavPage m_radio{FavKind::Radio};
};

}  // namespace vesko::testing
