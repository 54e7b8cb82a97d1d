#include "database/folder_stamps.h"

#include <algorithm>

#include "database/schema.h"

namespace vesko {

namespace {

FileStamp StampOf(FileSystem& fs, const std::filesystem::path& folder, std::string_view name,
                  bool& readable) {
    FileStamp stamp;
    stamp.fileName = std::string(name);
    readable = true;
    FileStatus status;
    if (!fs.Status(folder / name, status)) {
        readable = false;
        return stamp;
    }
    if (status.kind == FileKind::Missing) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = status.size;
    stamp.modified = status.modified;
    std::string bytes;
    if (!ReadFileBytes(fs, folder / name, bytes)) {
        readable = false;
        return stamp;
    }
    stamp.hash = StableHash(bytes);
    return stamp;
}

}  // namespace

// FNV-1a, 64 bits.
std::uint64_t StableHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::vector<FileStamp> TakeFolderStamps(FileSystem& fs, const std::filesystem::path& folder) {
    std::vector<FileStamp> stamps;
    bool readable = true;
    for (const DatabaseFile& file : kRequiredFiles) {
        stamps.push_back(StampOf(fs, folder, file.fileName, readable));
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        stamps.push_back(StampOf(fs, folder, file.fileName, readable));
    }
    return stamps;
}

std::vector<std::string> FilesChangedSince(FileSystem& fs, const std::filesystem::path& folder,
                                           const std::vector<FileStamp>& stamps,
                                           const std::vector<std::string>& names) {
    std::vector<std::string> changed;
    FileStatus there;
    if (!fs.Status(folder, there) || there.kind != FileKind::Folder) {
        return changed;  // the folder itself is gone: the save says so
    }
    for (const std::string& name : names) {
        const auto then = std::find_if(stamps.begin(), stamps.end(),
                                       [&name](const FileStamp& s) { return s.fileName == name; });
        if (then == stamps.end()) {
            continue;  // never seen: nothing to compare with
        }
        FileStatus status;
        if (!fs.Status(folder / name, status)) {
            continue;  // cannot even be looked at: the save itself says so
        }
        const bool exists = status.kind != FileKind::Missing;
        if (exists == then->exists &&
            (!exists || (status.size == then->size && status.modified == then->modified))) {
            continue;  // the cheap look says nothing happened
        }
        bool readable = true;
        const FileStamp now = StampOf(fs, folder, name, readable);
        // A file that is there but cannot be read (a folder in its place, say) is left
        // to the save too, which cannot write it either and tells why.
        if (readable && (now.exists != then->exists ||
                         (now.exists && (now.size != then->size || now.hash != then->hash)))) {
            changed.push_back(name);
        }
    }
    return changed;
}

}  // namespace vesko
