#pragma once
// Whole-file reads and writes with the system's error number on failure. A
// database file is read in one piece and written in one piece: the engine keeps
// the whole text in memory anyway, and one call is the fastest way through.

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <system_error>

namespace vesko {

struct FileBytes {
    std::unique_ptr<char[]> data;  // not zero-terminated
    size_t size = 0;

    std::string_view View() const { return {data.get(), size}; }
};

// Reads the whole file; on failure returns the error and leaves `bytes` empty.
std::error_code ReadWholeFile(const std::filesystem::path& path, FileBytes& bytes);

// Creates or truncates the file and writes the pieces one after the other.
std::error_code WriteWholeFile(const std::filesystem::path& path,
                               std::initializer_list<std::string_view> pieces);

}  // namespace vesko
