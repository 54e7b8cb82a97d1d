// Load speed of the XML engine against pugixml, on database files of a large
// receiver: tv_prog.xml with 10,000 services and sat.xml with 150 satellites and
// 6,000 transponders, both generated here (UTF-8 with an XML declaration).
//
// Run:
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVESKO_BUILD_UI=OFF
//         -DVESKO_BUILD_TESTS=OFF        (one command)
//   cmake --build build-bench --target xml_load -j2
//   build-bench/bench/xml_load   (--benchmark_min_time=2 gives steadier figures)
//
// It measures in one run: CXmlDoc::Load against pugi::xml_document::load_file
// of the same file (MB/s each and their ratio; the bar is a ratio of at least
// 0.5), the memory a loaded document holds and the peak during the load, a
// navigation pass (every prog, five attributes), a save of the unedited
// document, and an edit pass (SetAttribute on every 10th prog, then Save). The
// same passes run on pugixml for scale. A summary with the ratios follows the
// table; the ratios use CPU time (user + system).
//
// Google Benchmark's loops load into memory that the previous iteration has just
// freed. Two more patterns follow the summary, closer to what the editor meets:
//   cold   a fresh document per load with pugixml's loads in between, so that other
//          code allocates and frees between two loads (median of rounds; bar: at
//          least 1.0x pugixml);
//   growth a fresh document per load of a 3 MB and a 49 MB tv_prog.xml (10,000 and
//          160,000 services), in ms per MB (bar: the large file within 2x of the
//          small one per MB).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <vector>

#include "xml/xml_doc.h"

namespace fs = std::filesystem;

// ---- Heap accounting: every allocation of both engines goes through here. ----

namespace {

std::atomic<size_t> g_heapNow{0};
std::atomic<size_t> g_heapPeak{0};

void* TrackedMalloc(size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p) {
        const size_t now = g_heapNow += malloc_usable_size(p);
        size_t peak = g_heapPeak.load();
        while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
        }
    }
    return p;
}

void TrackedFree(void* p) {
    if (p) {
        g_heapNow -= malloc_usable_size(p);
        std::free(p);
    }
}

}  // namespace

void* operator new(size_t size) {
    if (void* p = TrackedMalloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    TrackedFree(p);
}
void operator delete[](void* p) noexcept {
    TrackedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    TrackedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    TrackedFree(p);
}

namespace {

// ---- The database files. ----

struct BenchFiles {
    fs::path dir;
    fs::path tvProg;
    fs::path sat;
    fs::path hugeTvProg;  // 160,000 services: the growth pattern only
};

BenchFiles g_files;

const char* const kLatinNames[] = {
    "Das Erste HD", "ZDF",         "RTL Television",  "SAT.1",      "ProSieben",
    "BBC One",      "Eurosport 1", "TV5MONDE Europe", "Rai 1",      "CNN Int.",
    "Canal+ Sport", "Al Jazeera",  "MTV Hits",        "Nickelodeon"};
const char* const kCyrillicNames[] = {"Первый канал", "Россия 1", "НТВ",      "Пятый канал",
                                      "Культура",     "Матч ТВ",  "Карусель", "Звезда"};
const char* const kProviders[] = {"ARD",      "ZDFvision",      "CSAT",      "BSkyB",   "НТВ-Плюс",
                                  "Триколор", "Canal Digitaal", "SES ASTRA", "Eutelsat"};
const char* const kLnbs[] = {"Uni.(9750/10600)", "Uni.(9750/10750)", "C-Band(5150)", "User"};
const char* const kFecs[] = {"Auto", "2/3", "3/4", "5/6", "7/8", "9/10"};

void WriteTvProg(const fs::path& path, std::mt19937& random, int services) {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<services>\n";
    for (int i = 0; i < services; ++i) {
        const int sat = 1 + static_cast<int>(random() % 150);
        const int tp = 1 + static_cast<int>(random() % 6000);
        const bool cyrillic = i % 7 == 3;
        const std::string name = cyrillic ? kCyrillicNames[random() % std::size(kCyrillicNames)]
                                          : kLatinNames[random() % std::size(kLatinNames)];
        out << "\t<prog sat_key=\"" << sat << "\" tp_key=\"" << tp << "\" service_key=\"" << i + 1
            << "\" tuner_type_idex=\"0\" sat_type=\"0\" service_id=\"" << 1000 + random() % 60000
            << "\" pmt_pid=\"" << 32 + random() % 8000 << "\" video_pid=\"" << 100 + random() % 8000
            << "\" audio_pid=\"" << 100 + random() % 8000 << "\" pcr_pid=\""
            << 100 + random() % 8000 << "\" block=\"" << (i % 50 == 0)
            << "\" bskip=\"0\" audio_lang=\"" << (cyrillic ? "rus" : "deu") << "\" audio_type=\""
            << random() % 3 << "\" video_type=\"" << random() % 2 << "\" provider=\""
            << kProviders[random() % std::size(kProviders)] << "\" encrypt=\""
            << (random() % 3 == 0 ? "NULL" : "0x0500") << "\" hd=\"" << random() % 2 << "\" name=\""
            << name << ' ' << i % 97 << "\"/>\n";
    }
    out << "</services>\n";
}

void WriteSatTuner(std::ofstream& out, const char* suffix, std::mt19937& random) {
    const char* lnb = kLnbs[random() % std::size(kLnbs)];
    out << " lnb" << suffix << "=\"" << lnb << "\" k22" << suffix << "=\""
        << (std::string(lnb).starts_with("Uni") ? "AUTO" : "OFF") << "\" v12" << suffix
        << "=\"OFF\" power" << suffix << "=\"13/18\" diseqc1.0" << suffix << "=\""
        << "OFFABCD"[random() % 5] << "\" diseqc1.1" << suffix << "=\"OFF\" motor" << suffix
        << "=\"OFF\" UserFreq" << suffix << "=\"" << (random() % 2 ? 9750 : 0) << "\"";
}

void WriteSat(const fs::path& path, std::mt19937& random) {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites tuner_num=\"2\">\n";
    int tpKey = 1;
    for (int s = 1; s <= 150; ++s) {
        const int longitude = static_cast<int>(random() % 3600) - 1800;
        out << "\t<sat sat_key=\"" << s << "\" name=\"" << (s % 10 == 0 ? "Экспресс " : "Astra ")
            << (longitude < 0 ? -longitude : longitude) / 10.0 << (longitude < 0 ? "W" : "E")
            << "\" longitude=\"" << longitude << "\"";
        WriteSatTuner(out, "", random);
        WriteSatTuner(out, "_2", random);
        WriteSatTuner(out, "_3", random);
        out << ">\n";
        for (int t = 0; t < 40; ++t, ++tpKey) {
            out << "\t\t<transponder tp_key=\"" << tpKey << "\" sat_key=\"" << s
                << "\" transport_stream_id=\"" << random() % 65536 << "\" original_network_id=\""
                << random() % 65536 << "\" frequency=\"" << 10700 + random() % 2050
                << "\" symbol_rate=\"" << 22000 + random() % 8000 << "\" fec=\""
                << kFecs[random() % std::size(kFecs)] << "\" modulation_mode=\""
                << (random() % 2 ? "8PSK" : "QPSK") << "\" polarization=\""
                << (random() % 2 ? 'H' : 'V') << "\"/>\n";
        }
        out << "\t</sat>\n";
    }
    out << "</satellites>\n";
}

void MakeFiles() {
    g_files.dir = fs::temp_directory_path() / ("vesko_xml_load_" + std::to_string(getpid()));
    fs::create_directories(g_files.dir);
    g_files.tvProg = g_files.dir / "tv_prog.xml";
    g_files.sat = g_files.dir / "sat.xml";
    g_files.hugeTvProg = g_files.dir / "huge_tv_prog.xml";
    std::mt19937 random(2024);
    WriteTvProg(g_files.tvProg, random, 10000);
    WriteSat(g_files.sat, random);
    WriteTvProg(g_files.hugeTvProg, random, 160000);
}

const fs::path& FileOf(int which) {
    return which == 0 ? g_files.tvProg : g_files.sat;
}

// ---- Benchmarks. Argument 0 is tv_prog.xml, 1 is sat.xml. ----

void BM_LoadVesko(benchmark::State& state) {
    const fs::path& path = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vesko::CXmlDoc doc;
        if (!doc.Load(path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.GetDoc().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
}

void BM_LoadPugi(benchmark::State& state) {
    const fs::path& path = FileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_file(path.c_str()))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
}

void BM_NavigateVesko(benchmark::State& state) {
    vesko::CXmlDoc doc;
    doc.Load(g_files.tvProg);
    size_t total = 0;
    for (auto _ : state) {
        doc.ResetPosition();
        while (doc.FindChildElement(u"prog")) {
            doc.IntoElement();
            total += doc.GetAttribute(u"service_key").size() + doc.GetAttribute(u"sat_key").size() +
                     doc.GetAttribute(u"tp_key").size() + doc.GetAttribute(u"service_id").size() +
                     doc.GetAttribute(u"name").size();
            doc.OutOfElement();
        }
    }
    benchmark::DoNotOptimize(total);
}

void BM_NavigatePugi(benchmark::State& state) {
    pugi::xml_document doc;
    doc.load_file(g_files.tvProg.c_str());
    size_t total = 0;
    for (auto _ : state) {
        for (pugi::xml_node prog : doc.document_element().children("prog")) {
            for (const char* name : {"service_key", "sat_key", "tp_key", "service_id", "name"}) {
                total += std::strlen(prog.attribute(name).value());
            }
        }
    }
    benchmark::DoNotOptimize(total);
}

// Writing an unedited document back: the text is encoded and written in one piece.
void BM_SaveVesko(benchmark::State& state) {
    const fs::path out = g_files.dir / "saved_tv_prog.xml";
    vesko::CXmlDoc doc;
    doc.Load(g_files.tvProg);
    for (auto _ : state) {
        if (!doc.Save(out))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(out)));
}

void BM_SavePugi(benchmark::State& state) {
    const fs::path out = g_files.dir / "pugi_saved_tv_prog.xml";
    pugi::xml_document doc;
    doc.load_file(g_files.tvProg.c_str());
    for (auto _ : state) {
        if (!doc.save_file(out.c_str(), "\t", pugi::format_raw))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(out)));
}

// Load, rename every 10th service, save: the shape of a page command.
void BM_EditSaveVesko(benchmark::State& state) {
    const fs::path out = g_files.dir / "temp_tv_prog.xml";
    for (auto _ : state) {
        vesko::CXmlDoc doc;
        doc.Load(g_files.tvProg);
        for (int i = 0; doc.FindChildElement(u"prog"); ++i) {
            if (i % 10 == 0) {
                doc.IntoElement();
                doc.SetAttribute(u"name", u"Renamed канал");
                doc.OutOfElement();
            }
        }
        if (!doc.Save(out))
            state.SkipWithError("save failed");
    }
}

void BM_EditSavePugi(benchmark::State& state) {
    const fs::path out = g_files.dir / "pugi_tv_prog.xml";
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_file(g_files.tvProg.c_str());
        int i = 0;
        for (pugi::xml_node prog : doc.document_element().children("prog")) {
            if (i++ % 10 == 0)
                prog.attribute("name").set_value("Renamed канал");
        }
        if (!doc.save_file(out.c_str(), "\t", pugi::format_raw))
            state.SkipWithError("save failed");
    }
}

BENCHMARK(BM_LoadVesko)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPugi)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigateVesko)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigatePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveVesko)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePugi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditSaveVesko)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditSavePugi)->Unit(benchmark::kMillisecond);

// ---- Summary. ----

// Keeps the CPU seconds per iteration of every run next to the normal console
// output. CPU time (user + system, so the file reads count) keeps the ratios
// steady on a machine shared with other work.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration && run.iterations > 0) {
                m_seconds[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }
    double Seconds(const std::string& name) const {
        const auto found = m_seconds.find(name);
        return found == m_seconds.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_seconds;
};

struct MemoryUse {
    size_t held = 0;  // what the loaded document keeps
    size_t peak = 0;  // highest use during the load
};

template <typename LoadFn>
MemoryUse MeasureMemory(LoadFn load) {
    const size_t before = g_heapNow.load();
    g_heapPeak = before;
    MemoryUse use;
    load([&] {
        use.held = g_heapNow.load() - before;
        use.peak = g_heapPeak.load() - before;
    });
    return use;
}

double Mb(size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void PrintFileSummary(const SummaryReporter& reporter, const char* label, int which) {
    const fs::path& path = FileOf(which);
    const double size = static_cast<double>(fs::file_size(path));
    const std::string arg = "/" + std::to_string(which);
    const double ours = reporter.Seconds("BM_LoadVesko" + arg);
    const double theirs = reporter.Seconds("BM_LoadPugi" + arg);
    if (ours <= 0 || theirs <= 0) {
        std::printf("%-12s  (not measured)\n", label);
        return;
    }
    const double oursMbs = size / ours / 1e6, theirsMbs = size / theirs / 1e6;
    std::printf(
        "%-12s %6.2f MB   CXmlDoc::Load %8.1f MB/s   pugixml load_file %8.1f MB/s   "
        "ratio %.2f %s\n",
        label, size / 1e6, oursMbs, theirsMbs, oursMbs / theirsMbs,
        oursMbs / theirsMbs >= 0.5 ? "(bar 0.5: met)" : "(bar 0.5: NOT met)");

    const MemoryUse vesko = MeasureMemory([&](auto sample) {
        vesko::CXmlDoc doc;
        doc.Load(path);
        sample();
    });
    const MemoryUse pugi = MeasureMemory([&](auto sample) {
        pugi::xml_document doc;
        doc.load_file(path.c_str());
        sample();
    });
    vesko::CXmlDoc doc;
    doc.Load(path);
    const size_t textBytes = doc.GetDoc().capacity() * sizeof(char16_t);
    const size_t indexBytes =
        static_cast<size_t>(doc.GetIndex().Size()) * sizeof(vesko::ElementRecord);
    std::printf(
        "%-12s memory: CXmlDoc holds %.2f MB (text %.2f + index %.2f), peak %.2f MB;"
        " pugixml holds %.2f MB, peak %.2f MB\n",
        "", Mb(vesko.held), Mb(textBytes), Mb(indexBytes), Mb(vesko.peak), Mb(pugi.held),
        Mb(pugi.peak));
}

void PrintSummary(const SummaryReporter& reporter) {
    std::printf("\n==== Summary (one run) ====\n");
    PrintFileSummary(reporter, "tv_prog.xml", 0);
    PrintFileSummary(reporter, "sat.xml", 1);
    const auto pair = [&](const char* what, const char* ours, const char* theirs) {
        const double a = reporter.Seconds(ours), b = reporter.Seconds(theirs);
        if (a > 0 && b > 0) {
            std::printf("%-24s CXmlDoc %8.2f ms   pugixml %8.2f ms   time ratio %.2f\n", what,
                        a * 1e3, b * 1e3, a / b);
        }
    };
    pair("navigate 10,000 progs", "BM_NavigateVesko", "BM_NavigatePugi");
    pair("save tv_prog.xml", "BM_SaveVesko", "BM_SavePugi");
    pair("load+edit 1,000+save", "BM_EditSaveVesko", "BM_EditSavePugi");
}

// ---- Loads into memory that is not warm. ----

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Fn>
double TimeOnce(Fn fn) {
    const double start = CpuSeconds();
    fn();
    return CpuSeconds() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void LoadVeskoOnce(const fs::path& path) {
    vesko::CXmlDoc doc;
    doc.Load(path);
    benchmark::DoNotOptimize(doc.GetDoc().data());
}

void LoadPugiOnce(const fs::path& path) {
    pugi::xml_document doc;
    doc.load_file(path.c_str());
    benchmark::DoNotOptimize(doc.first_child());
}

struct LoadTimes {
    double vesko = 0;  // median CPU seconds of one load (document freed included)
    double pugi = 0;
};

// Each round loads the file with pugixml and then with a fresh CXmlDoc: every load
// finds the heap as the other engine left it.
LoadTimes MeasureInterleaved(const fs::path& path, int rounds) {
    std::vector<double> vesko, pugi;
    for (int r = 0; r < rounds; ++r) {
        pugi.push_back(TimeOnce([&] { LoadPugiOnce(path); }));
        vesko.push_back(TimeOnce([&] { LoadVeskoOnce(path); }));
    }
    return {Median(vesko), Median(pugi)};
}

// A fresh document per load, loads back to back.
LoadTimes MeasureBackToBack(const fs::path& path, int rounds) {
    std::vector<double> vesko, pugi;
    for (int r = 0; r < rounds; ++r) {
        vesko.push_back(TimeOnce([&] { LoadVeskoOnce(path); }));
    }
    for (int r = 0; r < rounds; ++r) {
        pugi.push_back(TimeOnce([&] { LoadPugiOnce(path); }));
    }
    return {Median(vesko), Median(pugi)};
}

double FileMb(const fs::path& path) {
    return static_cast<double>(fs::file_size(path)) / 1e6;
}

void PrintColdSummary() {
    std::printf("\n==== Loads between other allocations (median of rounds, one run) ====\n");
    for (const fs::path* path : {&g_files.tvProg, &g_files.sat}) {
        const LoadTimes t = MeasureInterleaved(*path, 41);
        const double ratio = t.pugi / t.vesko;
        std::printf("%-12s %6.2f MB   CXmlDoc::Load %7.2f ms   pugixml %7.2f ms   ratio %.2f %s\n",
                    path->filename().c_str(), FileMb(*path), t.vesko * 1e3, t.pugi * 1e3, ratio,
                    ratio >= 1.0 ? "(bar 1.0: met)" : "(bar 1.0: NOT met)");
    }

    std::printf("\n==== Growth: a fresh document per load (median of rounds, one run) ====\n");
    const double smallMb = FileMb(g_files.tvProg), largeMb = FileMb(g_files.hugeTvProg);
    const LoadTimes small = MeasureBackToBack(g_files.tvProg, 41);
    const LoadTimes large = MeasureBackToBack(g_files.hugeTvProg, 9);
    const auto perMb = [](double seconds, double mb) { return seconds * 1e3 / mb; };
    std::printf("%-12s %6.2f MB   CXmlDoc::Load %6.2f ms/MB   pugixml %6.2f ms/MB\n",
                "10,000 progs", smallMb, perMb(small.vesko, smallMb), perMb(small.pugi, smallMb));
    std::printf("%-12s %6.2f MB   CXmlDoc::Load %6.2f ms/MB   pugixml %6.2f ms/MB\n", "160,000",
                largeMb, perMb(large.vesko, largeMb), perMb(large.pugi, largeMb));
    const double growth = perMb(large.vesko, largeMb) / perMb(small.vesko, smallMb);
    std::printf("per-MB growth large/small: CXmlDoc %.2fx %s   pugixml %.2fx\n", growth,
                growth <= 2.0 ? "(bar 2.0: met)" : "(bar 2.0: NOT met)",
                perMb(large.pugi, largeMb) / perMb(small.pugi, smallMb));
}

}  // namespace

int main(int argc, char** argv) {
    pugi::set_memory_management_functions(TrackedMalloc, TrackedFree);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MakeFiles();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter);
    PrintColdSummary();
    benchmark::Shutdown();
    fs::remove_all(g_files.dir);
    return 0;
}
