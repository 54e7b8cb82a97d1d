#include "pages/icons/icon_file_changes.h"

#include <algorithm>
#include <string_view>

#include "base/file_result.h"
#include "base/platform.h"

namespace vesko {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kFailureHeading = u"Some icon files could not be changed:";
// A read-only folder fails for every service: the message stays readable.
constexpr std::size_t kListedFailures = 15;

std::u16string Quoted(const fs::path& file) {
    return u"\"" + file.filename().u16string() + u"\"";
}

}  // namespace

bool IsSameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

bool IconFileChanges::Fail(std::u16string what, std::error_code cause) {
    m_failures.push_back({std::move(what), cause});
    return false;
}

bool IconFileChanges::CopyReplacing(const fs::path& from, const fs::path& to) {
    fs::path part = to;
    part.replace_filename(u"." + to.filename().u16string() + u".part");
    std::error_code ec;
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, ec);
    if (!ec) {
        fs::rename(part, to, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(part, ignored);
        return Fail(u"Copy " + Quoted(from) + u" to " + Quoted(to), ec);
    }
    return true;
}

bool IconFileChanges::MoveReplacing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) {
        return true;
    }
    if (ec != std::errc::cross_device_link) {
        return Fail(u"Move " + Quoted(from) + u" to " + Quoted(to), ec);
    }
    // A picture chosen on another disk: the copy takes its place, then it leaves its
    // folder as a move on the same disk would.
    return CopyReplacing(from, to) && Remove(from);
}

bool IconFileChanges::RenameNew(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        return Fail(u"Rename " + Quoted(from) + u" to " + Quoted(to),
                    std::make_error_code(std::errc::file_exists));
    }
    fs::rename(from, to, ec);
    return ec ? Fail(u"Rename " + Quoted(from) + u" to " + Quoted(to), ec) : true;
}

bool IconFileChanges::Remove(const fs::path& file) {
    std::error_code ec;
    fs::remove(file, ec);
    return ec ? Fail(u"Delete " + Quoted(file), ec) : true;
}

void IconFileChanges::Report(Platform& platform) const {
    if (m_failures.empty()) {
        return;
    }
    std::u16string text(kFailureHeading);
    const std::size_t listed = std::min(m_failures.size(), kListedFailures);
    for (std::size_t i = 0; i < listed; ++i) {
        text += u"\n" + m_failures[i].what + u": " + DescribeCause(m_failures[i].cause);
    }
    if (m_failures.size() > listed) {
        const std::string more = std::to_string(m_failures.size() - listed);
        text += u"\n... and " + std::u16string(more.begin(), more.end()) + u" more";
    }
    platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

}  // namespace vesko
