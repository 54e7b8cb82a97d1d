#pragma once
// Working copies for the Icon page tests, written into the current (working) folder:
// two satellites, a terrestrial and a cable transponder, and the TV services a test
// asks for.

#include <string>
#include <vector>

#include "database/schema.h"
#include "temp_dir.h"

namespace vesko::testing {

struct IconService {
    std::string name;
    std::string satKey = "1";
    std::string tpKey = "10";
    std::string serviceId = "1234";
};

inline void WriteIconDatabase(const std::vector<IconService>& services) {
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    WriteBytes(kSatWork, head +
                             "<satellites tuner_num=\"1\">\r\n"
                             "<sat sat_key=\"1\" name=\"Astra 19.2E\" longitude=\"192\">\r\n"
                             "<transponder tp_key=\"10\" sat_key=\"1\" frequency=\"11778\" "
                             "symbol_rate=\"27500\" polarization=\"V\"/>\r\n</sat>\r\n"
                             "<sat sat_key=\"2\" name=\"Hispasat 30W\" longitude=\"-75\">\r\n"
                             "<transponder tp_key=\"20\" sat_key=\"2\" frequency=\"10729\" "
                             "symbol_rate=\"22000\" polarization=\"H\"/>\r\n</sat>\r\n"
                             // A satellite wrongly carrying the terrestrial key: never looked at.
                             "<sat sat_key=\"65\" name=\"Wrong\" longitude=\"100\">\r\n"
                             "<transponder tp_key=\"30\" sat_key=\"65\" frequency=\"999\" "
                             "symbol_rate=\"1\" polarization=\"V\"/>\r\n</sat>\r\n"
                             "</satellites>\r\n");
    WriteBytes(kSatTerWork, head +
                                "<sat_t>\r\n<sat sat_key=\"65\" name=\"Terrestrial\">\r\n"
                                "<transponder tp_key=\"30\" sat_key=\"65\" frequency=\"474\" "
                                "band=\"8HMZ\" channel_no=\"21\"/>\r\n</sat>\r\n</sat_t>\r\n");
    WriteBytes(kSatCableWork, head +
                                  "<sat_c>\r\n<sat sat_key=\"66\" name=\"Cable\">\r\n"
                                  "<transponder tp_key=\"40\" sat_key=\"66\" frequency=\"306\" "
                                  "symbol_rate=\"6875\" modulation_mode=\"64QAM\"/>\r\n"
                                  "</sat>\r\n</sat_c>\r\n");
    std::string progs = head + "<tv_prog>\r\n";
    for (const IconService& s : services) {
        progs += "<prog sat_key=\"" + s.satKey + "\" tp_key=\"" + s.tpKey +
                 "\" service_key=\"1\" service_id=\"" + s.serviceId + "\" name=\"" + s.name +
                 "\"/>\r\n";
    }
    WriteBytes(kTvProgWork, progs + "</tv_prog>\r\n");
}

// `count` services named "Service 1", "Service 2", ...
inline std::vector<IconService> NumberedServices(int count) {
    std::vector<IconService> services;
    for (int n = 1; n <= count; ++n) {
        services.push_back({"Service " + std::to_string(n), "1", "10", std::to_string(n)});
    }
    return services;
}

}  // namespace vesko::testing
