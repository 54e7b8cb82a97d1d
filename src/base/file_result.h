#pragma once
// The outcome of a file operation as a value: what was being done, to which file and
// the system's reason. Messages built from it tell the user why something failed
// ("tv_prog.xml: no space left on the device"), not only that it did.

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace vesko {

// The step that failed.
enum class FileStep {
    Read,          // opening or reading a file
    Write,         // creating or writing a file (its temporary file included)
    Flush,         // forcing written bytes onto the disk
    Rename,        // moving a written file into place
    Remove,        // deleting a file or folder
    CreateFolder,  // making a folder
    Check,         // a file or folder that is not what it must be (type, owner, content)
};

// Reasons of our own, for failures the system does not report as an error number.
enum class FileProblem {
    NotRegularFile = 1,  // a FIFO, device or folder where a file must be
    NotWellFormed,       // an XML file the engine cannot parse completely
    Missing,             // a file that must exist is gone
    Unsafe,              // a folder owned by another user, open to others or a link
    Skipped,             // not attempted because an earlier step of the same task failed
    Unsupported,         // content the step cannot handle (an encoding, say)
};

const std::error_category& FileProblemCategory();
std::error_code make_error_code(FileProblem problem);

struct FileError {
    FileStep step = FileStep::Read;
    std::filesystem::path file;
    std::error_code cause;
    std::u16string detail;  // optional extra words (where a parse stopped, ...)
};

// Success, or the failure that ended an operation.
class FileResult {
public:
    FileResult() = default;
    FileResult(FileError error) : m_error(std::move(error)) {}  // NOLINT: a failure converts
    static FileResult Failure(FileStep step, std::filesystem::path file, std::error_code cause,
                              std::u16string detail = {}) {
        return FileError{step, std::move(file), cause, std::move(detail)};
    }
    // The errno of the last failed system call as a failure.
    static FileResult FromErrno(FileStep step, std::filesystem::path file, int errorNumber);

    bool Ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return Ok(); }
    const FileError& Error() const { return *m_error; }

private:
    std::optional<FileError> m_error;
};

// The reason alone, in words a user understands ("no space left on the device").
std::u16string DescribeCause(const std::error_code& cause);
// "tv_prog.xml: no space left on the device" (the file's name, not its whole path).
std::u16string DescribeFileError(const FileError& error);

}  // namespace vesko

namespace std {
template <>
struct is_error_code_enum<vesko::FileProblem> : true_type {};
}  // namespace std
