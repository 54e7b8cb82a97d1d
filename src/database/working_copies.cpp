#include "database/working_copies.h"

#include <system_error>

#include "database/file_set.h"
#include "database/schema.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

// The database file a working copy stands for, as the user knows it.
std::u16string DatabaseNameOf(const std::filesystem::path& copy) {
    const std::string name = copy.filename().string();
    for (const auto* files : {kRequiredFiles.data(), kOptionalFiles.data()}) {
        const std::size_t count =
            files == kRequiredFiles.data() ? kRequiredFiles.size() : kOptionalFiles.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (files[i].workingCopy == name) {
                return std::u16string(files[i].fileName.begin(), files[i].fileName.end());
            }
        }
    }
    return copy.filename().u16string();
}

}  // namespace

std::u16string DescribeWorkingCopyError(const FileError& error) {
    std::u16string text = u"the working copy of " + DatabaseNameOf(error.file);
    text += error.step == FileStep::Read ? u" could not be read: " : u" could not be written: ";
    text += DescribeCause(error.cause);
    if (!error.detail.empty()) {
        text += u" (" + error.detail + u")";
    }
    return text;
}

WorkingCopies& WorkingCopies::Current() {
    static WorkingCopies copies;
    return copies;
}

FileResult WorkingCopies::Load(CXmlDoc& doc, std::string_view name) {
    doc.SetDoc(static_cast<const char16_t*>(nullptr));
    const std::string key(name);
    FileStatus status;
    FileResult result = m_fs->Status(key, status);
    if (result && status.kind == FileKind::Missing) {
        if (!m_expected.contains(key)) {
            m_unreadable.erase(key);
            return {};  // a file this database does not have
        }
        result = FileResult::Failure(FileStep::Read, key, make_error_code(FileProblem::Missing));
    } else if (result && status.kind != FileKind::Regular) {
        result =
            FileResult::Failure(FileStep::Read, key, make_error_code(FileProblem::NotRegularFile));
    }
    if (result && !doc.Load(key) && doc.GetFileError()) {
        result = FileResult::Failure(FileStep::Read, key, doc.GetFileError());
    }
    if (!result) {
        doc.SetDoc(static_cast<const char16_t*>(nullptr));
        m_unreadable.insert(key);
        Fail(result.Error());
        return result;
    }
    m_unreadable.erase(key);
    return {};
}

FileResult WorkingCopies::Save(CXmlDoc& doc, std::string_view name) {
    const std::string key(name);
    // After a failed read the document holds nothing of the copy: writing it would
    // replace the user's data with an empty file. Inside a failed unit everything is
    // about to be put back, so nothing more is written either.
    if (FileResult ready = BeforeWrite(key); !ready) {
        return ready;
    }
    // The written bytes are compared with the copy's before they replace it: an edit
    // confirmed without a change, or a move that put every service back, leaves the
    // copy, its version and the question at Exit alone.
    const auto known = m_hashes.find(key);
    std::size_t hash = 0;
    bool changed = true;
    std::string written;  // kept for the unit's undo step
    const auto keep = [&](std::string_view bytes) {
        hash = std::hash<std::string_view>{}(bytes);
        changed = known == m_hashes.end() || known->second != hash;
        if (changed && InUnit()) {
            written.assign(bytes);
        }
        return changed;
    };
    if (FileResult saved = SaveDocumentReplacing(*m_fs, doc, key, keep); !saved) {
        Fail(saved.Error());
        return saved;
    }
    if (!changed) {
        return {};
    }
    m_hashes[key] = hash;
    AfterWrite(key, std::move(written));
    return {};
}

// After a failed read the document holds nothing of the copy: writing it would replace
// the user's data with an empty file. Inside a failed unit everything is about to be put
// back, so nothing more is written either.
FileResult WorkingCopies::BeforeWrite(const std::string& name) {
    if (m_unreadable.contains(name) || (InUnit() && !m_unitFailures.empty())) {
        return FileResult::Failure(FileStep::Write, name, make_error_code(FileProblem::Skipped));
    }
    if (InUnit()) {
        if (FileResult snapshot = TakeSnapshot(name); !snapshot) {
            Fail(snapshot.Error());
            return snapshot;
        }
    }
    return {};
}

// A write that changed the copy: its version goes up, and the unit keeps the bytes for
// its undo step.
void WorkingCopies::AfterWrite(const std::string& name, std::optional<std::string> bytes) {
    ++m_versions[name];
    if (InUnit()) {
        m_unitWritten[name] = std::move(bytes);
    }
    if (m_listener) {
        m_listener(name);
    }
}

FileResult WorkingCopies::ReadBytes(std::string_view name, std::optional<std::string>& bytes) {
    bytes.reset();
    const std::string key(name);
    FileStatus status;
    if (FileResult looked = m_fs->Status(key, status); !looked) {
        return looked;
    }
    if (status.kind == FileKind::Missing) {
        return {};
    }
    std::string read;
    if (FileResult result = ReadFileBytes(*m_fs, key, read); !result) {
        return result;
    }
    bytes = std::move(read);
    return {};
}

FileResult WorkingCopies::WriteBytes(std::string_view name,
                                     const std::optional<std::string>& bytes) {
    const std::string key(name);
    if (FileResult ready = BeforeWrite(key); !ready) {
        return ready;
    }
    FileResult result = bytes ? WriteBytesReplacing(*m_fs, key, *bytes) : m_fs->Remove(key);
    if (!result) {
        Fail(result.Error());
        return result;
    }
    if (bytes) {
        m_hashes[key] = std::hash<std::string_view>{}(*bytes);
    } else {
        m_hashes.erase(key);
    }
    AfterWrite(key, bytes);
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

bool WorkingCopies::IsModified(std::string_view name) const {
    const auto now = m_hashes.find(name);
    const auto saved = m_savedHashes.find(name);
    const bool hasNow = now != m_hashes.end();
    const bool hasSaved = saved != m_savedHashes.end();
    return hasNow != hasSaved || (hasNow && now->second != saved->second);
}

bool WorkingCopies::IsModified() const {
    return m_hashes != m_savedHashes;
}

// The hashes of copies no write has seen yet (made by an open) are read here, so that
// a later write of the same bytes is known to change nothing.
void WorkingCopies::MarkSaved() {
    for (const std::string& name : m_expected) {
        if (m_hashes.contains(name)) {
            continue;
        }
        std::string bytes;
        if (ReadFileBytes(*m_fs, name, bytes)) {
            m_hashes[name] = std::hash<std::string_view>{}(bytes);
        }
    }
    m_savedHashes = m_hashes;
    ++m_savedGeneration;
}

void WorkingCopies::BeginUnit() {
    if (m_unitDepth++ == 0) {
        m_unitSnapshots.clear();
        m_unitWritten.clear();
        m_unitFailures.clear();
    }
}

// A copy written back to the bytes it had before the unit is no change of the unit.
void WorkingCopies::CollectUnitChanges() {
    for (auto& [name, snapshot] : m_unitSnapshots) {
        auto written = m_unitWritten.find(name);
        if (written == m_unitWritten.end() || written->second == snapshot.bytes) {
            continue;
        }
        m_unitChanges.push_back({name, std::move(snapshot.bytes), std::move(written->second)});
    }
}

std::vector<CopyChange> WorkingCopies::TakeUnitChanges() {
    std::vector<CopyChange> changes = std::move(m_unitChanges);
    m_unitChanges.clear();
    return changes;
}

std::vector<FileError> WorkingCopies::EndUnit() {
    if (m_unitDepth == 0 || --m_unitDepth > 0) {
        return {};
    }
    std::vector<FileError> failures = std::move(m_unitFailures);
    m_unitFailures.clear();
    m_unitChanges.clear();
    if (!failures.empty()) {
        RollBack();
    } else {
        CollectUnitChanges();
    }
    m_unitSnapshots.clear();
    m_unitWritten.clear();
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
    m_unitWritten.clear();
    m_unitChanges.clear();
    m_unitFailures.clear();
    m_failures.clear();
    m_fs = &FileSystem::System();
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
    FileStatus status;
    if (FileResult looked = m_fs->Status(name, status); !looked) {
        return looked;
    }
    if (status.kind != FileKind::Missing) {
        std::string bytes;
        if (FileResult read = ReadFileBytes(*m_fs, name, bytes); !read) {
            return read;
        }
        snapshot.bytes = std::move(bytes);
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
            if (!WriteBytesReplacing(*m_fs, name, *snapshot.bytes)) {
                continue;
            }
        } else if (!m_fs->Remove(name)) {
            continue;
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
