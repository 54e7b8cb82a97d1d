#pragma once
// What a running editor's session is, written into its working folder whenever it
// changes: the database folder, how many changes were made since the last open or
// save, the working copies' hashes as that open or save left them, and the stamps of
// the folder's files then. An editor that dies leaves it behind with its working
// copies; the next start reads it to tell whether they hold unsaved work and to offer
// it back.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"
#include "database/folder_stamps.h"

namespace vesko {

// The session record's name inside a working folder.
inline constexpr const char* kSessionRecordName = "session.txt";

struct SessionRecord {
    std::filesystem::path folder;  // the open database folder
    int changes = 0;               // commands since the last open or save
    std::map<std::string, std::uint64_t, std::less<>> savedCopies;  // StableHash per copy
    std::vector<FileStamp> stamps;  // the folder's files at the last open or save

    friend bool operator==(const SessionRecord&, const SessionRecord&) = default;
};

std::string FormatSessionRecord(const SessionRecord& record);
// Nothing for a text that is not a whole record (an editor killed while writing it
// writes through a temporary file, so this means a record of another kind).
std::optional<SessionRecord> ParseSessionRecord(std::string_view text);

FileResult WriteSessionRecord(FileSystem& fs, const std::filesystem::path& file,
                              const SessionRecord& record);
FileResult ReadSessionRecord(FileSystem& fs, const std::filesystem::path& file,
                             std::optional<SessionRecord>& record);

}  // namespace vesko
