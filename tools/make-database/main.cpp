// make-database: writes a receiver database folder to develop and measure on.
//
//   make-database <folder> [--large] [--seed N] [--satellites N] [--transponders N]
//                 [--tv N] [--radio N] [--groups N] [--members N] [--no-cable]
//                 [--no-terrestrial]
//   make-database <folder> --rescan-of <database folder> [--seed N]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "database_generator.h"
#include "rescan.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: make-database <folder> [--large] [--seed N] [--satellites N]\n"
                 "                     [--transponders N] [--tv N] [--radio N] [--groups N]\n"
                 "                     [--members N] [--no-cable] [--no-terrestrial]\n"
                 "  The default size is the demo's (6 satellites, 80 transponders, 250 TV and\n"
                 "  60 radio services, 32 groups); --large gives 150 satellites with 6,000\n"
                 "  transponders, 10,000 TV and 2,000 radio services and groups of up to 300.\n"
                 "       make-database <folder> --rescan-of <database folder> [--seed N]\n"
                 "  writes the database as the receiver would after a rescan: the same\n"
                 "  services with new keys, in the scan's order, frequencies a little off, a\n"
                 "  few services gone and a few new, lock, skip and favourite groups reset.\n");
}

bool ReadNumber(int& argi, int argc, char** argv, int& out) {
    if (argi + 1 >= argc) {
        return false;
    }
    char* end = nullptr;
    const long value = std::strtol(argv[++argi], &end, 10);
    if (end == argv[argi] || *end != '\0' || value < 0 || value > 1000000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        Usage();
        return 2;
    }
    vesko::DatabaseSize size = vesko::DatabaseSize::Demo();
    int seed = 1;
    const char* rescanOf = nullptr;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        bool ok = true;
        if (arg == "--large") {
            size = vesko::DatabaseSize::Large();
        } else if (arg == "--rescan-of" && i + 1 < argc) {
            rescanOf = argv[++i];
        } else if (arg == "--seed") {
            ok = ReadNumber(i, argc, argv, seed);
        } else if (arg == "--satellites") {
            ok = ReadNumber(i, argc, argv, size.satellites);
        } else if (arg == "--transponders") {
            ok = ReadNumber(i, argc, argv, size.satTransponders);
        } else if (arg == "--tv") {
            ok = ReadNumber(i, argc, argv, size.tvServices);
        } else if (arg == "--radio") {
            ok = ReadNumber(i, argc, argv, size.radioServices);
        } else if (arg == "--groups") {
            ok = ReadNumber(i, argc, argv, size.groups);
        } else if (arg == "--members") {
            ok = ReadNumber(i, argc, argv, size.maxGroupMembers);
        } else if (arg == "--no-cable") {
            size.withCable = false;
        } else if (arg == "--no-terrestrial") {
            size.withTerrestrial = false;
        } else {
            ok = false;
        }
        if (!ok) {
            Usage();
            return 2;
        }
    }
    if (rescanOf != nullptr) {
        if (!vesko::GenerateRescan(rescanOf, argv[1], static_cast<uint32_t>(seed))) {
            std::fprintf(stderr, "make-database: could not read %s or write its rescan into %s\n",
                         rescanOf, argv[1]);
            return 1;
        }
        std::printf("Wrote a rescan of %s to %s\n", rescanOf, argv[1]);
        return 0;
    }
    if (!vesko::GenerateDatabase(argv[1], size, static_cast<uint32_t>(seed))) {
        std::fprintf(stderr, "make-database: could not write every file into %s\n", argv[1]);
        return 1;
    }
    std::printf("Wrote a database of %d TV and %d radio services to %s\n", size.tvServices,
                size.radioServices, argv[1]);
    return 0;
}
