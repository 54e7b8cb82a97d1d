#include "database/file_set.h"

#include <set>

#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::uint32_t kNewFilePermissions = 0644;

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

}  // namespace

ReplacementFile::ReplacementFile(FileSystem& fs, std::filesystem::path destination)
    : m_fs(&fs), m_destination(std::move(destination)) {}

ReplacementFile::~ReplacementFile() {
    m_file.CloseQuietly();
    if (!m_temporary.empty()) {
        m_fs->Remove(m_temporary);
    }
}

FileResult ReplacementFile::Create() {
    return m_fs->CreateTemporary(m_destination, m_temporary, m_file);
}

FileResult ReplacementFile::Write(std::string_view bytes) {
    if (FileResult written = m_fs->Write(m_file, bytes); !written) {
        return FileResult::Failure(FileStep::Write, m_destination, written.Error().cause);
    }
    return {};
}

FileResult ReplacementFile::Seal(bool keepPermissions) {
    // Failures name the file the user knows, not its temporary stand-in.
    const auto named = [this](const FileResult& result) {
        return FileResult::Failure(result.Error().step, m_destination, result.Error().cause,
                                   result.Error().detail);
    };
    if (FileResult synced = m_fs->Sync(m_file); !synced) {
        return named(synced);
    }
    if (keepPermissions) {
        FileStatus old;
        m_fs->Status(m_destination, old);
        const std::uint32_t permissions =
            old.kind == FileKind::Regular ? old.permissions : kNewFilePermissions;
        if (FileResult set = m_fs->SetPermissions(m_file, permissions); !set) {
            return named(set);
        }
    }
    if (FileResult closed = m_fs->Close(m_file); !closed) {
        return named(closed);
    }
    return {};
}

FileResult ReplacementFile::Commit() {
    if (FileResult moved = m_fs->Rename(m_temporary, m_destination); !moved) {
        return moved;
    }
    m_temporary.clear();
    // The rename lives in the folder's list of names: make it durable too. A folder that
    // cannot be synced changes nothing about the file now in place.
    m_fs->SyncFolder(FolderOf(m_destination));
    return {};
}

std::filesystem::path ReplacementFile::HandOver() {
    std::filesystem::path temporary = std::move(m_temporary);
    m_temporary.clear();
    return temporary;
}

FileResult WriteBytesReplacing(FileSystem& fs, const std::filesystem::path& destination,
                               std::string_view bytes) {
    ReplacementFile file(fs, destination);
    FileResult result = file.Create();
    if (result) {
        result = file.Write(bytes);
    }
    if (result) {
        result = file.Seal(false);
    }
    return result ? file.Commit() : result;
}

FileResult SaveDocumentReplacing(FileSystem& fs, CXmlDoc& doc,
                                 const std::filesystem::path& destination,
                                 const std::function<bool(std::string_view bytes)>& keep) {
    // The engine encodes the text in the document's own encoding; the bytes go into the
    // file made here, through the file system, so every step is checked (and can fail in
    // tests). Bytes the caller does not keep are never written at all.
    FileResult result;
    const bool saved = doc.SaveBytes([&](std::string_view bytes) -> std::error_code {
        if (keep && !keep(bytes)) {
            return {};
        }
        result = WriteBytesReplacing(fs, destination, bytes);
        return result ? std::error_code() : result.Error().cause;
    });
    if (!saved && result) {
        const std::error_code cause =
            doc.GetFileError() ? doc.GetFileError() : std::make_error_code(std::errc::io_error);
        return FileResult::Failure(FileStep::Write, destination, cause);
    }
    return result;
}

FileSet::~FileSet() {
    for (const Entry& entry : m_entries) {
        if (!entry.placed && !entry.source.empty()) {
            m_fs.Remove(entry.source);
        }
    }
}

void FileSet::Replace(std::filesystem::path source, std::filesystem::path destination) {
    Entry entry;
    entry.source = std::move(source);
    entry.destination = std::move(destination);
    m_entries.push_back(std::move(entry));
}

void FileSet::Remove(std::filesystem::path destination) {
    Entry entry;
    entry.destination = std::move(destination);
    m_entries.push_back(std::move(entry));
}

SetOutcome FileSet::Commit() {
    SetOutcome outcome;
    // A name for every old file is taken before anything moves, so that the moves
    // themselves are only renames inside each folder.
    for (Entry& entry : m_entries) {
        if (FileResult reserved = Reserve(entry); !reserved) {
            outcome.result = reserved;
            RollBack(outcome);
            return outcome;
        }
    }
    for (Entry& entry : m_entries) {
        if (FileResult moved = MoveIntoPlace(entry); !moved) {
            outcome.result = moved;
            RollBack(outcome);
            return outcome;
        }
    }
    SyncFolders();
    for (Entry& entry : m_entries) {
        if (entry.backup.empty()) {
            continue;
        }
        if (FileResult removed = m_fs.Remove(entry.backup); !removed) {
            outcome.leftovers.push_back(removed.Error());
        }
    }
    return outcome;
}

FileResult FileSet::Reserve(Entry& entry) {
    FileStatus status;
    if (FileResult looked = m_fs.Status(entry.destination, status, false); !looked) {
        return looked;
    }
    if (status.kind == FileKind::Missing) {
        return {};
    }
    FileHandle reservation;
    if (FileResult made = m_fs.CreateTemporary(entry.destination, entry.backup, reservation);
        !made) {
        entry.backup.clear();
        return made;
    }
    reservation.CloseQuietly();  // only its name is wanted
    return {};
}

FileResult FileSet::MoveIntoPlace(Entry& entry) {
    if (!entry.backup.empty()) {
        if (FileResult aside = m_fs.Rename(entry.destination, entry.backup); !aside) {
            return aside;
        }
        entry.oldMoved = true;
    }
    if (!entry.source.empty()) {
        if (FileResult moved = m_fs.Rename(entry.source, entry.destination); !moved) {
            return moved;
        }
        entry.placed = true;
    }
    return {};
}

// Undoes the moves in the opposite order. An old file that cannot be put back stays
// under its backup name and is named to the user; it is never removed.
void FileSet::RollBack(SetOutcome& outcome) {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        Entry& entry = *it;
        FileResult undone;
        if (entry.oldMoved) {
            undone = m_fs.Rename(entry.backup, entry.destination);
        } else if (entry.placed) {
            undone = m_fs.Remove(entry.destination);  // there was no old file
        }
        if (!undone) {
            FileError kept = undone.Error();
            kept.file = entry.destination;
            kept.detail = entry.oldMoved ? u"the old file is kept as " + entry.backup.u16string()
                                         : u"the new file stayed in place";
            outcome.unrestored.push_back(std::move(kept));
            continue;
        }
        if (entry.oldMoved) {
            entry.oldMoved = false;
        } else if (!entry.backup.empty()) {
            m_fs.Remove(entry.backup);  // a reserved name that was never used
        }
        entry.placed = false;
        entry.backup.clear();
    }
    SyncFolders();
}

void FileSet::SyncFolders() {
    std::set<std::filesystem::path> folders;
    for (const Entry& entry : m_entries) {
        folders.insert(FolderOf(entry.destination));
    }
    for (const auto& folder : folders) {
        m_fs.SyncFolder(folder);
    }
}

}  // namespace vesko
