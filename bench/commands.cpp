// Times the TV page's commands on a large generated database, each against its floor:
// one CXmlDoc Load plus one Save of every file the command touches. Prints one ratio
// per command; the bar is 3.
//
//   commands [repetitions [command number]]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/platform.h"
#include "database/schema.h"
#include "database_generator.h"
#include "pages/services/service_edit_dlg.h"
#include "pages/services/service_page.h"
#include "xml/xml_doc.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using vesko::CServicePage;
using vesko::CXmlDoc;

// The message boxes of a move never show here: the moved row is in the middle.
class SilentPlatform : public vesko::Platform {
public:
    vesko::MessageAnswer ShowMessage(std::u16string_view, std::u16string_view,
                                     vesko::MessageButtons) override {
        return vesko::MessageAnswer::Ok;
    }
    fs::path ChooseFolder(std::u16string_view) override { return {}; }
    fs::path ChooseFile(std::u16string_view, const fs::path&) override { return {}; }
    bool RunDialog(vesko::CDialogForm&) override { return false; }
    void OpenUrl(std::u16string_view) override {}
    void EndProcess(int) override {}
};

// The best of the runs: the machine is shared, and other work only ever adds time.
double Best(std::vector<double> values) {
    return *std::min_element(values.begin(), values.end());
}

// Working copies made from the generated folder the way an open makes them; kept as
// pristine copies so that every run starts from the same files.
void MakeWorkingCopies(const fs::path& database, const fs::path& pristine) {
    fs::create_directories(pristine);
    auto copy = [&](const vesko::DatabaseFile& file) {
        const fs::path source = database / file.fileName;
        if (!fs::exists(source))
            return;
        CXmlDoc doc;
        doc.Load(source);
        doc.Save(pristine / file.workingCopy);
    };
    for (const auto& file : vesko::kRequiredFiles)
        copy(file);
    for (const auto& file : vesko::kOptionalFiles)
        copy(file);
}

void RestoreWorkingCopies(const fs::path& pristine) {
    for (const auto& entry : fs::directory_iterator(pristine)) {
        fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::overwrite_existing);
    }
}

// Seconds of one Load plus one Save of each file.
double TimeFloor(const std::vector<const char*>& files, const fs::path& pristine) {
    RestoreWorkingCopies(pristine);
    const auto start = Clock::now();
    for (const char* file : files) {
        CXmlDoc doc;
        doc.Load(file);
        doc.Save(file);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Command {
    const char* name;
    std::vector<const char*> touches;
    std::function<void(CServicePage&)> prepare;  // not timed
    std::function<void(CServicePage&)> run;      // timed
};

void SelectRows(CServicePage& page, int first, int count, int step) {
    page.List().ClearSelection();
    for (int k = 0; k < count; ++k)
        page.List().SetSelected(first + k * step, true);
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int only = argc > 2 ? std::atoi(argv[2]) : -1;  // one command, for profiling
    const fs::path previous = fs::current_path();
    const fs::path root =
        fs::temp_directory_path() / ("vesko-bench-commands-" + std::to_string(::getpid()));
    fs::create_directories(root / "work");
    std::printf("generating the large database in %s ...\n", root.c_str());
    if (!vesko::GenerateDatabase(root / "db", vesko::DatabaseSize::Large())) {
        std::fprintf(stderr, "could not write the database\n");
        fs::remove_all(root);
        return 1;
    }
    MakeWorkingCopies(root / "db", root / "pristine");
    fs::current_path(root / "work");
    std::printf(
        "temp_tv_prog.xml: %ju bytes, temp_tv_fav.xml: %ju bytes, temp_sat.xml: %ju bytes\n",
        static_cast<uintmax_t>(fs::file_size(root / "pristine" / vesko::kTvProgWork)),
        static_cast<uintmax_t>(fs::file_size(root / "pristine" / vesko::kTvFavWork)),
        static_cast<uintmax_t>(fs::file_size(root / "pristine" / vesko::kSatWork)));

    SilentPlatform platform;
    const std::vector<const char*> reloadFiles{vesko::kTvProgWork, vesko::kTvFavWork,
                                               vesko::kSatWork, vesko::kSatTerWork,
                                               vesko::kSatCableWork};
    const std::vector<const char*> progAndFav{vesko::kTvProgWork, vesko::kTvFavWork};
    const std::vector<Command> commands{
        {"Reload (10,000 rows)", reloadFiles, [](CServicePage&) {},
         [](CServicePage& page) { page.Reload(); }},
        {"delete 1,000 selected services", progAndFav,
         [](CServicePage& page) { SelectRows(page, 3, 1000, 9); },
         [](CServicePage& page) {
             page.DeleteSelected();
             page.RenumberRows();
         }},
        {"move a service down", progAndFav,
         [](CServicePage& page) { SelectRows(page, 5000, 1, 1); },
         [&platform](CServicePage& page) { page.MoveDown(platform); }},
        {"toggle lock on 1,000 services",
         {vesko::kTvProgWork},
         [](CServicePage& page) { SelectRows(page, 7, 1000, 9); },
         [](CServicePage& page) { page.ToggleLock(); }},
        {"drag 100 rows", progAndFav,
         [](CServicePage& page) {
             SelectRows(page, 2000, 100, 1);
             page.List().BeginDrag();
             page.List().HighlightDropRow(7000);
         },
         [](CServicePage& page) { page.List().OnLeftButtonUp(); }},
        // Open reads the service and where it is received; OK writes name, lock and skip.
        {"edit a service (open and OK)",
         {vesko::kTvProgWork, vesko::kSatWork},
         [](CServicePage& page) { SelectRows(page, 5000, 1, 1); },
         [&platform](CServicePage& page) {
             vesko::CServiceEditDlg form(platform);
             form.m_page = &page;
             form.Open();
             form.m_name = u"Renamed";
             form.m_lock = vesko::CServiceEditDlg::kYes;
             form.Ok();
         }},
    };

    bool allWithinBar = true;
    std::printf("%-34s %10s %10s %7s\n", "command", "ms", "floor ms", "ratio");
    for (size_t index = 0; index < commands.size(); ++index) {
        const Command& command = commands[index];
        if (only >= 0 && static_cast<size_t>(only) != index)
            continue;
        // Command and floor take turns, so that a busy moment of the machine does not
        // fall on one of them only.
        std::vector<double> times;
        std::vector<double> floors;
        for (int k = 0; k < repetitions; ++k) {
            floors.push_back(TimeFloor(command.touches, root / "pristine"));
            RestoreWorkingCopies(root / "pristine");
            CServicePage page(vesko::ServiceKind::Tv);
            page.Reload();
            command.prepare(page);
            const auto start = Clock::now();
            command.run(page);
            times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        const double time = Best(times);
        const double floor = Best(floors);
        const double ratio = time / floor;
        allWithinBar = allWithinBar && ratio <= 3.0;
        std::printf("%-34s %10.1f %10.1f %7.2f\n", command.name, time * 1e3, floor * 1e3, ratio);
    }
    fs::current_path(previous);
    fs::remove_all(root);
    std::printf(allWithinBar ? "every ratio is within 3\n" : "SOME RATIO IS ABOVE 3\n");
    return allWithinBar ? 0 : 1;
}
