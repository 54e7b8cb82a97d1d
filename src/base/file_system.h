#pragma once
// The file-system calls the editor makes where a failure or a strange file must be
// seen and reported: every call returns a FileResult with the system's reason. One
// implementation talks to the system (POSIX, with a Windows branch); tests derive from
// it to make any single step fail, which is how every failure path is provoked.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"

namespace vesko {

enum class FileKind { Missing, Regular, Folder, Link, Other };

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint32_t owner = 0;        // user id of the owner (0 where there is none)
    std::uint32_t permissions = 0;  // mode bits 07777
    std::uint64_t identity = 0;     // device and inode folded together: same file, same value
    std::uint64_t size = 0;         // bytes of a regular file
    std::int64_t modified = 0;      // last modification, nanoseconds since the epoch
};

// An open file or folder of the system, closed when the handle goes.
class FileHandle {
public:
    FileHandle() = default;
    FileHandle(std::intptr_t native, std::filesystem::path path)
        : m_native(native), m_path(std::move(path)) {}
    FileHandle(FileHandle&& other) noexcept { *this = std::move(other); }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { CloseQuietly(); }

    bool IsOpen() const { return m_native >= 0; }
    std::intptr_t Native() const { return m_native; }
    const std::filesystem::path& Path() const { return m_path; }
    // Gives up the native handle without closing it (the caller closes it and checks).
    std::intptr_t Release();
    void CloseQuietly();

private:
    std::intptr_t m_native = -1;
    std::filesystem::path m_path;
};

class FileSystem {
public:
    // The system's file system.
    static FileSystem& System();
    virtual ~FileSystem() = default;

    // What is at `path`; a missing path is a success with kind Missing. Without
    // `followLinks` a link is reported as itself.
    virtual FileResult Status(const std::filesystem::path& path, FileStatus& status,
                              bool followLinks = true);
    // Opens a regular file for reading. A FIFO, device or folder is refused at once
    // (FileProblem::NotRegularFile), never waited on.
    virtual FileResult OpenForReading(const std::filesystem::path& path, FileHandle& file);
    // Reads up to `size` bytes; `got` is 0 at the end of the file.
    virtual FileResult Read(FileHandle& file, char* data, std::size_t size, std::size_t& got);
    // Creates a new, empty file with a unique hidden name beside `beside` (in its folder,
    // named after it), open for writing and readable by its owner only.
    virtual FileResult CreateTemporary(const std::filesystem::path& beside,
                                       std::filesystem::path& temporary, FileHandle& file);
    virtual FileResult Write(FileHandle& file, std::string_view bytes);
    // Forces the file's written bytes onto the disk.
    virtual FileResult Sync(FileHandle& file);
    virtual FileResult SetPermissions(FileHandle& file, std::uint32_t permissions);
    // Closes a file that was written, reporting what a close can still report (a full disk
    // on some file systems).
    virtual FileResult Close(FileHandle& file);
    // Moves a file over another in one step (the target is replaced).
    virtual FileResult Rename(const std::filesystem::path& from, const std::filesystem::path& to);
    // Removes a file (a missing one is a success).
    virtual FileResult Remove(const std::filesystem::path& path);
    // Removes a folder with everything inside; links inside are removed, never followed.
    virtual FileResult RemoveAll(const std::filesystem::path& path);
    // Makes a folder with these permissions; an existing one is not an error here, the
    // caller checks what it found.
    virtual FileResult CreateFolder(const std::filesystem::path& path, std::uint32_t permissions);
    // Makes a new folder named `prefix` followed by a unique suffix, open to its owner only.
    virtual FileResult CreateUniqueFolder(const std::filesystem::path& prefix,
                                          std::filesystem::path& made);
    // Makes the folder's list of names durable (after renames into it).
    virtual FileResult SyncFolder(const std::filesystem::path& folder);
    // Takes an advisory lock on a folder without waiting. Held while `lock` is open; a
    // folder locked by another process gives std::errc::resource_unavailable_try_again.
    virtual FileResult LockFolder(const std::filesystem::path& folder, FileHandle& lock);
    // The names in a folder (not "." or "..").
    virtual FileResult ListFolder(const std::filesystem::path& folder,
                                  std::vector<std::filesystem::path>& names);
    virtual FileResult SetCurrentFolder(const std::filesystem::path& folder);

    // The user this process runs as (0 where the system has no such number).
    static std::uint32_t CurrentUser();
};

// Reads a whole regular file through `fs`.
FileResult ReadFileBytes(FileSystem& fs, const std::filesystem::path& path, std::string& bytes);

// True when a failure is the lock of another process (LockFolder).
bool IsHeldByAnother(const FileResult& result);

}  // namespace vesko
