#include "database/backup_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "database/file_set.h"
#include "database/folder_stamps.h"
#include "database/schema.h"

namespace vesko {

namespace {

constexpr std::uint32_t kPrivate = 0700;
constexpr const char* kOriginName = "origin.txt";
constexpr const char* kMakingPrefix = ".making-";

// The same folder whether it was named with a trailing separator or through a link.
std::filesystem::path Normalized(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
    if (error) {
        path = folder.lexically_normal();
    }
    if (path.filename().empty() && path.has_parent_path()) {
        path = path.parent_path();
    }
    return path;
}

std::string TimeName(std::time_t now) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// "20240517-180431" (and "20240517-180431-002" for a second one in the same second)
// as "2024-05-17 18:04:31".
std::u16string Shown(const std::string& name) {
    if (name.size() < 15) {
        return std::u16string(name.begin(), name.end());
    }
    const std::string text = name.substr(0, 4) + "-" + name.substr(4, 2) + "-" + name.substr(6, 2) +
                             " " + name.substr(9, 2) + ":" + name.substr(11, 2) + ":" +
                             name.substr(13, 2);
    return std::u16string(text.begin(), text.end());
}

bool IsBackupName(const std::filesystem::path& name) {
    const std::string text = name.string();
    return text.size() >= 15 && text[8] == '-' &&
           std::all_of(text.begin(), text.begin() + 8, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

BackupStore::BackupStore(FileSystem& fs, std::filesystem::path root, int keep)
    : m_fs(fs), m_root(std::move(root)), m_keep(std::max(keep, 1)) {}

std::filesystem::path BackupStore::FolderOf(const std::filesystem::path& database) const {
    const std::filesystem::path path = Normalized(database);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(StableHash(path.string())));
    std::string name = path.filename().string();
    // The name only helps a person find the folder; the hash tells folders apart.
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '%'; }, '_');
    return m_root / (name + "-" + hash);
}

FileResult BackupStore::Make(const std::filesystem::path& folder, std::time_t now) {
    const std::filesystem::path own = FolderOf(folder);
    // The user's data folder may not exist yet on a fresh system: every missing folder
    // on the way is made.
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path p = own; !p.empty(); p = p.parent_path()) {
        FileStatus status;
        if (FileResult looked = m_fs.Status(p, status); !looked) {
            return looked;
        }
        if (status.kind != FileKind::Missing || p == p.parent_path()) {
            break;
        }
        missing.push_back(p);
    }
    for (auto made = missing.rbegin(); made != missing.rend(); ++made) {
        if (FileResult result = m_fs.CreateFolder(*made, kPrivate); !result) {
            return result;
        }
    }
    std::filesystem::path making;
    if (FileResult result = m_fs.CreateUniqueFolder(own / kMakingPrefix, making); !result) {
        return result;
    }
    FileResult result;
    const auto copy = [&](const DatabaseFile& file) {
        const std::filesystem::path source = Normalized(folder) / file.fileName;
        FileStatus status;
        if (!result || !(result = m_fs.Status(source, status)) ||
            status.kind == FileKind::Missing) {
            return;
        }
        std::string bytes;
        if ((result = ReadFileBytes(m_fs, source, bytes))) {
            result = WriteBytesReplacing(m_fs, making / file.fileName, bytes);
        }
    };
    std::for_each(kRequiredFiles.begin(), kRequiredFiles.end(), copy);
    std::for_each(kOptionalFiles.begin(), kOptionalFiles.end(), copy);
    if (result) {
        result =
            WriteBytesReplacing(m_fs, making / kOriginName, Normalized(folder).string() + "\n");
    }
    if (result) {
        result = m_fs.Rename(making, own / NextName(own, now));
    }
    if (!result) {
        m_fs.RemoveAll(making);
        return result;
    }
    Prune(own);
    return {};
}

// Names sort in the order the backups were made: the time, and after a backup of the
// same second (or a clock set back) a number that is one above the newest one's.
std::string BackupStore::NextName(const std::filesystem::path& folder, std::time_t now) const {
    const std::string name = TimeName(now);
    std::vector<std::filesystem::path> names;
    m_fs.ListFolder(folder, names);
    std::erase_if(names, [](const std::filesystem::path& n) { return !IsBackupName(n); });
    if (names.empty()) {
        return name;
    }
    const std::string newest = std::max_element(names.begin(), names.end())->string();
    if (newest.substr(0, 15) < name) {
        return name;
    }
    const int number = newest.size() > 16 ? std::atoi(newest.c_str() + 16) : 1;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%03d", number + 1);
    return newest.substr(0, 15) + suffix;
}

void BackupStore::Prune(const std::filesystem::path& folder) const {
    std::vector<std::filesystem::path> names;
    m_fs.ListFolder(folder, names);
    std::erase_if(names, [](const std::filesystem::path& name) { return !IsBackupName(name); });
    std::sort(names.begin(), names.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(m_keep) < names.size(); ++i) {
        m_fs.RemoveAll(folder / names[i]);
    }
}

std::vector<BackupInfo> BackupStore::List(const std::filesystem::path& folder) const {
    const std::filesystem::path own = FolderOf(folder);
    std::vector<std::filesystem::path> names;
    m_fs.ListFolder(own, names);
    std::erase_if(names, [](const std::filesystem::path& name) { return !IsBackupName(name); });
    std::sort(names.rbegin(), names.rend());
    std::vector<BackupInfo> backups;
    for (const std::filesystem::path& name : names) {
        BackupInfo info{own / name, Shown(name.string()), {}};
        const auto look = [&](const DatabaseFile& file) {
            FileStatus status;
            if (m_fs.Status(info.path / file.fileName, status) &&
                status.kind == FileKind::Regular) {
                info.files.emplace_back(file.fileName);
            }
        };
        std::for_each(kRequiredFiles.begin(), kRequiredFiles.end(), look);
        std::for_each(kOptionalFiles.begin(), kOptionalFiles.end(), look);
        backups.push_back(std::move(info));
    }
    return backups;
}

}  // namespace vesko
