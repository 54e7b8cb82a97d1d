#include "database/export_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

#include "database/export_faults.h"

namespace vesko {

namespace {

long g_failAfterBytes = -1;

// Receives the filtered bytes and writes them to a temporary file beside the
// destination; only a complete, synced file is renamed over the destination, so the
// receiver's old file survives any failure.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& dst) : m_dst(dst) {
        m_tempName = (dst.parent_path() / ("." + dst.filename().string() + ".XXXXXX")).string();
        m_fd = ::mkstemp(m_tempName.data());
        m_created = m_fd >= 0;
    }
    ~AtomicFileWriter() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        // Only a file mkstemp made is ours to remove.
        if (m_created && !m_committed) {
            ::unlink(m_tempName.data());
        }
    }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    bool Write(const char* data, size_t size) {
        if (m_failed) {
            return false;
        }
        if (g_failAfterBytes >= 0 && m_written + static_cast<long>(size) > g_failAfterBytes) {
            m_failed = true;  // an injected fault, as a full disk would give
            return false;
        }
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                m_failed = true;
                return false;
            }
            data += n;
            size -= static_cast<size_t>(n);
            m_written += n;
        }
        return true;
    }

    // Flushes the data to disk and renames the temporary file over the destination.
    bool Commit() {
        if (m_failed || ::fsync(m_fd) != 0) {
            return false;
        }
        // mkstemp creates the file readable by its owner only: the new file takes the
        // permissions of the one it replaces, or the usual ones for a new file.
        struct stat old {};
        ::fchmod(m_fd, ::stat(m_dst.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
        if (::close(m_fd) != 0) {
            m_fd = -1;
            return false;
        }
        m_fd = -1;
        if (::rename(m_tempName.data(), m_dst.c_str()) != 0) {
            return false;
        }
        m_committed = true;
        SyncFolder();
        return true;
    }

private:
    // The rename itself lives in the folder's entry list: sync it so that the new file
    // survives a power cut that comes right after the save.
    void SyncFolder() const {
        const std::filesystem::path parent =
            m_dst.parent_path().empty() ? "." : m_dst.parent_path();
        const int dir = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

    std::filesystem::path m_dst;
    std::string m_tempName;
    int m_fd = -1;
    long m_written = 0;
    bool m_failed = false;
    bool m_created = false;
    bool m_committed = false;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool IsKeptOutsideQuotes(unsigned char c) {
    return c == 0x09 || c == 0x0A || (c >= 0x20 && c <= 0x7F);
}

}  // namespace

void SetExportFaultAfter(long bytes) {
    g_failAfterBytes = bytes;
}

int ExportCopy(const std::filesystem::path& src, const std::filesystem::path& dst) {
    std::error_code ec;
    if (std::filesystem::is_directory(src, ec)) {
        return -1;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(src.c_str(), "rb"));
    std::FILE* in = file.get();
    if (in == nullptr) {
        return -1;
    }
    AtomicFileWriter out(dst);
    if (!out.IsOpen()) {
        return -1;
    }

    // The filter looks one byte ahead (CR LF), across block boundaries too.
    std::array<unsigned char, 1024> block{};
    std::string kept;
    kept.reserve(block.size());
    bool insideQuotes = false;
    bool pendingCr = false;  // a CR whose successor has not been read yet
    bool ok = true;
    size_t n = 0;
    while (ok && (n = std::fread(block.data(), 1, block.size(), in)) > 0) {
        kept.clear();
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = block[i];
            if (pendingCr) {
                pendingCr = false;
                if (c == 0x0A) {
                    continue;  // CR LF pair: both dropped
                }
                if (insideQuotes) {
                    kept.push_back('\r');  // a lone CR inside a value is kept
                }
            }
            if (c == '"') {
                insideQuotes = !insideQuotes;
            }
            if (c == 0x0D) {
                pendingCr = true;
                continue;
            }
            if (IsKeptOutsideQuotes(c) || insideQuotes) {
                kept.push_back(static_cast<char>(c));
            }
        }
        ok = out.Write(kept.data(), kept.size());
    }
    if (std::ferror(in)) {
        ok = false;
    }
    if (ok && pendingCr && insideQuotes) {
        ok = out.Write("\r", 1);
    }
    if (!ok || !out.Commit()) {
        return -1;
    }
    return 0;
}

}  // namespace vesko
