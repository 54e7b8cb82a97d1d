#include "base/file_result.h"

#include <cctype>
#include <cerrno>
#include <string_view>

namespace vesko {

namespace {

class ProblemCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "vesko-file"; }
    std::string message(int value) const override {
        switch (static_cast<FileProblem>(value)) {
            case FileProblem::NotRegularFile:
                return "not a regular file";
            case FileProblem::NotWellFormed:
                return "the file is damaged (not well-formed XML)";
            case FileProblem::Missing:
                return "the file is missing";
            case FileProblem::Unsafe:
                return "not safe to use";
            case FileProblem::Skipped:
                return "not written because an earlier step failed";
            case FileProblem::Unsupported:
                return "content that cannot be handled";
        }
        return "unknown problem";
    }
};

std::u16string Widen(std::string_view text) {
    // Our own texts and the C library's messages in the "C" locale are ASCII.
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text) {
        wide.push_back(static_cast<unsigned char>(c));
    }
    return wide;
}

// The system's words for the errors a user meets with files, worded for a sentence.
std::u16string_view KnownCause(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return u"no space left on the device";
        case EDQUOT:
            return u"the disk quota is exhausted";
        case EACCES:
        case EPERM:
            return u"permission denied";
        case EROFS:
            return u"read-only file system";
        case ENOENT:
            return u"not found";
        case EIO:
            return u"input/output error";
        case EISDIR:
            return u"is a folder";
        case ENOTDIR:
            return u"a part of the path is not a folder";
        case ENAMETOOLONG:
            return u"the name is too long";
        case EBUSY:
            return u"the file is in use";
        case EFBIG:
            return u"the file is too large";
        default:
            return {};
    }
}

}  // namespace

const std::error_category& FileProblemCategory() {
    static const ProblemCategory category;
    return category;
}

std::error_code make_error_code(FileProblem problem) {
    return {static_cast<int>(problem), FileProblemCategory()};
}

FileResult FileResult::FromErrno(FileStep step, std::filesystem::path file, int errorNumber) {
    // Never report success for a failed call whose library forgot to set errno.
    return Failure(step, std::move(file),
                   std::error_code(errorNumber != 0 ? errorNumber : EIO, std::generic_category()));
}

std::u16string DescribeCause(const std::error_code& cause) {
    if (cause.category() == std::generic_category() || cause.category() == std::system_category()) {
        if (const std::u16string_view known = KnownCause(cause.value()); !known.empty()) {
            return std::u16string(known);
        }
    }
    std::string message = cause.message();
    if (!message.empty()) {
        message[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    }
    return Widen(message);
}

std::u16string DescribeFileError(const FileError& error) {
    std::u16string text = error.file.filename().u16string();
    if (text.empty()) {
        text = error.file.u16string();
    }
    text += u": ";
    text += DescribeCause(error.cause);
    if (!error.detail.empty()) {
        text += u" (";
        text += error.detail;
        text += u")";
    }
    return text;
}

}  // namespace vesko
