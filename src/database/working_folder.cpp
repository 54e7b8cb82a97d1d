#include "database/working_folder.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "database/schema.h"

namespace vesko {

namespace {

constexpr std::string_view kFolderPrefix = "work-";
constexpr std::uint32_t kPrivate = 0700;
// A fresh folder can be taken by another editor's clean-up in the moment before it is
// locked; a new one is made then.
constexpr int kAttempts = 5;

FileResult Unsafe(const std::filesystem::path& root, std::u16string why) {
    return FileResult::Failure(FileStep::Check, root, make_error_code(FileProblem::Unsafe),
                               std::move(why));
}

std::filesystem::path DefaultRoot(FileResult& status) {
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
        const char* named = std::getenv("TMPDIR");
        status = FileResult::Failure(FileStep::Check, named ? named : "/tmp", error,
                                     u"the temporary folder");
        return {};
    }
    return temporary / ("vesko-editor-" + std::to_string(FileSystem::CurrentUser()));
}

}  // namespace

WorkingFolder::WorkingFolder(const std::filesystem::path& root, FileSystem& fs) : m_fs(fs) {
    std::error_code error;
    m_previous = std::filesystem::current_path(error);
    const std::filesystem::path base = root.empty() ? DefaultRoot(m_status) : root;
    if (!m_status) {
        return;
    }
    // Nothing is created, removed or entered before the root has passed its checks.
    m_status = CheckRoot(base);
    if (m_status) {
        m_status = MakeOwnFolder(base);
    }
    if (!m_status) {
        return;
    }
    SortOutLeftFolders(base);
    m_status = m_fs.SetCurrentFolder(m_path);
    if (!m_status) {
        m_fs.RemoveAll(m_path);
    }
}

WorkingFolder::~WorkingFolder() {
    if (!Ready()) {
        return;
    }
    if (!m_previous.empty()) {
        m_fs.SetCurrentFolder(m_previous);
    }
    m_fs.RemoveAll(m_path);
}

FileResult WorkingFolder::CheckRoot(const std::filesystem::path& root) {
    FileStatus status;
    if (FileResult looked = m_fs.Status(root, status, false); !looked) {
        return looked;
    }
    if (status.kind == FileKind::Missing) {
        if (FileResult made = m_fs.CreateFolder(root, kPrivate); !made) {
            return made;
        }
        // Looked at again: someone may have put something there in the meantime.
        if (FileResult looked = m_fs.Status(root, status, false); !looked) {
            return looked;
        }
    }
    if (status.kind == FileKind::Link) {
        return Unsafe(root, u"it is a link");
    }
    if (status.kind != FileKind::Folder) {
        return Unsafe(root, u"it is not a folder");
    }
    if (status.owner != FileSystem::CurrentUser()) {
        return Unsafe(root, u"it belongs to another user");
    }
    if ((status.permissions & 077) != 0) {
        return Unsafe(root, u"other users have access to it");
    }
    return {};
}

FileResult WorkingFolder::MakeOwnFolder(const std::filesystem::path& root) {
    FileResult result;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::filesystem::path made;
        if (result = m_fs.CreateUniqueFolder(root / kFolderPrefix, made); !result) {
            return result;
        }
        result = m_fs.LockFolder(made, m_lock);
        FileStatus status;
        if (result) {
            m_fs.Status(made, status, false);
            if (status.kind == FileKind::Folder) {
                m_path = made;
                return {};
            }
            m_lock = {};
            result = FileResult::FromErrno(FileStep::Check, made, ENOENT);
        }
        if (!IsHeldByAnother(result) &&
            result.Error().cause != std::errc::no_such_file_or_directory) {
            m_fs.RemoveAll(made);
            return result;
        }
    }
    return result;
}

// A folder that nobody holds a lock on belongs to no living editor. A process id would
// not tell: the same number means another process in another PID namespace.
void WorkingFolder::SortOutLeftFolders(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> names;
    m_fs.ListFolder(root, names);
    for (const auto& name : names) {
        const std::filesystem::path candidate = root / name;
        if (!name.string().starts_with(kFolderPrefix) || candidate == m_path) {
            continue;
        }
        FileStatus status;
        if (!m_fs.Status(candidate, status, false) || status.kind != FileKind::Folder) {
            continue;
        }
        LeftSession left;
        if (!m_fs.LockFolder(candidate, left.lock)) {
            continue;  // a live editor's
        }
        if (HoldsUnsavedWork(candidate, left)) {
            left.path = candidate;
            m_left.push_back(std::move(left));
        } else {
            m_fs.RemoveAll(candidate);
        }
    }
    std::sort(m_left.begin(), m_left.end(), [](const LeftSession& a, const LeftSession& b) {
        return a.lastChange > b.lastChange;
    });
}

// Unsaved work is a working copy whose bytes differ from those the session record says
// the last open or save left; the record need not be up to date for that, so an editor
// killed right after a command still leaves it recoverable.
bool WorkingFolder::HoldsUnsavedWork(const std::filesystem::path& folder, LeftSession& left) {
    std::optional<SessionRecord> record;
    if (!ReadSessionRecord(m_fs, folder / kSessionRecordName, record) || !record ||
        record->folder.empty()) {
        return false;
    }
    bool changed = false;
    std::int64_t newest = 0;
    for (const auto& [copy, savedHash] : record->savedCopies) {
        FileStatus status;
        std::string bytes;
        if (!m_fs.Status(folder / copy, status) || status.kind != FileKind::Regular ||
            !ReadFileBytes(m_fs, folder / copy, bytes)) {
            continue;
        }
        newest = std::max(newest, status.modified);
        changed = changed || StableHash(bytes) != savedHash;
    }
    left.record = std::move(*record);
    left.lastChange = static_cast<std::time_t>(newest / 1000000000);
    return changed;
}

void WorkingFolder::Settle(LeftSession& left, bool remove) {
    if (remove) {
        m_fs.RemoveAll(left.path);
    }
    left.lock = {};
}

std::u16string WorkingFolder::DescribeProblem() const {
    if (Ready()) {
        return {};
    }
    const FileError& error = m_status.Error();
    std::u16string text =
        u"Vesko Editor cannot make its private working folder and stops without touching any "
        u"file.\n\n";
    text += error.file.u16string();
    text += u": ";
    text += DescribeCause(error.cause);
    if (!error.detail.empty()) {
        text += u" (" + error.detail + u")";
    }
    text += u"\n\nRemove that folder or set TMPDIR to a folder of your own.";
    return text;
}

}  // namespace vesko
