// Raw file access for Load and Save.

#include "xml/file_bytes.h"

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/file_result.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// Reads to the end into one buffer sized for the `expected` bytes (the size is only
// a hint: the file may change under us). `readSome(buffer, n)` returns how many
// bytes it read, 0 at the end of the file, or -1 with errno set.
template <class ReadSome>
std::error_code ReadToEnd(uintmax_t expected, ReadSome readSome, FileBytes& bytes) {
    if (expected > kLargestFile) {
        return std::make_error_code(std::errc::file_too_large);
    }
    // One byte more than expected, so a file that did not grow needs no second buffer.
    size_t capacity = static_cast<size_t>(expected) + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    size_t done = 0;
    for (;;) {
        const std::ptrdiff_t got = readSome(data.get() + done, capacity - done);
        if (got < 0) {
            return LastError();
        }
        if (got == 0) {
            break;
        }
        done += static_cast<size_t>(got);
        if (done < capacity) {
            continue;
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

#if defined(_WIN32)

std::error_code ReadOpenFile(const std::filesystem::path& path, FileBytes& bytes) {
    errno = 0;
    File file = OpenFile(path, false);
    if (!file) {
        return LastError();
    }
    // The size also turns away a directory, which some systems let fopen open.
    std::error_code error;
    const uintmax_t expected = std::filesystem::file_size(path, error);
    if (error) {
        return error;
    }
    return ReadToEnd(
        expected,
        [&](char* buffer, size_t n) -> std::ptrdiff_t {
            const size_t got = std::fread(buffer, 1, n, file.get());
            return got == 0 && std::ferror(file.get()) ? -1 : static_cast<std::ptrdiff_t>(got);
        },
        bytes);
}

#else

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// Opening never waits: a FIFO or a device in place of a database file would block in
// open() or read() forever. The descriptor is checked, not the path, so the file read
// is the file that was looked at.
std::error_code ReadOpenFile(const std::filesystem::path& path, FileBytes& bytes) {
    errno = 0;
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        return LastError();
    }
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) {
        return LastError();
    }
    if (!S_ISREG(status.st_mode)) {
        return make_error_code(FileProblem::NotRegularFile);
    }
    return ReadToEnd(
        static_cast<uintmax_t>(status.st_size),
        [&](char* buffer, size_t n) -> std::ptrdiff_t {
            for (;;) {
                const ssize_t got = ::read(file.fd, buffer, n);
                if (got >= 0 || errno != EINTR) {
                    return got;
                }
            }
        },
        bytes);
}

#endif

}  // namespace

std::error_code ReadWholeFile(const std::filesystem::path& path, FileBytes& bytes) {
    bytes = {};
    return ReadOpenFile(path, bytes);
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
