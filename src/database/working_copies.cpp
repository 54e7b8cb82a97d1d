#include "database/working_copies.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "xml/file_bytes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// The temporary file a copy is written to before it replaces the copy.
std::filesystem::path TemporaryFor(std::string_view name) {
    return std::string(name) + ".part";
}

// Forces the bytes of a written file onto the disk, so that the rename that follows
// never puts a file in place whose content is still only in memory.
std::error_code FlushToDisk(const std::filesystem::path& path) {
#if defined(_WIN32)
    (void)path;
    return {};
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return result == 0 ? std::error_code() : std::error_code(error, std::generic_category());
#endif
}

// Moves a written temporary file over `name`; on failure the temporary file is gone and
// `name` is as it was.
FileResult MoveIntoPlace(const std::filesystem::path& temporary, std::string_view name) {
    if (const std::error_code error = FlushToDisk(temporary)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return FileResult::Failure(FileStep::Flush, std::string(name), error);
    }
    std::error_code error;
    std::filesystem::rename(temporary, std::string(name), error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return FileResult::Failure(FileStep::Rename, std::string(name), error);
    }
    return {};
}

// The hash of a file's bytes; nullopt when it cannot be read.
std::optional<std::size_t> HashOfFile(const std::filesystem::path& path) {
    FileBytes bytes;
    if (ReadWholeFile(path, bytes)) {
        return std::nullopt;
    }
    return std::hash<std::string_view>{}(bytes.View());
}

FileResult WriteBytesAtomically(std::string_view name, std::string_view bytes) {
    const std::filesystem::path temporary = TemporaryFor(name);
    if (const std::error_code error = WriteWholeFile(temporary, {bytes})) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return FileResult::Failure(FileStep::Write, std::string(name), error);
    }
    return MoveIntoPlace(temporary, name);
}

}  // namespace

WorkingCopies& WorkingCopies::Current() {
    static WorkingCopies copies;
    return copies;
}

FileResult WorkingCopies::Load(CXmlDoc& doc, std::string_view name) {
    doc.SetDoc(static_cast<const char16_t*>(nullptr));
    const std::string key(name);
    std::error_code error;
    const bool exists = std::filesystem::exists(key, error);
    if (!exists && !error) {
        if (!m_expected.contains(key)) {
            m_unreadable.erase(key);
            return {};  // a file this database does not have
        }
        error = make_error_code(FileProblem::Missing);
    }
    if (!error && !doc.Load(key) && doc.GetFileError()) {
        error = doc.GetFileError();
    }
    if (error) {
        doc.SetDoc(static_cast<const char16_t*>(nullptr));
        m_unreadable.insert(key);
        FileError failure{FileStep::Read, key, error, {}};
        Fail(failure);
        return failure;
    }
    m_unreadable.erase(key);
    return {};
}

FileResult WorkingCopies::Save(CXmlDoc& doc, std::string_view name) {
    const std::string key(name);
    // After a failed read the document holds nothing of the copy: writing it would
    // replace the user's data with an empty file. Inside a failed unit everything is
    // about to be put back, so nothing more is written either.
    if (m_unreadable.contains(key) || (InUnit() && !m_unitFailures.empty())) {
        return FileResult::Failure(FileStep::Write, key, make_error_code(FileProblem::Skipped));
    }
    if (InUnit()) {
        if (FileResult snapshot = TakeSnapshot(key); !snapshot) {
            Fail(snapshot.Error());
            return snapshot;
        }
    }
    const std::filesystem::path temporary = TemporaryFor(name);
    if (!doc.Save(temporary)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        const std::error_code cause =
            doc.GetFileError() ? doc.GetFileError() : std::make_error_code(std::errc::io_error);
        FileError failure{FileStep::Write, key, cause, {}};
        Fail(failure);
        return failure;
    }
    // Reading the written bytes back costs little beside the write and tells whether
    // anything changed: an edit confirmed without a change, or a move that put every
    // service back, leaves the copy and the question at Exit alone.
    const std::optional<std::size_t> hash = HashOfFile(temporary);
    const auto known = m_hashes.find(key);
    if (hash && known != m_hashes.end() && known->second == *hash) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return {};
    }
    if (FileResult moved = MoveIntoPlace(temporary, name); !moved) {
        Fail(moved.Error());
        return moved;
    }
    if (hash) {
        m_hashes[key] = *hash;
    } else {
        m_hashes.erase(key);
    }
    ++m_versions[key];
    if (m_listener) {
        m_listener(name);
    }
    return {};
}

void WorkingCopies::SetExpected(std::vector<std::string> names) {
    m_expected.clear();
    m_expected.insert(names.begin(), names.end());
    m_hashes.clear();
    m_unreadable.clear();
    m_failures.clear();
    MarkSaved();
}

std::uint64_t WorkingCopies::Version(std::string_view name) const {
    const auto found = m_versions.find(name);
    return found == m_versions.end() ? 0 : found->second;
}

bool WorkingCopies::IsModified() const {
    return m_hashes != m_savedHashes;
}

// The hashes of copies no write has seen yet (made by an open) are read here, so that
// a later write of the same bytes is known to change nothing.
void WorkingCopies::MarkSaved() {
    for (const std::string& name : m_expected) {
        if (!m_hashes.contains(name)) {
            if (const std::optional<std::size_t> hash = HashOfFile(name)) {
                m_hashes[name] = *hash;
            }
        }
    }
    m_savedHashes = m_hashes;
}

void WorkingCopies::BeginUnit() {
    if (m_unitDepth++ == 0) {
        m_unitSnapshots.clear();
        m_unitFailures.clear();
    }
}

std::vector<FileError> WorkingCopies::EndUnit() {
    if (m_unitDepth == 0 || --m_unitDepth > 0) {
        return {};
    }
    std::vector<FileError> failures = std::move(m_unitFailures);
    m_unitFailures.clear();
    if (!failures.empty()) {
        RollBack();
    }
    m_unitSnapshots.clear();
    // A copy that could not be read is read again by the next command.
    m_unreadable.clear();
    return failures;
}

std::vector<FileError> WorkingCopies::TakeFailures() {
    std::vector<FileError> failures = std::move(m_failures);
    m_failures.clear();
    m_unreadable.clear();
    return failures;
}

void WorkingCopies::Reset() {
    m_expected.clear();
    m_versions.clear();
    m_hashes.clear();
    m_savedHashes.clear();
    m_unreadable.clear();
    m_unitDepth = 0;
    m_unitSnapshots.clear();
    m_unitFailures.clear();
    m_failures.clear();
}

void WorkingCopies::Fail(FileError error) {
    (InUnit() ? m_unitFailures : m_failures).push_back(std::move(error));
}

FileResult WorkingCopies::TakeSnapshot(const std::string& name) {
    if (m_unitSnapshots.contains(name)) {
        return {};
    }
    Snapshot snapshot;
    snapshot.version = Version(name);
    if (const auto known = m_hashes.find(name); known != m_hashes.end()) {
        snapshot.hash = known->second;
    }
    std::error_code error;
    if (std::filesystem::exists(name, error)) {
        FileBytes bytes;
        if (const std::error_code readError = ReadWholeFile(name, bytes)) {
            return FileResult::Failure(FileStep::Read, name, readError);
        }
        snapshot.bytes = std::string(bytes.View());
    } else if (error) {
        return FileResult::Failure(FileStep::Read, name, error);
    }
    m_unitSnapshots.emplace(name, std::move(snapshot));
    return {};
}

// Puts back every copy the failed unit wrote. A copy whose restore fails is reported
// with the unit's failures by the caller's message; nothing better can be done then.
void WorkingCopies::RollBack() {
    for (auto& [name, snapshot] : m_unitSnapshots) {
        if (Version(name) == snapshot.version) {
            continue;  // never written in this unit
        }
        if (snapshot.bytes) {
            if (!WriteBytesAtomically(name, *snapshot.bytes)) {
                continue;
            }
        } else {
            std::error_code ignored;
            std::filesystem::remove(name, ignored);
        }
        m_versions[name] = snapshot.version;
        if (snapshot.hash) {
            m_hashes[name] = *snapshot.hash;
        } else {
            m_hashes.erase(name);
        }
    }
}

}  // namespace vesko
