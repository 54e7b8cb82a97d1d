#include "database_generator.h"

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "database/schema.h"
#include "seeded_random.h"
#include "xml/decimal_text.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

using Random = SeededRandom;

// Builds one file's text, one element a line.
class XmlText {
public:
    explicit XmlText(std::u16string_view lineEnd) : m_lineEnd(lineEnd) {
        m_text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        m_text += m_lineEnd;
    }
    void Open(std::u16string_view name, int depth) { Start(name, depth); }
    void Attr(std::u16string_view name, std::u16string_view value) {
        m_text += u' ';
        m_text += name;
        m_text += u"=\"";
        m_text += CXmlDoc::EscapeText(value, kEditAttribute);
        m_text += u'"';
    }
    void Attr(std::u16string_view name, long value) { Attr(name, DecimalText(value)); }
    void EndStart() {
        m_text += u'>';
        m_text += m_lineEnd;
    }
    void EndEmpty() {
        m_text += u"/>";
        m_text += m_lineEnd;
    }
    void Close(std::u16string_view name, int depth) {
        m_text.append(static_cast<size_t>(depth), u'\t');
        m_text += u"</";
        m_text += name;
        m_text += u'>';
        m_text += m_lineEnd;
    }
    const std::u16string& Text() const { return m_text; }

private:
    void Start(std::u16string_view name, int depth) {
        m_text.append(static_cast<size_t>(depth), u'\t');
        m_text += u'<';
        m_text += name;
    }
    std::u16string m_lineEnd;
    std::u16string m_text;
};

bool WriteFile(const std::filesystem::path& path, const std::u16string& text, bool byteOrderMark) {
    CXmlDoc doc;
    doc.SetDoc(text);
    if (byteOrderMark) {
        doc.SetDocFlags(doc.GetDocFlags() | kDocUtf8Bom);
    }
    return doc.Save(path);
}

struct Satellite {
    std::u16string key;
    std::u16string name;
    int longitude = 0;
};

struct Transponder {
    int key = 0;
    std::u16string satKey;
};

constexpr std::array<std::u16string_view, 15> kLnbTypes{u"Uni.(9750/10600)",
                                                        u"Uni.(9750/10750)",
                                                        u"Low Band(9750)",
                                                        u"High Band(10600)",
                                                        u"C-Band(5150)",
                                                        u"KU Band(11300)",
                                                        u"One Cable L",
                                                        u"One Cable H",
                                                        u"KU(10000/10450)",
                                                        u"MDU-1",
                                                        u"MDU-2",
                                                        u"MDU-3",
                                                        u"MDU-4",
                                                        u"KU(10750)",
                                                        u"User"};
constexpr std::array<std::u16string_view, 7> kPowers{u"OFF",  u"13",   u"18",       u"13/18",
                                                     u"13.5", u"18.5", u"13.5/18.5"};
constexpr std::array<std::u16string_view, 5> kDiseqc10{u"OFF", u"A", u"B", u"C", u"D"};
constexpr std::array<std::u16string_view, 3> kMotors{u"OFF", u"DiSEqC1.2", u"USALS"};
constexpr std::array<std::u16string_view, 14> kFecs{u"Auto", u"1/2", u"2/3", u"3/4", u"4/5",
                                                    u"5/6",  u"6/7", u"7/8", u"8/9", u"1/4",
                                                    u"1/3",  u"2/5", u"3/5", u"9/10"};
constexpr std::array<std::u16string_view, 6> kQams{u"AUTO",  u"16QAM",  u"32QAM",
                                                   u"64QAM", u"128QAM", u"256QAM"};
constexpr std::array<int, 5> kSymbolRates{22000, 27500, 29900, 30000, 6875};

struct KnownSatellite {
    std::u16string_view name;
    int longitude;
};
constexpr std::array<KnownSatellite, 12> kKnownSatellites{{
    {u"Astra 1KR/1L/1M/1N", 192},
    {u"Hot Bird 13B/13C/13E", 130},
    {u"Astra 2E/2F/2G", 282},
    {u"Eutelsat 36B", 360},
    {u"Hispasat 30W-5", -300},
    {u"Thor 5/6/7", -8},
    {u"Türksat 3A/4A", 420},
    {u"Amos 3/7", -40},
    {u"Express AM6", 530},
    {u"Eutelsat 7A/7B", 70},
    {u"Badr 4/5/6", 260},
    {u"Intelsat 901", -180},
}};

constexpr std::array<std::u16string_view, 48> kServiceNames{
    // Latin
    u"BBC One", u"Rai 1", u"Das Erste", u"TVE 1", u"France 2", u"Sky News", u"Eurosport 1",
    u"Discovery Channel", u"CNN International", u"ZDF", u"Canal+", u"RTL",
    // Cyrillic
    u"Первый канал", u"Россия 1", u"НТВ", u"Пятый канал", u"Культура", u"Звезда", u"ТНТ", u"СТС",
    u"Україна 24",
    // Greek
    u"ΕΡΤ1", u"ΣΚΑΪ", u"Alpha Ελλάδα", u"ΑΝΤ1",
    // Arabic
    u"الجزيرة", u"العربية", u"قناة دبي", u"الحياة",
    // Chinese
    u"中央电视台", u"凤凰卫视", u"湖南卫视", u"东方卫视",
    // Markup characters that must survive escaping
    u"Tom & Jerry", u"<Kids>", u"Say \"Hi\" TV", u"Rock'n'Roll", u"A&E <HD> \"Live\" 'Now'",
    // More Latin
    u"Euronews", u"Arte", u"MTV Hits", u"Nickelodeon", u"Al Jazeera English", u"TRT World",
    u"Kanal D", u"Sport 1", u"Cartoon Network", u"National Geographic"};

constexpr std::array<std::u16string_view, 12> kRadioNames{
    u"BBC Radio 4",     u"Radio Swiss Pop", u"Европа Плюс",       u"Русское радио",
    u"Deutschlandfunk", u"France Inter",    u"Radio Rock & Roll", u"ΕΡΑ Σπορ",
    u"إذاعة القرآن",    u"中国之声",        u"Jazz \"FM\"",       u"Classic'FM"};

constexpr std::array<std::u16string_view, 10> kProviders{
    u"SES",         u"BBC", u"RAI", u"Триколор", u"NTV+",
    u"Canal+ & Co", u"ERT", u"MBC", u"CCTV",     u"Orange"};

constexpr std::array<std::u16string_view, 32> kGroupNames{
    u"News",          u"Sport",         u"Movies",        u"Kids",
    u"Music",         u"Documentary",   u"Новости",       u"Спорт",
    u"Кино",          u"Ταινίες",       u"أخبار",         u"新闻",
    u"Favourites 13", u"Favourites 14", u"Favourites 15", u"Favourites 16",
    u"Favourites 17", u"Favourites 18", u"Favourites 19", u"Favourites 20",
    u"Favourites 21", u"Favourites 22", u"Favourites 23", u"Favourites 24",
    u"Favourites 25", u"Favourites 26", u"Favourites 27", u"Favourites 28",
    u"Favourites 29", u"Favourites 30", u"Tom & Jerry's", u"<Night> \"Late\""};

// A name longer than the edit dialog's 40 characters, as some receivers store them.
constexpr std::u16string_view kLongName = u"Extremely Long Channel Name Beyond The Edit Limit HD";

class Generator {
public:
    Generator(const DatabaseSize& size, uint32_t seed) : m_size(size), m_random(seed) {}

    bool Write(const std::filesystem::path& folder) {
        MakeSatellites();
        bool ok = WriteSatellites(folder / "sat.xml");
        if (m_size.withTerrestrial) {
            ok = WriteSingleSat(folder / "sat_t.xml", u"sat_t", kTerrestrialSatKey, u"Terrestrial",
                                m_size.terTransponders, true) &&
                 ok;
        }
        if (m_size.withCable) {
            ok = WriteSingleSat(folder / "sat_c.xml", u"sat_c", kCableSatKey, u"Cable",
                                m_size.cableTransponders, false) &&
                 ok;
        }
        ok = WriteServices(folder / "tv_prog.xml", u"tv_prog", m_size.tvServices, 1, false,
                           m_tvKeys) &&
             ok;
        ok = WriteServices(folder / "radio_prog.xml", u"radio_prog", m_size.radioServices, 50001,
                           true, m_radioKeys) &&
             ok;
        ok = WriteFavourites(folder / "tv_fav.xml", m_tvKeys) && ok;
        ok = WriteFavourites(folder / "radio_fav.xml", m_radioKeys) && ok;
        return ok;
    }

private:
    void MakeSatellites() {
        m_size.satellites = std::max(1, m_size.satellites);  // services need a satellite
        for (int i = 0; i < m_size.satellites; ++i) {
            Satellite sat;
            sat.key = DecimalText(i + 1);
            if (i < static_cast<int>(kKnownSatellites.size())) {
                sat.name = kKnownSatellites[static_cast<size_t>(i)].name;
                sat.longitude = kKnownSatellites[static_cast<size_t>(i)].longitude;
            } else {
                sat.longitude = m_random.Between(-1800, 1800);
                sat.name = u"Sat " + DecimalText(i + 1);
            }
            m_satellites.push_back(sat);
        }
    }

    void WriteTunerSettings(XmlText& xml, int tuners) {
        for (int t = 0; t < tuners; ++t) {
            // Most dishes have a universal LNB; the rest of the list still turns up.
            const std::u16string_view lnb =
                m_random.Chance(70) ? kLnbTypes[0] : m_random.Pick(kLnbTypes);
            const bool universal = lnb == kLnbTypes[0] || lnb == kLnbTypes[1];
            xml.Attr(TunerAttribute(u"lnb", t), lnb);
            xml.Attr(TunerAttribute(u"k22", t),
                     universal ? u"AUTO" : (m_random.Chance(50) ? u"ON" : u"OFF"));
            xml.Attr(TunerAttribute(u"v12", t), m_random.Chance(20) ? u"ON" : u"OFF");
            xml.Attr(TunerAttribute(u"power", t), m_random.Pick(kPowers));
            xml.Attr(TunerAttribute(u"diseqc1.0", t), m_random.Pick(kDiseqc10));
            const int port = m_random.Below(17);
            xml.Attr(TunerAttribute(u"diseqc1.1", t), port == 0 ? u"OFF" : DecimalText(port));
            xml.Attr(TunerAttribute(u"motor", t), m_random.Pick(kMotors));
            xml.Attr(TunerAttribute(u"UserFreq", t), lnb == u"User" ? 10000 : 0);
        }
    }

    bool WriteSatellites(const std::filesystem::path& path) {
        XmlText xml(u"\r\n");  // the satellite file comes with CR LF line ends
        const int tuners = m_random.Chance(50) ? 2 : 3;
        xml.Open(u"satellites", 0);
        xml.Attr(u"tuner_num", tuners);
        xml.EndStart();
        const int count = std::max(1, m_size.satellites);
        for (int i = 0; i < m_size.satellites; ++i) {
            const Satellite& sat = m_satellites[static_cast<size_t>(i)];
            xml.Open(u"sat", 1);
            xml.Attr(u"sat_key", sat.key);
            xml.Attr(u"name", sat.name);
            xml.Attr(u"longitude", sat.longitude);
            WriteTunerSettings(xml, tuners);
            xml.EndStart();
            int transponders =
                m_size.satTransponders / count + (i < m_size.satTransponders % count ? 1 : 0);
            transponders = std::clamp(transponders, 1, 300);
            for (int k = 0; k < transponders; ++k) {
                const int key = NextTpKey(sat.key, m_satTransponders);
                xml.Open(u"transponder", 2);
                xml.Attr(u"tp_key", key);
                xml.Attr(u"sat_key", sat.key);
                xml.Attr(u"transport_stream_id", m_random.Between(1, 65535));
                xml.Attr(u"original_network_id", m_random.Between(1, 65535));
                xml.Attr(u"frequency", 10700 + (k * 2050 / transponders) * 1 + m_random.Below(3));
                xml.Attr(u"symbol_rate", kSymbolRates[static_cast<size_t>(m_random.Below(4))]);
                xml.Attr(u"fec", kFecs[static_cast<size_t>(k % static_cast<int>(kFecs.size()))]);
                xml.Attr(u"modulation_mode", m_random.Chance(40) ? u"8PSK" : u"QPSK");
                xml.Attr(u"polarization", k % 2 == 0 ? u"H" : u"V");
                xml.EndEmpty();
            }
            xml.Close(u"sat", 1);
        }
        xml.Close(u"satellites", 0);
        return WriteFile(path, xml.Text(), false);
    }

    bool WriteSingleSat(const std::filesystem::path& path, std::u16string_view root,
                        std::u16string_view satKey, std::u16string_view name, int count,
                        bool terrestrial) {
        XmlText xml(u"\n");
        xml.Open(root, 0);
        xml.EndStart();
        xml.Open(u"sat", 1);
        xml.Attr(u"sat_key", satKey);
        xml.Attr(u"name", name);
        xml.EndStart();
        std::vector<Transponder>& list = terrestrial ? m_terTransponders : m_cableTransponders;
        for (int k = 0; k < std::clamp(count, 1, 300); ++k) {
            const int key = NextTpKey(std::u16string(satKey), list);
            xml.Open(u"transponder", 2);
            xml.Attr(u"tp_key", key);
            xml.Attr(u"sat_key", satKey);
            if (terrestrial) {
                const int channel = 21 + k;
                xml.Attr(u"frequency", 306 + channel * 8);  // UHF raster: channel 21 is 474
                xml.Attr(u"band", m_random.Chance(80) ? u"8HMZ" : u"7HMZ");
                xml.Attr(u"channel_no", channel);
            } else {
                xml.Attr(u"frequency", 114 + k * 8);
                xml.Attr(u"symbol_rate", m_random.Chance(70) ? 6875 : 6900);
                xml.Attr(u"modulation_mode", m_random.Pick(kQams));
            }
            xml.EndEmpty();
        }
        xml.Close(u"sat", 1);
        xml.Close(root, 0);
        return WriteFile(path, xml.Text(), false);
    }

    int NextTpKey(const std::u16string& satKey, std::vector<Transponder>& list) {
        const int key = ++m_lastTpKey;
        list.push_back({key, satKey});
        return key;
    }

    const Transponder& PickTransponder() {
        const int roll = m_random.Below(100);
        if (roll < 7 && !m_terTransponders.empty()) {
            return m_terTransponders[static_cast<size_t>(
                m_random.Below(static_cast<int>(m_terTransponders.size())))];
        }
        if (roll < 15 && !m_cableTransponders.empty()) {
            return m_cableTransponders[static_cast<size_t>(
                m_random.Below(static_cast<int>(m_cableTransponders.size())))];
        }
        // Services come in runs on one transponder, as a scan stores them.
        if (m_runLeft <= 0 || m_runTransponder >= m_satTransponders.size()) {
            m_runTransponder =
                static_cast<size_t>(m_random.Below(static_cast<int>(m_satTransponders.size())));
            m_runLeft = m_random.Between(1, 8);
        }
        --m_runLeft;
        return m_satTransponders[m_runTransponder];
    }

    bool WriteServices(const std::filesystem::path& path, std::u16string_view root, int count,
                       int firstKey, bool radio, std::vector<std::u16string>& keys) {
        const bool tv = !radio;
        XmlText xml(u"\n");
        xml.Open(root, 0);
        xml.EndStart();
        for (int i = 0; i < count; ++i) {
            const Transponder& tp = PickTransponder();
            const std::u16string key = DecimalText(firstKey + i);
            keys.push_back(key);
            std::u16string name;
            if (tv && i == 7) {
                name = kLongName;
            } else if (radio) {
                name = kRadioNames[static_cast<size_t>(i) % kRadioNames.size()];
            } else {
                name = kServiceNames[static_cast<size_t>(i) % kServiceNames.size()];
            }
            const size_t pool = radio ? kRadioNames.size() : kServiceNames.size();
            if (static_cast<size_t>(i) >= pool) {
                name += u" " + DecimalText(static_cast<long>(static_cast<size_t>(i) / pool) + 1);
            }
            const int video = radio ? 0 : m_random.Between(32, 8000);
            const int audio = m_random.Between(32, 8000);
            xml.Open(u"prog", 1);
            xml.Attr(u"sat_key", tp.satKey);
            xml.Attr(u"tp_key", tp.key);
            xml.Attr(u"service_key", key);
            xml.Attr(u"tuner_type_idex", tp.satKey == kTerrestrialSatKey ? 2
                                         : tp.satKey == kCableSatKey     ? 1
                                                                         : 0);
            xml.Attr(u"sat_type", 0);
            xml.Attr(u"service_id", m_random.Between(1, 65535));
            xml.Attr(u"pmt_pid", m_random.Between(32, 8000));
            xml.Attr(u"video_pid", video);
            xml.Attr(u"audio_pid", audio);
            xml.Attr(u"pcr_pid", radio ? audio : video);
            xml.Attr(u"block", m_random.Chance(10) ? 1 : 0);
            xml.Attr(u"bskip", m_random.Chance(8) ? 1 : 0);
            xml.Attr(u"audio_lang", m_random.Chance(50) ? u"eng" : u"rus");
            xml.Attr(u"audio_type", 0);
            xml.Attr(u"video_type", radio ? 0 : m_random.Between(0, 2));
            xml.Attr(u"provider", m_random.Pick(kProviders));
            const int scramble = m_random.Below(100);
            xml.Attr(u"encrypt", scramble < 60 ? u"NULL" : scramble < 95 ? u"0x0500" : u"");
            xml.Attr(u"hd", m_random.Chance(25) ? 1 : 0);
            xml.Attr(u"name", name);
            xml.EndEmpty();
        }
        xml.Close(root, 0);
        return WriteFile(path, xml.Text(), tv);  // tv_prog.xml comes with a byte-order mark
    }

    bool WriteFavourites(const std::filesystem::path& path,
                         const std::vector<std::u16string>& keys) {
        XmlText xml(u"\n");
        xml.Open(u"favourites", 0);
        xml.EndStart();
        const int available = static_cast<int>(keys.size());
        for (int g = 0; g < m_size.groups; ++g) {
            xml.Open(u"fav", 1);
            xml.Attr(u"name", g < static_cast<int>(kGroupNames.size())
                                  ? std::u16string(kGroupNames[static_cast<size_t>(g)])
                                  : u"Group " + DecimalText(g + 1));
            xml.Attr(u"block", g == 5 ? 1 : 0);
            // The first groups are full (and one short of full), some are empty.
            int members = m_random.Between(0, m_size.maxGroupMembers);
            if (g == 0) {
                members = m_size.maxGroupMembers;
            } else if (g == 1) {
                members = m_size.maxGroupMembers - 1;
            } else if (g % 7 == 6) {
                members = 0;
            }
            members = std::min(members, available);
            if (members == 0) {
                xml.EndEmpty();
                continue;
            }
            xml.EndStart();
            std::vector<int> chosen(static_cast<size_t>(available));
            for (int i = 0; i < available; ++i) {
                chosen[static_cast<size_t>(i)] = i;
            }
            for (int i = 0; i < members; ++i) {  // partial shuffle: distinct members
                std::swap(chosen[static_cast<size_t>(i)],
                          chosen[static_cast<size_t>(i + m_random.Below(available - i))]);
                xml.Open(u"prog", 2);
                xml.Attr(u"service_key", keys[static_cast<size_t>(chosen[static_cast<size_t>(i)])]);
                xml.EndEmpty();
            }
            xml.Close(u"fav", 1);
        }
        xml.Close(u"favourites", 0);
        return WriteFile(path, xml.Text(), false);
    }

    DatabaseSize m_size;
    Random m_random;
    std::vector<Satellite> m_satellites;
    std::vector<Transponder> m_satTransponders;
    std::vector<Transponder> m_terTransponders;
    std::vector<Transponder> m_cableTransponders;
    std::vector<std::u16string> m_tvKeys;
    std::vector<std::u16string> m_radioKeys;
    int m_lastTpKey = 0;
    size_t m_runTransponder = 0;
    int m_runLeft = 0;
};

}  // namespace

bool GenerateDatabase(const std::filesystem::path& folder, const DatabaseSize& size,
                      uint32_t seed) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return Generator(size, seed).Write(folder);
}

}  // namespace vesko
