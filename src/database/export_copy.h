#pragma once
// The export filter: turns a working copy into the file the receiver reads; and the
// save of a whole folder built on it, which replaces the folder's files as one set.

#include <filesystem>
#include <vector>

#include "base/file_result.h"
#include "base/file_system.h"
#include "database/file_set.h"

namespace vesko {

// Copies `src` to `dst`, dropping CR LF pairs everywhere and, outside quoted values,
// every byte that is not TAB, LF or 0x20..0x7F. The destination is replaced atomically:
// on any failure it keeps its old bytes. Returns 0 on success, -1 on failure.
int ExportCopy(const std::filesystem::path& src, const std::filesystem::path& dst);

// ExportCopy through `fs`, with the cause of a failure.
FileResult ExportFile(FileSystem& fs, const std::filesystem::path& src,
                      const std::filesystem::path& dst);

// Writes the export form of the working copy `src` into `out` (created, not sealed).
// A copy in UTF-16 or UTF-32 is turned into UTF-8 first, its declaration saying so:
// the filter works on bytes and would keep the zero bytes of a wide text inside quoted
// values. A wide text that cannot be turned into UTF-8 whole is refused.
FileResult ExportInto(FileSystem& fs, const std::filesystem::path& src, ReplacementFile& out);

struct ExportItem {
    std::filesystem::path source;       // working copy
    std::filesystem::path destination;  // file of the database folder
};

// Exports every item and replaces the destinations as one set: every new file is written
// and flushed first; only then are they moved into place, and a failure on the way puts
// every old file back. A destination that exists but is no regular file is refused before
// anything is written.
SetOutcome ExportSet(FileSystem& fs, const std::vector<ExportItem>& items);

}  // namespace vesko
