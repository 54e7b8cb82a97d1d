#include "database/export_copy.h"

#include <array>
#include <cerrno>
#include <string>

#include "database/wide_text.h"

namespace vesko {

namespace {

// The byte filter, fed in pieces of any size: it looks one byte ahead (CR LF), across
// the pieces too.
class ExportFilter {
public:
    void Feed(std::string_view in, std::string& kept) {
        for (const char byte : in) {
            const auto c = static_cast<unsigned char>(byte);
            if (m_pendingCr) {
                m_pendingCr = false;
                if (c == 0x0A) {
                    continue;  // CR LF pair: both dropped
                }
                if (m_insideQuotes) {
                    kept.push_back('\r');  // a lone CR inside a value is kept
                }
            }
            // Only the double quote counts: the receiver's files quote every value that way,
            // and an apostrophe inside a name must not end it.
            if (c == '"') {
                m_insideQuotes = !m_insideQuotes;
            }
            if (c == 0x0D) {
                m_pendingCr = true;
                continue;
            }
            if (IsKeptOutsideQuotes(c) || m_insideQuotes) {
                kept.push_back(byte);
            }
        }
    }
    void Finish(std::string& kept) {
        if (m_pendingCr && m_insideQuotes) {
            kept.push_back('\r');
        }
        m_pendingCr = false;
    }

private:
    static bool IsKeptOutsideQuotes(unsigned char c) {
        return c == 0x09 || c == 0x0A || (c >= 0x20 && c <= 0x7F);
    }

    bool m_insideQuotes = false;
    bool m_pendingCr = false;  // a CR whose successor has not been seen yet
};

// A failure of the source, named after the file of the folder it was to become.
FileResult SourceFailure(const FileResult& failure, const ReplacementFile& out) {
    const FileError& error = failure.Error();
    std::u16string detail = u"its working copy could not be read";
    if (!error.detail.empty()) {
        detail = error.detail + u"; " + detail;
    }
    return FileResult::Failure(FileStep::Read, out.Destination(), error.cause, std::move(detail));
}

FileResult ExportWide(FileSystem& fs, FileHandle& in, std::string head, WideEncoding encoding,
                      ReplacementFile& out) {
    std::array<char, 64 * 1024> block{};
    for (std::size_t got = 1; got > 0;) {
        if (FileResult read = fs.Read(in, block.data(), block.size(), got); !read) {
            return SourceFailure(read, out);
        }
        head.append(block.data(), got);
    }
    std::string utf8;
    if (!ConvertWideToUtf8(head, encoding, utf8)) {
        return FileResult::Failure(FileStep::Check, out.Destination(),
                                   make_error_code(FileProblem::Unsupported),
                                   std::u16string(WideEncodingName(encoding)) +
                                       u" text with broken characters cannot be turned into "
                                       u"UTF-8");
    }
    ExportFilter filter;
    std::string kept;
    kept.reserve(utf8.size());
    filter.Feed(utf8, kept);
    filter.Finish(kept);
    return out.Write(kept);
}

}  // namespace

FileResult ExportInto(FileSystem& fs, const std::filesystem::path& src, ReplacementFile& out) {
    FileHandle in;
    if (FileResult opened = fs.OpenForReading(src, in); !opened) {
        return SourceFailure(opened, out);
    }
    // A 1024-byte block at a time, so that no 8-bit file is held in memory.
    std::array<char, 1024> block{};
    ExportFilter filter;
    std::string kept;
    kept.reserve(block.size());
    bool first = true;
    for (;;) {
        std::size_t got = 0;
        if (FileResult read = fs.Read(in, block.data(), block.size(), got); !read) {
            return SourceFailure(read, out);
        }
        if (got == 0) {
            break;
        }
        const std::string_view piece(block.data(), got);
        if (first) {
            first = false;
            if (const WideEncoding wide = DetectWideEncoding(piece); wide != WideEncoding::None) {
                return ExportWide(fs, in, std::string(piece), wide, out);
            }
        }
        kept.clear();
        filter.Feed(piece, kept);
        if (FileResult written = out.Write(kept); !written) {
            return written;
        }
    }
    kept.clear();
    filter.Finish(kept);
    return out.Write(kept);
}

SetOutcome ExportSet(FileSystem& fs, const std::vector<ExportItem>& items) {
    SetOutcome outcome;
    // Anything but a regular file where a database file goes is the user's, not ours to
    // replace (and a folder cannot be replaced by a file anyway).
    for (const ExportItem& item : items) {
        const std::filesystem::path folder = item.destination.has_parent_path()
                                                 ? item.destination.parent_path()
                                                 : std::filesystem::path(".");
        FileStatus status;
        if (outcome.result = fs.Status(folder, status); !outcome.result) {
            return outcome;
        }
        if (status.kind != FileKind::Folder) {
            outcome.result = FileResult::FromErrno(FileStep::Check, folder, ENOENT);
            return outcome;
        }
        if (outcome.result = fs.Status(item.destination, status); !outcome.result) {
            return outcome;
        }
        if (status.kind != FileKind::Missing && status.kind != FileKind::Regular) {
            outcome.result = FileResult::Failure(
                FileStep::Check, item.destination, make_error_code(FileProblem::NotRegularFile),
                status.kind == FileKind::Folder ? u"a folder" : u"not a file");
            return outcome;
        }
    }
    std::vector<ReplacementFile> files;
    files.reserve(items.size());
    for (const ExportItem& item : items) {
        ReplacementFile& file = files.emplace_back(fs, item.destination);
        if (outcome.result = file.Create(); !outcome.result) {
            return outcome;
        }
        if (outcome.result = ExportInto(fs, item.source, file); !outcome.result) {
            return outcome;
        }
        if (outcome.result = file.Seal(true); !outcome.result) {
            return outcome;
        }
    }
    // One file needs no set: its rename replaces the old one in a single step.
    if (files.size() == 1) {
        outcome.result = files.front().Commit();
        return outcome;
    }
    FileSet set(fs);
    for (ReplacementFile& file : files) {
        set.Replace(file.HandOver(), file.Destination());
    }
    return set.Commit();
}

FileResult ExportFile(FileSystem& fs, const std::filesystem::path& src,
                      const std::filesystem::path& dst) {
    return ExportSet(fs, {{src, dst}}).result;
}

int ExportCopy(const std::filesystem::path& src, const std::filesystem::path& dst) {
    return ExportFile(FileSystem::System(), src, dst) ? 0 : -1;
}

}  // namespace vesko
