#include "rescan.h"

#include <algorithm>
#include <random>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/services/element_splicer.h"
#include "seeded_random.h"
#include "xml/decimal_text.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

namespace fs = std::filesystem;
using Attributes = std::vector<std::pair<std::u16string_view, std::u16string_view>>;

using Random = SeededRandom;

struct SourceFiles {
    CXmlDoc sat, terrestrial, cable, tv, radio, tvFav, radioFav;
    bool hasTerrestrial = false;
    bool hasCable = false;
};

bool LoadSource(const fs::path& source, SourceFiles& files) {
    bool ok = files.sat.Load(source / "sat.xml") && files.tv.Load(source / "tv_prog.xml") &&
              files.radio.Load(source / "radio_prog.xml") &&
              files.tvFav.Load(source / "tv_fav.xml") &&
              files.radioFav.Load(source / "radio_fav.xml");
    std::error_code ec;
    files.hasTerrestrial = fs::exists(source / "sat_t.xml", ec);
    files.hasCable = fs::exists(source / "sat_c.xml", ec);
    if (files.hasTerrestrial)
        ok = files.terrestrial.Load(source / "sat_t.xml") && ok;
    if (files.hasCable)
        ok = files.cable.Load(source / "sat_c.xml") && ok;
    return ok;
}

// How a file's lines end and what stands before its root element: the rescan keeps both.
struct FileFrame {
    std::u16string lineEnd;
    std::u16string head;       // the declaration and anything else before the root
    std::u16string rootStart;  // the root's start tag
    std::u16string rootEnd;    // its end tag
};

FileFrame FrameOf(CXmlDoc& doc) {
    FileFrame frame;
    const std::u16string& text = doc.GetDoc();
    frame.lineEnd = text.find(u"\r\n") != std::u16string::npos ? u"\r\n" : u"\n";
    doc.ResetPosition();
    if (!doc.FindElement())
        return frame;
    const int root = doc.GetCurrentPos();
    const ElementRecord& r = doc.GetIndex()[root];
    frame.head = text.substr(0, static_cast<size_t>(r.start));
    frame.rootStart =
        text.substr(static_cast<size_t>(r.start), static_cast<size_t>(doc.StartTagLength(root)));
    if (frame.rootStart.ends_with(u"/>"))
        frame.rootStart.replace(frame.rootStart.size() - 2, 2, u">");
    size_t nameEnd = 1;
    while (nameEnd < frame.rootStart.size() &&
           std::u16string_view(u" \t\r\n/>").find(frame.rootStart[nameEnd]) ==
               std::u16string_view::npos)
        ++nameEnd;
    frame.rootEnd = u"</" + frame.rootStart.substr(1, nameEnd - 1) + u">";
    doc.ResetPosition();
    return frame;
}

// The start tag of an element with some attributes set by the engine.
std::u16string StartTagWith(const CXmlDoc& doc, int record, const Attributes& attributes) {
    const ElementRecord& r = doc.GetIndex()[record];
    std::u16string tag = doc.GetDoc().substr(static_cast<size_t>(r.start),
                                             static_cast<size_t>(doc.StartTagLength(record)));
    const bool empty = tag.ends_with(u"/>");
    if (!empty)
        tag.insert(tag.size() - 1, u"/");
    tag = WithAttributes(tag, attributes);
    if (!empty && tag.ends_with(u"/>"))
        tag.erase(tag.size() - 2, 1);
    return tag;
}

bool WriteLike(const CXmlDoc& source, const fs::path& path, const std::u16string& text) {
    CXmlDoc doc;
    doc.SetDoc(text);
    doc.SetDocFlags(source.GetDocFlags());
    return doc.Save(path);
}

// Satellite numbers a receiver hands out, never the two reserved ones.
std::u16string SatelliteKey(int n) {
    int key = 0;
    for (int k = 0; k <= n; ++k) {
        ++key;
        if (key == 65)
            key = 67;
    }
    return DecimalText(key);
}

struct NewTransponder {
    std::u16string satKey;
    std::u16string tpKey;
    int scanIndex = 0;  // the order the scan met it in
    bool satellite = false;
};

class Rescanner {
public:
    Rescanner(SourceFiles& files, uint32_t seed) : m_files(files), m_random(seed) {}

    bool Write(const fs::path& folder, RescanTwins& twins) {
        ScanTransponders();
        bool ok = WriteLike(m_files.sat, folder / "sat.xml", SatelliteFile());
        if (m_files.hasTerrestrial) {
            ok = WriteLike(m_files.terrestrial, folder / "sat_t.xml",
                           SingleSatFile(m_files.terrestrial, kTerrestrialSatKey)) &&
                 ok;
        }
        if (m_files.hasCable) {
            ok = WriteLike(m_files.cable, folder / "sat_c.xml",
                           SingleSatFile(m_files.cable, kCableSatKey)) &&
                 ok;
        }
        std::vector<std::u16string> newTv;
        std::vector<std::u16string> firstTv;
        std::vector<std::u16string> newRadio;
        std::vector<std::u16string> firstRadio;
        ok = WriteLike(m_files.tv, folder / "tv_prog.xml",
                       ServiceFile(m_files.tv, 1, u"New Channel ", twins.tv, newTv, firstTv)) &&
             ok;
        ok = WriteLike(m_files.radio, folder / "radio_prog.xml",
                       ServiceFile(m_files.radio, 20001, u"New Radio ", twins.radio, newRadio,
                                   firstRadio)) &&
             ok;
        ok = WriteLike(m_files.tvFav, folder / "tv_fav.xml",
                       FavouriteFile(m_files.tvFav, newTv, firstTv)) &&
             ok;
        ok = WriteLike(m_files.radioFav, folder / "radio_fav.xml",
                       FavouriteFile(m_files.radioFav, newRadio, firstRadio)) &&
             ok;
        return ok;
    }

private:
    // The key a transponder of the source is found under: sat_key, a separator, tp_key.
    static std::u16string PlaceKey(std::u16string_view satKey, std::u16string_view tpKey) {
        return std::u16string(satKey) + u"|" + std::u16string(tpKey);
    }

    // Every transponder gets a new key, numbered in an order of its own (the last
    // satellite first); the scan meets them satellite by satellite, lowest frequency
    // first; satellites get new keys too.
    void ScanTransponders() {
        struct Found {
            std::u16string place;
            std::u16string satKey;
            int frequency = 0;
            int satellite = 0;  // index of its satellite; terrestrial and cable after them
        };
        std::vector<Found> found;
        int satellites = 0;
        m_files.sat.ResetPosition();
        ForEachChild(m_files.sat, u"sat", [&](int record) {
            const std::u16string oldKey = AttributeOf(m_files.sat, record, u"sat_key");
            m_satelliteKeys.emplace_back(oldKey, u"");
            ForEachChild(m_files.sat, u"transponder", [&](int tp) {
                found.push_back({PlaceKey(oldKey, AttributeOf(m_files.sat, tp, u"tp_key")),
                                 {},
                                 ParseNumber(AttributeOf(m_files.sat, tp, u"frequency")),
                                 satellites});
                return true;
            });
            ++satellites;
            return true;
        });
        for (int k = 0; k < satellites; ++k)
            m_satelliteKeys[static_cast<size_t>(k)].second = SatelliteKey(satellites - 1 - k);
        for (Found& f : found)
            f.satKey = m_satelliteKeys[static_cast<size_t>(f.satellite)].second;
        const auto single = [&](CXmlDoc& doc, std::u16string_view satKey, int index) {
            doc.ResetPosition();
            ForEachChild(doc, u"sat", [&](int) {
                ForEachChild(doc, u"transponder", [&](int tp) {
                    found.push_back({PlaceKey(satKey, AttributeOf(doc, tp, u"tp_key")),
                                     std::u16string(satKey),
                                     ParseNumber(AttributeOf(doc, tp, u"frequency")), index});
                    return true;
                });
                return false;
            });
        };
        if (m_files.hasTerrestrial)
            single(m_files.terrestrial, kTerrestrialSatKey, satellites);
        if (m_files.hasCable)
            single(m_files.cable, kCableSatKey, satellites + 1);

        std::vector<size_t> keyOrder(found.size());
        for (size_t k = 0; k < found.size(); ++k)
            keyOrder[k] = k;
        std::stable_sort(keyOrder.begin(), keyOrder.end(), [&](size_t a, size_t b) {
            return found[a].satellite > found[b].satellite;
        });
        std::vector<size_t> scanOrder = keyOrder;
        std::stable_sort(scanOrder.begin(), scanOrder.end(), [&](size_t a, size_t b) {
            return std::pair(found[a].satellite, found[a].frequency) <
                   std::pair(found[b].satellite, found[b].frequency);
        });
        std::vector<int> scanIndex(found.size());
        for (size_t k = 0; k < scanOrder.size(); ++k)
            scanIndex[scanOrder[k]] = static_cast<int>(k);
        for (size_t k = 0; k < keyOrder.size(); ++k) {
            const Found& f = found[keyOrder[k]];
            NewTransponder tp;
            tp.satKey = f.satKey;
            tp.tpKey = DecimalText(static_cast<long long>(k) + 1);
            tp.scanIndex = scanIndex[keyOrder[k]];
            tp.satellite = f.satellite < satellites;
            m_transponders.try_emplace(f.place, tp);
            if (tp.satellite)
                m_satelliteTransponders.push_back(f.place);
        }
    }

    static int ParseNumber(std::u16string_view text) {
        int value = 0;
        for (const char16_t c : text) {
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
        }
        return value;
    }

    std::u16string SatelliteFile() {
        CXmlDoc& sat = m_files.sat;
        const FileFrame frame = FrameOf(sat);
        std::u16string text = frame.head + frame.rootStart + frame.lineEnd;
        size_t index = 0;
        sat.ResetPosition();
        ForEachChild(sat, u"sat", [&](int record) {
            const std::u16string& oldKey = m_satelliteKeys[index].first;
            const std::u16string& newKey = m_satelliteKeys[index].second;
            ++index;
            const ElementRecord& r = sat.GetIndex()[record];
            if (r.length == sat.StartTagLength(record)) {
                text += u"\t" + StartTagWith(sat, record, {{u"sat_key", newKey}}) + frame.lineEnd;
                return true;
            }
            text += u"\t" + StartTagWith(sat, record, {{u"sat_key", newKey}}) + frame.lineEnd;
            ForEachChild(sat, u"transponder", [&](int tp) {
                const NewTransponder& moved =
                    m_transponders.at(PlaceKey(oldKey, AttributeOf(sat, tp, u"tp_key")));
                // A scan tunes a little beside where the last one did.
                const int drift = m_random.Between(-2, 2);
                const std::u16string frequency =
                    DecimalText(ParseNumber(AttributeOf(sat, tp, u"frequency")) + drift);
                text += u"\t\t" +
                        WithAttributes(ElementText(sat, tp), {{u"tp_key", moved.tpKey},
                                                              {u"sat_key", moved.satKey},
                                                              {u"frequency", frequency}}) +
                        frame.lineEnd;
                return true;
            });
            text += u"\t</sat>" + frame.lineEnd;
            return true;
        });
        return text + frame.rootEnd + frame.lineEnd;
    }

    std::u16string SingleSatFile(CXmlDoc& doc, std::u16string_view satKey) {
        const FileFrame frame = FrameOf(doc);
        std::u16string text = frame.head + frame.rootStart + frame.lineEnd;
        doc.ResetPosition();
        ForEachChild(doc, u"sat", [&](int record) {
            text += u"\t" + StartTagWith(doc, record, {}) + frame.lineEnd;
            ForEachChild(doc, u"transponder", [&](int tp) {
                const NewTransponder& moved =
                    m_transponders.at(PlaceKey(satKey, AttributeOf(doc, tp, u"tp_key")));
                text += u"\t\t" + WithAttributes(ElementText(doc, tp), {{u"tp_key", moved.tpKey}}) +
                        frame.lineEnd;
                return true;
            });
            text += u"\t</sat>" + frame.lineEnd;
            return false;
        });
        return text + frame.rootEnd + frame.lineEnd;
    }

    // The services the scan finds, in the order it finds them: transponder by
    // transponder, by service id within one.
    std::u16string ServiceFile(CXmlDoc& prog, int firstKey, std::u16string_view newName,
                               std::map<std::u16string, std::u16string>& twins,
                               std::vector<std::u16string>& newKeys,
                               std::vector<std::u16string>& firstKeys) {
        struct Found {
            int scanIndex = 0;
            int serviceId = 0;
            int record = 0;
            const NewTransponder* transponder = nullptr;
            std::u16string sourceKey;  // empty for a new service
            std::u16string serviceId16;
            std::u16string name;  // set for a new service only
        };
        std::vector<Found> found;
        const std::vector<int> records = RootChildren(prog, u"prog");
        for (const int record : records) {
            const auto tp = m_transponders.find(PlaceKey(AttributeOf(prog, record, u"sat_key"),
                                                         AttributeOf(prog, record, u"tp_key")));
            // Gone from the sky, or on a transponder the scan never found.
            if (m_random.Chance(3) || tp == m_transponders.end())
                continue;
            Found f;
            f.record = record;
            f.transponder = &tp->second;
            f.sourceKey = AttributeOf(prog, record, u"service_key");
            f.serviceId16 = AttributeOf(prog, record, u"service_id");
            // Now and then a provider renumbers a service.
            if (m_random.Chance(2))
                f.serviceId16 = DecimalText(m_random.Between(1, 65535));
            f.serviceId = ParseNumber(f.serviceId16);
            f.scanIndex = tp->second.scanIndex;
            found.push_back(std::move(f));
        }
        const int added = records.empty() || m_satelliteTransponders.empty()
                              ? 0
                              : std::max(1, static_cast<int>(records.size()) / 50);
        for (int k = 0; k < added; ++k) {
            Found f;
            f.record =
                records[static_cast<size_t>(m_random.Below(static_cast<int>(records.size())))];
            f.transponder = &m_transponders.at(m_satelliteTransponders[static_cast<size_t>(
                m_random.Below(static_cast<int>(m_satelliteTransponders.size())))]);
            f.serviceId16 = DecimalText(m_random.Between(1, 65535));
            f.serviceId = ParseNumber(f.serviceId16);
            f.scanIndex = f.transponder->scanIndex;
            f.name = std::u16string(newName) + DecimalText(k + 1);
            found.push_back(std::move(f));
        }
        std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
            return std::pair(a.scanIndex, a.serviceId) < std::pair(b.scanIndex, b.serviceId);
        });

        const FileFrame frame = FrameOf(prog);
        std::u16string text = frame.head + frame.rootStart + frame.lineEnd;
        for (size_t k = 0; k < found.size(); ++k) {
            const Found& f = found[k];
            const std::u16string key = DecimalText(firstKey + static_cast<long long>(k));
            Attributes attributes{{u"sat_key", f.transponder->satKey},
                                  {u"tp_key", f.transponder->tpKey},
                                  {u"service_key", key},
                                  {u"service_id", f.serviceId16},
                                  {u"block", u"0"},
                                  {u"bskip", u"0"}};
            if (f.sourceKey.empty()) {
                attributes.emplace_back(u"name", f.name);
                newKeys.push_back(key);
            } else {
                twins.emplace(f.sourceKey, key);
            }
            if (k < 3)
                firstKeys.push_back(key);
            text += u"\t" + WithAttributes(ElementText(prog, f.record), attributes) + frame.lineEnd;
        }
        return text + frame.rootEnd + frame.lineEnd;
    }

    // The receiver's default groups, as many as the source had: the new services in the
    // first, the first services of the scan in the second, the rest empty.
    std::u16string FavouriteFile(CXmlDoc& source, const std::vector<std::u16string>& newKeys,
                                 const std::vector<std::u16string>& firstKeys) {
        const FileFrame frame = FrameOf(source);
        const int groups = static_cast<int>(RootChildren(source, u"fav").size());
        std::u16string text = frame.head + frame.rootStart + frame.lineEnd;
        for (int g = 0; g < groups; ++g) {
            const std::vector<std::u16string> none;
            const std::vector<std::u16string>& members = g == 0   ? newKeys
                                                         : g == 1 ? firstKeys
                                                                  : none;
            text += u"\t<fav name=\"Favourites " + DecimalText(g + 1) + u"\" block=\"0\"";
            if (members.empty()) {
                text += u"/>" + frame.lineEnd;
                continue;
            }
            text += u">" + frame.lineEnd;
            for (const std::u16string& key : members) {
                text += u"\t\t<prog service_key=\"" + CXmlDoc::EscapeText(key, kEditAttribute) +
                        u"\"/>" + frame.lineEnd;
            }
            text += u"\t</fav>" + frame.lineEnd;
        }
        return text + frame.rootEnd + frame.lineEnd;
    }

    SourceFiles& m_files;
    Random m_random;
    std::vector<std::pair<std::u16string, std::u16string>> m_satelliteKeys;  // old, new
    std::map<std::u16string, NewTransponder> m_transponders;  // by the source's place key
    std::vector<std::u16string> m_satelliteTransponders;      // place keys, for new services
};

}  // namespace

bool GenerateRescan(const fs::path& source, const fs::path& folder, uint32_t seed,
                    RescanTwins* twins) {
    SourceFiles files;
    if (!LoadSource(source, files))
        return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    RescanTwins made;
    const bool ok = Rescanner(files, seed).Write(folder, made);
    if (twins)
        *twins = std::move(made);
    return ok;
}

}  // namespace vesko
