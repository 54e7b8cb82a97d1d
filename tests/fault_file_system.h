#pragma once
// A file system that fails where a test wants it to: every call is a numbered step, and
// the step numbered `failAt` fails once with `cause` (without doing anything), or every
// write fails once a file has received `writeLimit` bytes, as on a full disk. Running an
// operation once to count its steps and then once per step with that step failing
// reaches every failure path there is. Flushes to the disk are only counted, not made:
// the tests need their failures, not their durability, and they are the slow part.

#include <map>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace vesko::testing {

class FaultyFileSystem : public FileSystem {
public:
    int failAt = 0;  // 1-based; 0 fails nothing
    std::errc cause = std::errc::io_error;
    long writeLimit = -1;
    std::string onlyKind;  // when set, only calls of this kind count as steps
    int steps = 0;
    std::vector<std::string> log;  // "Rename tv_prog.xml", ... of the counted steps

    // Counts and fails from the next call on.
    void Arm(int step, std::string kind = {}) {
        failAt = step;
        onlyKind = std::move(kind);
        steps = 0;
        log.clear();
    }
    bool Triggered() const { return failAt > 0 && steps >= failAt; }

    FileResult Status(const std::filesystem::path& p, FileStatus& s, bool follow) override {
        s = {};
        return Step("Status", p) ? FileSystem::Status(p, s, follow) : Fail(FileStep::Check, p);
    }
    FileResult OpenForReading(const std::filesystem::path& p, FileHandle& f) override {
        return Step("OpenForReading", p) ? FileSystem::OpenForReading(p, f)
                                         : Fail(FileStep::Read, p);
    }
    FileResult Read(FileHandle& f, char* d, std::size_t n, std::size_t& got) override {
        got = 0;
        return Step("Read", f.Path()) ? FileSystem::Read(f, d, n, got)
                                      : Fail(FileStep::Read, f.Path());
    }
    FileResult CreateTemporary(const std::filesystem::path& b, std::filesystem::path& t,
                               FileHandle& f) override {
        return Step("CreateTemporary", b) ? FileSystem::CreateTemporary(b, t, f)
                                          : Fail(FileStep::Write, b);
    }
    FileResult Write(FileHandle& f, std::string_view bytes) override {
        if (!Step("Write", f.Path())) {
            return Fail(FileStep::Write, f.Path());
        }
        long& written = m_written[f.Path().string()];
        if (writeLimit >= 0 && written + static_cast<long>(bytes.size()) > writeLimit) {
            FileSystem::Write(f, bytes.substr(0, static_cast<std::size_t>(writeLimit - written)));
            written = writeLimit;
            return FileResult::Failure(FileStep::Write, f.Path(),
                                       std::make_error_code(std::errc::no_space_on_device));
        }
        written += static_cast<long>(bytes.size());
        return FileSystem::Write(f, bytes);
    }
    FileResult Sync(FileHandle& f) override {
        return Step("Sync", f.Path()) ? FileResult() : Fail(FileStep::Flush, f.Path());
    }
    FileResult SetPermissions(FileHandle& f, std::uint32_t m) override {
        return Step("SetPermissions", f.Path()) ? FileSystem::SetPermissions(f, m)
                                                : Fail(FileStep::Write, f.Path());
    }
    FileResult Close(FileHandle& f) override {
        return Step("Close", f.Path()) ? FileSystem::Close(f) : Fail(FileStep::Write, f.Path());
    }
    FileResult Rename(const std::filesystem::path& a, const std::filesystem::path& b) override {
        return Step("Rename", b) ? FileSystem::Rename(a, b) : Fail(FileStep::Rename, b);
    }
    FileResult Remove(const std::filesystem::path& p) override {
        return Step("Remove", p) ? FileSystem::Remove(p) : Fail(FileStep::Remove, p);
    }
    FileResult RemoveAll(const std::filesystem::path& p) override {
        return Step("RemoveAll", p) ? FileSystem::RemoveAll(p) : Fail(FileStep::Remove, p);
    }
    FileResult CreateFolder(const std::filesystem::path& p, std::uint32_t m) override {
        return Step("CreateFolder", p) ? FileSystem::CreateFolder(p, m)
                                       : Fail(FileStep::CreateFolder, p);
    }
    FileResult CreateUniqueFolder(const std::filesystem::path& p,
                                  std::filesystem::path& made) override {
        return Step("CreateUniqueFolder", p) ? FileSystem::CreateUniqueFolder(p, made)
                                             : Fail(FileStep::CreateFolder, p);
    }
    FileResult SyncFolder(const std::filesystem::path& p) override {
        return Step("SyncFolder", p) ? FileResult() : Fail(FileStep::Flush, p);
    }

private:
    bool Step(const char* kind, const std::filesystem::path& path) {
        if (!onlyKind.empty() && onlyKind != kind) {
            return true;
        }
        log.push_back(std::string(kind) + " " + path.string());
        return ++steps != failAt;
    }
    FileResult Fail(FileStep step, const std::filesystem::path& path) const {
        return FileResult::Failure(step, path, std::make_error_code(cause));
    }

    std::map<std::string, long> m_written;
};

}  // namespace vesko::testing
