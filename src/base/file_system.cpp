#include "base/file_system.h"

#include <algorithm>
#include <cerrno>

#if defined(_WIN32)
#define NOMINMAX
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <random>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vesko {

namespace {

FileResult Errno(FileStep step, const std::filesystem::path& path) {
    return FileResult::FromErrno(step, path, errno);
}

FileResult NotRegular(const std::filesystem::path& path, std::u16string_view what) {
    return FileResult::Failure(FileStep::Read, path, make_error_code(FileProblem::NotRegularFile),
                               std::u16string(what));
}

FileResult NotOpen(FileStep step, const FileHandle& file) {
    return FileResult::Failure(step, file.Path(),
                               std::make_error_code(std::errc::bad_file_descriptor));
}

#if !defined(_WIN32)

FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISLNK(mode)) {
        return FileKind::Link;
    }
    return FileKind::Other;
}

// Words for what stands where a regular file was expected.
std::u16string_view WhatIs(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return u"a FIFO";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return u"a device";
    }
    if (S_ISDIR(mode)) {
        return u"a folder";
    }
    if (S_ISSOCK(mode)) {
        return u"a socket";
    }
    return u"not a file";
}

int Native(const FileHandle& file) {
    return static_cast<int>(file.Native());
}

#endif

}  // namespace

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        CloseQuietly();
        m_native = other.m_native;
        m_path = std::move(other.m_path);
        other.m_native = -1;
    }
    return *this;
}

std::intptr_t FileHandle::Release() {
    const std::intptr_t native = m_native;
    m_native = -1;
    return native;
}

void FileHandle::CloseQuietly() {
    if (m_native >= 0) {
#if defined(_WIN32)
        ::_close(static_cast<int>(m_native));
#else
        ::close(static_cast<int>(m_native));
#endif
        m_native = -1;
    }
}

FileSystem& FileSystem::System() {
    static FileSystem system;
    return system;
}

FileResult ReadFileBytes(FileSystem& fs, const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    FileHandle file;
    if (FileResult opened = fs.OpenForReading(path, file); !opened) {
        return opened;
    }
    char block[64 * 1024];
    for (;;) {
        std::size_t got = 0;
        if (FileResult read = fs.Read(file, block, sizeof block, got); !read) {
            bytes.clear();
            return read;
        }
        if (got == 0) {
            return {};
        }
        bytes.append(block, got);
    }
}

bool IsHeldByAnother(const FileResult& result) {
    return !result && result.Error().cause == std::errc::resource_unavailable_try_again;
}

#if !defined(_WIN32)

std::uint32_t FileSystem::CurrentUser() {
    return static_cast<std::uint32_t>(::getuid());
}

FileResult FileSystem::Status(const std::filesystem::path& path, FileStatus& status,
                              bool followLinks) {
    status = {};
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        return Errno(FileStep::Check, path);
    }
    status.kind = KindOf(info.st_mode);
    status.owner = static_cast<std::uint32_t>(info.st_uid);
    status.permissions = static_cast<std::uint32_t>(info.st_mode & 07777);
    status.identity =
        (static_cast<std::uint64_t>(info.st_dev) << 40) ^ static_cast<std::uint64_t>(info.st_ino);
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                      static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return {};
}

FileResult FileSystem::OpenForReading(const std::filesystem::path& path, FileHandle& file) {
    file = {};
    // Looked at before the open: opening a device can have effects of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return Errno(FileStep::Read, path);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotRegular(path, WhatIs(info.st_mode));
    }
    // Without blocking, in case a FIFO took the file's place since: the check after the
    // open refuses it instead of waiting for a writer that never comes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return Errno(FileStep::Read, path);
    }
    FileHandle opened(fd, path);
    if (::fstat(fd, &info) != 0) {
        return Errno(FileStep::Read, path);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotRegular(path, WhatIs(info.st_mode));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file = std::move(opened);
    return {};
}

FileResult FileSystem::Read(FileHandle& file, char* data, std::size_t size, std::size_t& got) {
    got = 0;
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Read, file);
    }
    for (;;) {
        const ssize_t n = ::read(Native(file), data, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return {};
        }
        if (errno != EINTR) {
            return Errno(FileStep::Read, file.Path());
        }
    }
}

FileResult FileSystem::CreateTemporary(const std::filesystem::path& beside,
                                       std::filesystem::path& temporary, FileHandle& file) {
    file = {};
    std::string pattern =
        (beside.parent_path() / ("." + beside.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return Errno(FileStep::Write, beside);
    }
    temporary = pattern;
    file = FileHandle(fd, temporary);
    return {};
}

FileResult FileSystem::Write(FileHandle& file, std::string_view bytes) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Write, file);
    }
    while (!bytes.empty()) {
        const ssize_t n = ::write(Native(file), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Errno(FileStep::Write, file.Path());
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

FileResult FileSystem::Sync(FileHandle& file) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Flush, file);
    }
    if (::fsync(Native(file)) != 0) {
        return Errno(FileStep::Flush, file.Path());
    }
    return {};
}

FileResult FileSystem::SetPermissions(FileHandle& file, std::uint32_t permissions) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Write, file);
    }
    if (::fchmod(Native(file), static_cast<mode_t>(permissions)) != 0) {
        return Errno(FileStep::Write, file.Path());
    }
    return {};
}

FileResult FileSystem::Close(FileHandle& file) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Write, file);
    }
    const std::filesystem::path path = file.Path();
    if (::close(static_cast<int>(file.Release())) != 0) {
        return Errno(FileStep::Write, path);
    }
    return {};
}

FileResult FileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Errno(FileStep::Rename, to);
    }
    return {};
}

FileResult FileSystem::Remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return Errno(FileStep::Remove, path);
    }
    return {};
}

FileResult FileSystem::CreateFolder(const std::filesystem::path& path, std::uint32_t permissions) {
    if (::mkdir(path.c_str(), static_cast<mode_t>(permissions)) != 0 && errno != EEXIST) {
        return Errno(FileStep::CreateFolder, path);
    }
    return {};
}

FileResult FileSystem::CreateUniqueFolder(const std::filesystem::path& prefix,
                                          std::filesystem::path& made) {
    std::string pattern = prefix.string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        return Errno(FileStep::CreateFolder, prefix.parent_path());
    }
    made = pattern;
    return {};
}

FileResult FileSystem::SyncFolder(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder.empty() ? "." : folder;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return Errno(FileStep::Flush, path);
    }
    const FileHandle closer(fd, path);
    // Some file systems cannot sync a folder at all; there is nothing more to be done.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        return Errno(FileStep::Flush, path);
    }
    return {};
}

FileResult FileSystem::LockFolder(const std::filesystem::path& folder, FileHandle& lock) {
    lock = {};
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return Errno(FileStep::Check, folder);
    }
    FileHandle opened(fd, folder);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return Errno(FileStep::Check, folder);
    }
    lock = std::move(opened);
    return {};
}

FileResult FileSystem::SetCurrentFolder(const std::filesystem::path& folder) {
    if (::chdir(folder.c_str()) != 0) {
        return Errno(FileStep::Check, folder);
    }
    return {};
}

#else  // Windows: the C runtime's descriptors and the Win32 calls that have no CRT form.

namespace {

std::filesystem::path UniqueName(const std::filesystem::path& prefix) {
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += kLetters[random() % (sizeof kLetters - 1)];
    }
    return prefix.native() + std::filesystem::path(suffix).native();
}

FileResult LastWin32(FileStep step, const std::filesystem::path& path) {
    return FileResult::Failure(
        step, path, std::error_code(static_cast<int>(::GetLastError()), std::system_category()));
}

}  // namespace

std::uint32_t FileSystem::CurrentUser() {
    return 0;
}

// The owner and mode checks of a private folder have no meaning here: the user's own
// temporary folder is private to that user already.
FileResult FileSystem::Status(const std::filesystem::path& path, FileStatus& status,
                              bool followLinks) {
    status = {};
    std::error_code error;
    const std::filesystem::file_status found = followLinks
                                                   ? std::filesystem::status(path, error)
                                                   : std::filesystem::symlink_status(path, error);
    if (found.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    if (error) {
        return FileResult::Failure(FileStep::Check, path, error);
    }
    switch (found.type()) {
        case std::filesystem::file_type::regular:
            status.kind = FileKind::Regular;
            break;
        case std::filesystem::file_type::directory:
            status.kind = FileKind::Folder;
            break;
        case std::filesystem::file_type::symlink:
            status.kind = FileKind::Link;
            break;
        default:
            status.kind = FileKind::Other;
            break;
    }
    status.permissions = status.kind == FileKind::Folder ? 0700 : 0600;
    if (status.kind == FileKind::Regular) {
        status.size = static_cast<std::uint64_t>(std::filesystem::file_size(path, error));
        status.modified = static_cast<std::int64_t>(
            std::filesystem::last_write_time(path, error).time_since_epoch().count());
    }
    return {};
}

FileResult FileSystem::OpenForReading(const std::filesystem::path& path, FileHandle& file) {
    file = {};
    FileStatus status;
    if (FileResult looked = Status(path, status); !looked) {
        return looked;
    }
    if (status.kind == FileKind::Missing) {
        return FileResult::FromErrno(FileStep::Read, path, ENOENT);
    }
    if (status.kind != FileKind::Regular) {
        return NotRegular(path, status.kind == FileKind::Folder ? u"a folder" : u"not a file");
    }
    int fd = -1;
    if (::_wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYNO, 0) != 0) {
        return Errno(FileStep::Read, path);
    }
    file = FileHandle(fd, path);
    return {};
}

FileResult FileSystem::Read(FileHandle& file, char* data, std::size_t size, std::size_t& got) {
    got = 0;
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Read, file);
    }
    const int n = ::_read(static_cast<int>(file.Native()), data,
                          static_cast<unsigned>(std::min<std::size_t>(size, 1 << 30)));
    if (n < 0) {
        return Errno(FileStep::Read, file.Path());
    }
    got = static_cast<std::size_t>(n);
    return {};
}

FileResult FileSystem::CreateTemporary(const std::filesystem::path& beside,
                                       std::filesystem::path& temporary, FileHandle& file) {
    file = {};
    const std::filesystem::path prefix =
        beside.parent_path() / (L"." + beside.filename().wstring() + L".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path name = UniqueName(prefix);
        int fd = -1;
        if (::_wsopen_s(&fd, name.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL, _SH_DENYNO,
                        _S_IREAD | _S_IWRITE) == 0) {
            temporary = name;
            file = FileHandle(fd, name);
            return {};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return Errno(FileStep::Write, beside);
}

FileResult FileSystem::Write(FileHandle& file, std::string_view bytes) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Write, file);
    }
    while (!bytes.empty()) {
        const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1 << 30));
        const int n = ::_write(static_cast<int>(file.Native()), bytes.data(), chunk);
        if (n < 0) {
            return Errno(FileStep::Write, file.Path());
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

FileResult FileSystem::Sync(FileHandle& file) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Flush, file);
    }
    if (::_commit(static_cast<int>(file.Native())) != 0) {
        return Errno(FileStep::Flush, file.Path());
    }
    return {};
}

FileResult FileSystem::SetPermissions(FileHandle& file, std::uint32_t) {
    return file.IsOpen() ? FileResult() : NotOpen(FileStep::Write, file);
}

FileResult FileSystem::Close(FileHandle& file) {
    if (!file.IsOpen()) {
        return NotOpen(FileStep::Write, file);
    }
    const std::filesystem::path path = file.Path();
    if (::_close(static_cast<int>(file.Release())) != 0) {
        return Errno(FileStep::Write, path);
    }
    return {};
}

FileResult FileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return LastWin32(FileStep::Rename, to);
    }
    return {};
}

FileResult FileSystem::Remove(const std::filesystem::path& path) {
    if (::_wremove(path.c_str()) != 0 && errno != ENOENT) {
        return Errno(FileStep::Remove, path);
    }
    return {};
}

FileResult FileSystem::CreateFolder(const std::filesystem::path& path, std::uint32_t) {
    std::error_code error;
    std::filesystem::create_directory(path, error);
    return error ? FileResult::Failure(FileStep::CreateFolder, path, error) : FileResult();
}

FileResult FileSystem::CreateUniqueFolder(const std::filesystem::path& prefix,
                                          std::filesystem::path& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path name = UniqueName(prefix);
        std::error_code error;
        if (std::filesystem::create_directory(name, error)) {
            made = name;
            return {};
        }
        if (error) {
            return FileResult::Failure(FileStep::CreateFolder, prefix.parent_path(), error);
        }
    }
    return FileResult::FromErrno(FileStep::CreateFolder, prefix.parent_path(), EEXIST);
}

FileResult FileSystem::SyncFolder(const std::filesystem::path&) {
    return {};  // MOVEFILE_WRITE_THROUGH already made each rename durable
}

// A lock file inside the folder, opened without sharing: a second editor cannot open it
// while the first one lives, and the system lets it go when the process ends.
FileResult FileSystem::LockFolder(const std::filesystem::path& folder, FileHandle& lock) {
    lock = {};
    const std::filesystem::path path = folder / L".lock";
    int fd = -1;
    if (::_wsopen_s(&fd, path.c_str(), _O_RDWR | _O_BINARY | _O_CREAT, _SH_DENYRW,
                    _S_IREAD | _S_IWRITE) != 0) {
        return errno == EACCES ? FileResult::FromErrno(FileStep::Check, folder, EAGAIN)
                               : Errno(FileStep::Check, folder);
    }
    lock = FileHandle(fd, folder);
    return {};
}

FileResult FileSystem::SetCurrentFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return error ? FileResult::Failure(FileStep::Check, folder, error) : FileResult();
}

#endif

FileResult FileSystem::RemoveAll(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return error ? FileResult::Failure(FileStep::Remove, path, error) : FileResult();
}

FileResult FileSystem::ListFolder(const std::filesystem::path& folder,
                                  std::vector<std::filesystem::path>& names) {
    names.clear();
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        names.push_back(it->path().filename());
    }
    return error ? FileResult::Failure(FileStep::Read, folder, error) : FileResult();
}

}  // namespace vesko
