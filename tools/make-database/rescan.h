#pragma once
// A database as the receiver writes it after a rescan of the same dishes and cables:
// the same satellites, transponders and services, but every key new, the transponder
// frequencies a little off, the services in the order the scan found them, lock and
// skip cleared, a few services gone, a few new, a few with a new service id, and the
// favourite groups back to the receiver's empty defaults (the new services in the
// first one). It is what "Apply order from another database" is made for, and what
// its tests and benchmark run on.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace vesko {

// Which service of the source became which service of the rescan: source service_key
// to rescan service_key, for every service that is still there.
struct RescanTwins {
    std::map<std::u16string, std::u16string> tv;
    std::map<std::u16string, std::u16string> radio;
};

// Reads the database in `source` and writes its rescan into `folder` (created when
// missing); `twins`, when given, receives which service became which. False when the
// source cannot be read or a file cannot be written.
bool GenerateRescan(const std::filesystem::path& source, const std::filesystem::path& folder,
                    uint32_t seed = 1, RescanTwins* twins = nullptr);

}  // namespace vesko
