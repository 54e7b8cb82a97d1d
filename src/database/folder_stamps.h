#pragma once
// What the files of the open database folder looked like when the editor last read or
// wrote them: size, modification time and a hash of the bytes. Save compares them
// with the files as they are, so that a file another program changed meanwhile is not
// overwritten without a question.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"

namespace vesko {

// One file of a database folder as it was seen.
struct FileStamp {
    std::string fileName;
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t hash = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// A hash of bytes that is the same in every run and build (stamps are written into the
// session record, which outlives the process that wrote it).
std::uint64_t StableHash(std::string_view bytes);

// Every database file of `folder`, the missing ones as missing.
std::vector<FileStamp> TakeFolderStamps(FileSystem& fs, const std::filesystem::path& folder);

// The files of `names` that are not as their stamps say: there now and not then or the
// other way round, or with other bytes. A file that was only touched (same bytes, new
// time) is not among them, nor one that cannot be looked at or read: writing it fails
// as well, and the save names it with the reason.
std::vector<std::string> FilesChangedSince(FileSystem& fs, const std::filesystem::path& folder,
                                           const std::vector<FileStamp>& stamps,
                                           const std::vector<std::string>& names);

}  // namespace vesko
