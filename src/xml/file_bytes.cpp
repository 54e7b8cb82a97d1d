// Raw file access for Load and Save.

#include "xml/file_bytes.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vesko {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenFile(const std::filesystem::path& path, bool forWriting) {
#if defined(_WIN32)
    return File(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return File(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

std::error_code LastError() {
    // Some C libraries do not set errno on every stream failure; never report success.
    return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

// The engine counts offsets in int: a text it cannot index is refused up front.
constexpr uintmax_t kLargestFile = INT_MAX;

}  // namespace

std::error_code ReadWholeFile(const std::filesystem::path& path, FileBytes& bytes) {
    bytes = {};
    errno = 0;
    File file = OpenFile(path, false);
    if (!file) {
        return LastError();
    }
    // The size is only a hint (the file may change under us), but it also turns
    // away a directory, which some systems let fopen open.
    std::error_code error;
    const uintmax_t expected = std::filesystem::file_size(path, error);
    if (error) {
        return error;
    }
    if (expected > kLargestFile) {
        return std::make_error_code(std::errc::file_too_large);
    }
    // One byte more than expected, so a file that did not grow ends in one read.
    size_t capacity = static_cast<size_t>(expected) + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    size_t done = 0;
    for (;;) {
        done += std::fread(data.get() + done, 1, capacity - done, file.get());
        if (std::ferror(file.get())) {
            return LastError();
        }
        if (done < capacity) {
            break;  // end of file
        }
        if (capacity > kLargestFile) {
            return std::make_error_code(std::errc::file_too_large);
        }
        auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
        std::memcpy(larger.get(), data.get(), done);
        data = std::move(larger);
        capacity *= 2;
    }
    bytes.data = std::move(data);
    bytes.size = done;
    return {};
}

std::error_code WriteWholeFile(const std::filesystem::path& path,
                               std::initializer_list<std::string_view> pieces) {
    errno = 0;
    File file = OpenFile(path, true);
    if (!file) {
        return LastError();
    }
    for (std::string_view piece : pieces) {
        if (!piece.empty() &&
            std::fwrite(piece.data(), 1, piece.size(), file.get()) != piece.size()) {
            return LastError();
        }
    }
    // A full disk often shows only when the buffer is flushed or the file closed.
    if (std::fflush(file.get()) != 0) {
        return LastError();
    }
    if (std::fclose(file.release()) != 0) {
        return LastError();
    }
    return {};
}

}  // namespace vesko
