#pragma once
// Every read and write of a working copy goes through one place. Writes are atomic
// (a temporary file beside the copy, flushed, renamed over it) and checked; every
// write that changes a copy's bytes bumps its version, and a copy whose bytes differ
// from the ones of the last open or save is what "unsaved changes" means;
// and the copies that one command writes are kept as they were before it, so that a
// command failing half-way puts back all of them instead of leaving the working
// copies out of step with each other.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"

namespace vesko {

class CXmlDoc;

// "the working copy of tv_prog.xml could not be written: no space left on the device"
std::u16string DescribeWorkingCopyError(const FileError& error);

// What one unit of work did to one working copy: its bytes before and after the unit
// (nullopt: the copy did not exist).
struct CopyChange {
    std::string name;
    std::optional<std::string> before;
    std::optional<std::string> after;
};

class WorkingCopies {
public:
    // The working copies of this process: bare names in the current directory, which
    // is the editor's private working folder.
    static WorkingCopies& Current();

    // Reads a working copy into `doc` (which is emptied first). A copy that does not
    // exist reads as an empty document unless the open database has it (an optional
    // file the database never had is simply empty); a copy that exists but cannot be
    // read, or an expected one that is gone, is a failure, and until it is read again
    // successfully nothing is written over it.
    FileResult Load(CXmlDoc& doc, std::string_view name);
    // Writes `doc` over the working copy atomically; on failure the copy keeps its old
    // bytes and the failure is remembered for the command's report. A write that
    // changes the bytes bumps the copy's version; one that would write the same bytes
    // again leaves the copy alone.
    FileResult Save(CXmlDoc& doc, std::string_view name);

    // After an open: the copies the database has (a missing one of them is a failure
    // from now on); their bytes as they are now count as saved.
    void SetExpected(std::vector<std::string> names);
    const std::set<std::string, std::less<>>& Expected() const { return m_expected; }

    // Versions: how often a copy's bytes changed since the process started.
    std::uint64_t Version(std::string_view name) const;
    // True when a copy's bytes differ from those of the last open or save.
    bool IsModified() const;
    bool IsModified(std::string_view name) const;
    // The folder now holds what the working copies hold (after a successful save).
    void MarkSaved();
    // Goes up with every open and save: the saved state changed.
    std::uint64_t SavedGeneration() const { return m_savedGeneration; }

    // A unit of work (one command): every copy written inside it is kept as it was
    // before its first write. EndUnit returns the unit's failures; when there were any,
    // every copy it wrote is put back (versions included), so a failed command changes
    // nothing. Inside a failed unit no further write is attempted.
    void BeginUnit();
    std::vector<FileError> EndUnit();
    bool InUnit() const { return m_unitDepth > 0; }
    // The copies the last unit that stood changed, with their bytes before and after it
    // (what Undo puts back and Redo puts again); empty after a failed unit or one that
    // changed no byte.
    std::vector<CopyChange> TakeUnitChanges();

    // The bytes of a copy as they are (nullopt: it does not exist).
    FileResult ReadBytes(std::string_view name, std::optional<std::string>& bytes);
    // Writes bytes over a copy, or removes it for nullopt, like a document's Save: atomic,
    // checked, versioned, and put back with the rest of the unit when the unit fails.
    FileResult WriteBytes(std::string_view name, const std::optional<std::string>& bytes);

    // Failures of reads and writes made outside a unit that nobody has reported yet.
    std::vector<FileError> TakeFailures();

    // Told after every successful write (name of the copy); the title's unsaved mark
    // and, later, undo listen here.
    void SetWriteListener(std::function<void(std::string_view)> listener) {
        m_listener = std::move(listener);
    }

    // The file system the copies are read and written through (tests hand in one that
    // fails where they want it to).
    void SetFileSystem(FileSystem& fs) { m_fs = &fs; }
    FileSystem& Files() const { return *m_fs; }

    // Forgets everything: versions, expectations, failures, an open unit, a file system
    // handed in (tests).
    void Reset();

private:
    struct Snapshot {
        std::optional<std::string> bytes;  // nullopt: the copy did not exist
        std::uint64_t version = 0;
        std::optional<std::size_t> hash;
    };

    void Fail(FileError error);
    FileResult TakeSnapshot(const std::string& name);
    FileResult BeforeWrite(const std::string& name);
    void AfterWrite(const std::string& name, std::optional<std::string> bytes);
    void CollectUnitChanges();
    void RollBack();

    std::set<std::string, std::less<>> m_expected;
    std::map<std::string, std::uint64_t, std::less<>> m_versions;
    // Hashes of the copies' bytes: now, and at the last open or save (a copy that has
    // no entry did not exist).
    std::map<std::string, std::size_t, std::less<>> m_hashes;
    std::map<std::string, std::size_t, std::less<>> m_savedHashes;
    std::set<std::string, std::less<>> m_unreadable;  // failed reads: not written over
    std::uint64_t m_savedGeneration = 0;
    int m_unitDepth = 0;
    std::map<std::string, Snapshot, std::less<>> m_unitSnapshots;
    // The last bytes the open unit wrote to each copy (nullopt: removed).
    std::map<std::string, std::optional<std::string>, std::less<>> m_unitWritten;
    std::vector<CopyChange> m_unitChanges;  // of the last unit that stood
    std::vector<FileError> m_unitFailures;
    std::vector<FileError> m_failures;  // outside a unit
    std::function<void(std::string_view)> m_listener;
    FileSystem* m_fs = &FileSystem::System();
};

}  // namespace vesko
