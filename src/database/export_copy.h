#pragma once
// The export filter: turns a working copy into the file the receiver reads.

#include <filesystem>

namespace vesko {

// Copies `src` to `dst`, dropping CR LF pairs everywhere and, outside quoted values,
// every byte that is not TAB, LF or 0x20..0x7F. The destination is replaced atomically:
// on any failure it keeps its old bytes. Returns 0 on success, -1 on failure.
int ExportCopy(const std::filesystem::path& src, const std::filesystem::path& dst);

}  // namespace vesko
