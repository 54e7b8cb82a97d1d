// Raw file access for Load and Save.

#include "xml/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
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

}  // namespace

#if defined(_WIN32)

FileReader::~FileReader() {
    if (m_file) {
        std::fclose(m_file);
    }
}

std::error_code FileReader::Open(const std::filesystem::path& path) {
    errno = 0;
    File file = OpenFile(path, false);
    if (!file) {
        return LastError();
    }
    // The size also turns away a directory, which some systems let fopen open.
    std::error_code error;
    m_size = std::filesystem::file_size(path, error);
    if (error) {
        return error;
    }
    m_file = file.release();
    return m_size > kLargestFile ? std::make_error_code(std::errc::file_too_large)
                                 : std::error_code();
}

std::error_code FileReader::Read(char* buffer, size_t n, size_t& got) {
    errno = 0;
    got = std::fread(buffer, 1, n, m_file);
    return got < n && std::ferror(m_file) ? LastError() : std::error_code();
}

#else

FileReader::~FileReader() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

// The descriptor is checked, not the path, so the file read is the file looked at.
std::error_code FileReader::Open(const std::filesystem::path& path) {
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    m_fd = fd;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return LastError();
    }
    if (!S_ISREG(status.st_mode)) {
        return make_error_code(FileProblem::NotRegularFile);
    }
    m_size = static_cast<uintmax_t>(status.st_size);
    return m_size > kLargestFile ? std::make_error_code(std::errc::file_too_large)
                                 : std::error_code();
}

std::error_code FileReader::Read(char* buffer, size_t n, size_t& got) {
    got = 0;
    while (got < n) {
        const ssize_t part = ::read(m_fd, buffer + got, n - got);
        if (part < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        if (part == 0) {
            break;
        }
        got += static_cast<size_t>(part);
    }
    return {};
}

#endif

std::error_code ReadRestOfFile(FileReader& file, std::string_view head, FileBytes& bytes) {
    bytes = {};
    const uintmax_t expected = std::max<uintmax_t>(file.SizeHint(), head.size());
    // One byte more than expected, so a file that did not grow needs no second buffer.
    size_t capacity = static_cast<size_t>(expected) + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    if (!head.empty()) {
        std::memcpy(data.get(), head.data(), head.size());
    }
    size_t done = head.size();
    for (;;) {
        size_t got = 0;
        if (const std::error_code error = file.Read(data.get() + done, capacity - done, got)) {
            return error;
        }
        done += got;
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

std::error_code ReadWholeFile(const std::filesystem::path& path, FileBytes& bytes) {
    bytes = {};
    FileReader file;
    if (const std::error_code error = file.Open(path)) {
        return error;
    }
    return ReadRestOfFile(file, {}, bytes);
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
