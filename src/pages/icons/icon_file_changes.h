#pragma once
// The file operations of the Icon page on its icon folder, each checked: what fails is
// collected and told once, in one message that names every file, instead of leaving
// the user to wonder why a picture did not change.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace vesko {

class Platform;

class IconFileChanges {
public:
    // Copies `from` over `to` through a temporary file beside `to`, so that a copy that
    // fails half-way never leaves a damaged picture behind.
    bool CopyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
    // Moves `from` over `to`; across file systems, as a copy followed by the removal of
    // `from`. When the move fails, `to` keeps what it held.
    bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
    // Renames `from` to `to` only when `to` does not exist yet.
    bool RenameNew(const std::filesystem::path& from, const std::filesystem::path& to);
    bool Remove(const std::filesystem::path& file);

    bool Failed() const { return !m_failures.empty(); }
    // One message listing the failures (nothing when there were none).
    void Report(Platform& platform) const;

private:
    struct Failure {
        std::u16string what;  // "Copy "BBC One.jpg" to "0_0_0_C0_2E02_1_4D2.jpg""
        std::error_code cause;
    };
    bool Fail(std::u16string what, std::error_code cause);

    std::vector<Failure> m_failures;
};

// True when both paths name one existing file.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace vesko
