#pragma once
// Replacing files without ever leaving a half-written one in place. A ReplacementFile is
// written under a unique hidden name beside its destination and flushed before anything
// else happens; a FileSet then moves several files into place as one: afterwards either
// every destination has its new file, or every one has its old file back.

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"

namespace vesko {

class CXmlDoc;

class ReplacementFile {
public:
    ReplacementFile(FileSystem& fs, std::filesystem::path destination);
    // Removes the temporary file unless it was moved into place or handed on.
    ~ReplacementFile();
    ReplacementFile(ReplacementFile&&) = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file, open for writing.
    FileResult Create();
    FileResult Write(std::string_view bytes);
    // Flushes the bytes to the disk and closes the file; bytes that someone else wrote
    // to Temporary() since Create are flushed too. With `keepPermissions` the file takes
    // the permissions of the one it replaces (0644 for a new one), else it stays private.
    FileResult Seal(bool keepPermissions);
    // Moves the sealed file over its destination in one step.
    FileResult Commit();
    // The sealed temporary file's name; removing it is no longer this object's task.
    std::filesystem::path HandOver();

    const std::filesystem::path& Temporary() const { return m_temporary; }
    const std::filesystem::path& Destination() const { return m_destination; }

private:
    FileSystem* m_fs;
    std::filesystem::path m_destination;
    std::filesystem::path m_temporary;  // empty once moved or handed on
    FileHandle m_file;
};

// Writes a document through the engine, in its own encoding, over `destination` the
// same way: temporary file, flushed, renamed. On failure `destination` is untouched.
// `keep`, when given, sees the bytes first; when it answers false nothing is written and
// `destination` stays as it is (a success: nothing needed writing).
FileResult SaveDocumentReplacing(FileSystem& fs, CXmlDoc& doc,
                                 const std::filesystem::path& destination,
                                 const std::function<bool(std::string_view bytes)>& keep = {});

// Writes bytes over `destination` the same way (private permissions).
FileResult WriteBytesReplacing(FileSystem& fs, const std::filesystem::path& destination,
                               std::string_view bytes);

// What became of a set.
struct SetOutcome {
    FileResult result;                  // success, or the failure that stopped the set
    std::vector<FileError> leftovers;   // after success: old files that could not be removed
    std::vector<FileError> unrestored;  // after failure: old files that could not be put
                                        // back; each is kept under the name in its detail
};

class FileSet {
public:
    explicit FileSet(FileSystem& fs) : m_fs(fs) {}
    // Removes every source file that was not moved into place.
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // `source` (a sealed file, the set's from now on) replaces `destination`.
    void Replace(std::filesystem::path source, std::filesystem::path destination);
    // `destination` goes with the set (and comes back if the set fails).
    void Remove(std::filesystem::path destination);

    // Moves the old files aside under unique names, the new ones into place, and only
    // then removes the old ones. Any failure on the way puts every old file back.
    SetOutcome Commit();

private:
    struct Entry {
        std::filesystem::path source;  // empty: the destination is only removed
        std::filesystem::path destination;
        std::filesystem::path backup;  // where the old file waits; empty when there is none
        bool oldMoved = false;
        bool placed = false;
    };

    FileResult Reserve(Entry& entry);
    FileResult MoveIntoPlace(Entry& entry);
    void RollBack(SetOutcome& outcome);
    void SyncFolders();

    FileSystem& m_fs;
    std::vector<Entry> m_entries;
};

}  // namespace vesko
