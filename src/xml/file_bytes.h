#pragma once
// File reads and writes with the system's error number on failure. A database file is
// read either in blocks (decoded as they come) or in one piece, and written in one
// piece: the engine keeps the whole text in memory anyway.

#include <cstddef>
#include <cstdint>
#include <cstdio>
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

// A regular file opened for reading. Opening never waits: a FIFO, a device or a folder
// is refused as not a regular file instead of being waited on.
class FileReader {
public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    std::error_code Open(const std::filesystem::path& path);
    // The size the file had when it was opened; it may change while it is read.
    uintmax_t SizeHint() const { return m_size; }
    // Reads up to `n` bytes; fewer only at the end of the file.
    std::error_code Read(char* buffer, size_t n, size_t& got);

private:
#if defined(_WIN32)
    std::FILE* m_file = nullptr;
#else
    int m_fd = -1;
#endif
    uintmax_t m_size = 0;
};

// Reads the rest of an open file into one buffer that starts with `head`, the bytes
// already read from it.
std::error_code ReadRestOfFile(FileReader& file, std::string_view head, FileBytes& bytes);

// Reads the whole file; on failure returns the error and leaves `bytes` empty.
std::error_code ReadWholeFile(const std::filesystem::path& path, FileBytes& bytes);

// Creates or truncates the file and writes the pieces one after the other.
std::error_code WriteWholeFile(const std::filesystem::path& path,
                               std::initializer_list<std::string_view> pieces);

}  // namespace vesko
