#include "database/database_folder.h"

#include <ctime>
#include <system_error>

#include "base/platform.h"
#include "database/damage_report.h"
#include "database/export_copy.h"
#include "database/schema.h"
#include "database/working_copies.h"
#include "xml/encoding.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::u16string_view kFolderChooserTitle = u"please select XML dir";
constexpr std::u16string_view kOpenFailedMessage =
    u"Unable to load all the documents or file missing,please check your files";
constexpr std::u16string_view kExitQuestion = u"         Save and leave ?";
constexpr std::u16string_view kOpenIncompleteMessage =
    u"The folder could not be opened; the open database stays as it was:";
constexpr std::u16string_view kSaveFailedMessage =
    u"Nothing was saved; the files of the folder are as they were before:";
constexpr std::u16string_view kSaveUndoneFailedMessage =
    u"The save failed, and these files could not be put back as they were:";
constexpr std::u16string_view kSaveLeftoverMessage =
    u"The folder was saved, but these temporary files could not be removed:";
constexpr std::u16string_view kDamagedOpenMessage =
    u"These files are damaged (not well-formed XML) and were opened as far as they could be "
    u"read:";
constexpr std::u16string_view kChangedSaveQuestion =
    u"Another program changed these files of the folder since the editor opened or last "
    u"saved them:";
constexpr std::u16string_view kChangedSaveEnd =
    u"\n\nSave overwrites those changes with the editor's. Save all the same?";
constexpr std::u16string_view kBackupFailedQuestion =
    u"The files of the folder could not be backed up before they are overwritten:";
constexpr std::u16string_view kDamagedSaveQuestion =
    u"These files were damaged when the folder was opened, and their edited copies would "
    u"replace them:";
// Working copies of a folder being opened are made in a fresh folder of this name
// first, so that a failed open leaves the current ones alone.
constexpr const char* kStagingPrefix = "opening-";

bool IsMissing(const FileResult& result) {
    const std::error_code& cause = result.Error().cause;
    return cause == std::errc::no_such_file_or_directory || cause == std::errc::not_a_directory;
}

FileResult CheckReadable(FileSystem& fs, const std::filesystem::path& path) {
    FileHandle file;
    return fs.OpenForReading(path, file);
}

std::filesystem::path WithTrailingSeparator(const std::filesystem::path& folder) {
    std::string text = folder.string();
    if (!text.empty() && text.back() != '/') {
        text += '/';
    }
    return text;
}

std::u16string ToU16(const std::filesystem::path& path) {
    return DecodeToUtf16(kCodePageUtf8, path.string());
}

std::u16string Lines(std::u16string_view heading, const std::vector<FileError>& errors) {
    std::u16string text(heading);
    for (const FileError& error : errors) {
        text += u"\n";
        text += DescribeFileError(error);
    }
    return text;
}

template <class Visit>
void ForEachDatabaseFile(Visit&& visit) {
    for (const DatabaseFile& file : kRequiredFiles) {
        visit(file);
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        visit(file);
    }
}

}  // namespace

// The database files found in a folder being opened, and where their new working
// copies wait.
struct CDatabaseFolder::Staged {
    std::filesystem::path folder;
    std::vector<const DatabaseFile*> files;
    std::vector<std::pair<std::string, std::u16string>> damaged;
};

CDatabaseFolder::CDatabaseFolder(Platform& platform, FileSystem& fs)
    : m_platform(platform), m_fs(fs) {}

bool CDatabaseFolder::OpenFolder(const std::filesystem::path& folder, OpenSource /*source*/,
                                 const std::function<void()>& reloadPages) {
    if (!CheckRequiredFiles(folder)) {
        m_platform.ShowMessage(kMessageCaption, kOpenFailedMessage, MessageButtons::Ok);
        return false;
    }
    Staged staged;
    FileResult result = MakeWorkingCopies(folder, staged);
    if (result) {
        result = ReplaceWorkingCopies(staged);
    }
    if (!staged.folder.empty()) {
        m_fs.RemoveAll(staged.folder);
    }
    if (!result) {
        m_platform.ShowMessage(kMessageCaption, Lines(kOpenIncompleteMessage, {result.Error()}),
                               MessageButtons::Ok);
        return false;
    }

    std::vector<std::string> names;
    for (const DatabaseFile* file : staged.files) {
        names.emplace_back(file->workingCopy);
    }
    WorkingCopies::Current().SetExpected(std::move(names));
    m_folderPath = folder;
    m_damaged = std::move(staged.damaged);
    m_stamps = TakeFolderStamps(m_fs, folder);
    m_backedUp = false;
    if (reloadPages) {
        reloadPages();
    }
    m_databaseOpen = true;
    ReportDamage();
    return true;
}

// Every required file is looked at before anything is written, so that the user sees
// every missing one at once and a folder that cannot open changes nothing.
bool CDatabaseFolder::CheckRequiredFiles(const std::filesystem::path& folder) {
    bool complete = true;
    for (const DatabaseFile& file : kRequiredFiles) {
        const FileResult usable = CheckReadable(m_fs, folder / file.fileName);
        if (usable) {
            continue;
        }
        complete = false;
        std::u16string text(file.missingMessage);
        if (!IsMissing(usable)) {
            text += u"\n" + DescribeFileError(usable.Error());  // there, but not readable
        }
        m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
    }
    return complete;
}

// Copies every database file through the XML engine, in the file's own encoding, into
// a fresh staging folder inside the working folder; each copy is flushed to disk and
// checked.
FileResult CDatabaseFolder::MakeWorkingCopies(const std::filesystem::path& folder, Staged& staged) {
    for (const DatabaseFile& file : kRequiredFiles) {
        staged.files.push_back(&file);
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        const FileResult usable = CheckReadable(m_fs, folder / file.fileName);
        if (usable) {
            staged.files.push_back(&file);
        } else if (usable.Error().cause == FileProblem::NotRegularFile) {
            // An optional file may be absent, but a FIFO or device in its place is not
            // silently left out.
            m_platform.ShowMessage(kMessageCaption,
                                   DescribeFileError(usable.Error()) + u"\nIt was left out.",
                                   MessageButtons::Ok);
        } else if (!IsMissing(usable)) {
            return usable;  // there, but unreadable: the open would be incomplete
        }
    }
    if (FileResult made = m_fs.CreateUniqueFolder(kStagingPrefix, staged.folder); !made) {
        staged.folder.clear();
        return made;
    }
    for (const DatabaseFile* file : staged.files) {
        const std::filesystem::path source = folder / file->fileName;
        CXmlDoc doc;  // a fresh document per file: no mark or flag leaks into the next
        if (!doc.Load(source)) {
            if (doc.GetFileError()) {
                return FileResult::Failure(FileStep::Read, source, doc.GetFileError());
            }
            // Not well-formed: copied as read, so that nothing of it is lost.
            staged.damaged.emplace_back(file->fileName, DescribeDamage(doc));
        }
        if (FileResult saved = SaveDocumentReplacing(m_fs, doc, staged.folder / file->workingCopy);
            !saved) {
            return saved;
        }
    }
    return {};
}

// The staged copies replace the current ones as one set; copies the new folder does not
// have (an optional file, the reserved one) go with it.
FileResult CDatabaseFolder::ReplaceWorkingCopies(const Staged& staged) {
    FileSet set(m_fs);
    const auto isStaged = [&staged](const DatabaseFile& file) {
        for (const DatabaseFile* s : staged.files) {
            if (s == &file) {
                return true;
            }
        }
        return false;
    };
    ForEachDatabaseFile([&](const DatabaseFile& file) {
        if (isStaged(file)) {
            set.Replace(staged.folder / file.workingCopy, file.workingCopy);
        } else {
            set.Remove(file.workingCopy);
        }
    });
    set.Remove(kRelationshipWork);
    SetOutcome outcome = set.Commit();
    // Old copies that could not be removed only take room in the private folder, which
    // goes at exit.
    return outcome.result;
}

void CDatabaseFolder::ReportDamage() {
    if (m_damaged.empty()) {
        return;
    }
    std::u16string text(kDamagedOpenMessage);
    for (const auto& [name, where] : m_damaged) {
        text += u"\n" + ToU16(name) + u": " + where;
    }
    text += u"\n\nSave asks before an edited copy replaces one of them.";
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

bool CDatabaseFolder::OpenFromChooser(const std::filesystem::path& startIn,
                                      const std::function<void()>& reloadPages) {
    const std::filesystem::path chosen = m_platform.ChooseFolder(kFolderChooserTitle, startIn);
    if (chosen.empty()) {
        return false;
    }
    return OpenFolder(WithTrailingSeparator(chosen), OpenSource::Menu, reloadPages);
}

SetOutcome CDatabaseFolder::SaveToFolder(const std::filesystem::path& folder) {
    std::vector<ExportItem> items;
    for (const DatabaseFile& file : kRequiredFiles) {
        items.push_back({file.workingCopy, folder / file.fileName});
    }
    // Cable before terrestrial; an optional file is only ever replaced, never created.
    const auto& expected = WorkingCopies::Current().Expected();
    for (const DatabaseFile* file : {&kOptionalFiles[1], &kOptionalFiles[0]}) {
        const std::filesystem::path target = folder / file->fileName;
        FileStatus there;
        FileStatus copy;
        // A file that cannot even be looked at stops the save: it is never silently left
        // as it was beside new files.
        SetOutcome outcome;
        if (outcome.result = m_fs.Status(target, there); !outcome.result) {
            return outcome;
        }
        if (outcome.result = m_fs.Status(file->workingCopy, copy); !outcome.result) {
            return outcome;
        }
        if (there.kind != FileKind::Regular ||
            (copy.kind == FileKind::Missing && !expected.contains(file->workingCopy))) {
            continue;
        }
        items.push_back({file->workingCopy, target});
    }
    return ExportSet(m_fs, items);
}

void CDatabaseFolder::ReportSave(const SetOutcome& outcome, const std::filesystem::path& folder) {
    std::u16string text;
    if (!outcome.unrestored.empty()) {
        text = Lines(kSaveUndoneFailedMessage, outcome.unrestored);
        text += u"\n\nThe save failed because of " + DescribeFileError(outcome.result.Error());
    } else if (!outcome.result) {
        text = Lines(kSaveFailedMessage, {outcome.result.Error()});
    } else if (!outcome.leftovers.empty()) {
        text = Lines(kSaveLeftoverMessage, outcome.leftovers);
    } else {
        return;
    }
    text += u"\n\n" + ToU16(folder);
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

// An edited copy of a file that was damaged when opened may hold only the part that
// could be read: the user decides before it replaces the file.
bool CDatabaseFolder::ConfirmReplacingDamaged() {
    std::u16string list;
    for (const auto& damaged : m_damaged) {
        ForEachDatabaseFile([&](const DatabaseFile& file) {
            if (file.fileName == damaged.first &&
                WorkingCopies::Current().IsModified(file.workingCopy)) {
                list += u"\n" + ToU16(damaged.first) + u": " + damaged.second;
            }
        });
    }
    if (list.empty()) {
        return true;
    }
    const std::u16string question =
        std::u16string(kDamagedSaveQuestion) + list + u"\n\nSave them all the same?";
    return m_platform.ShowMessage(kMessageCaption, question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

bool CDatabaseFolder::Save() {
    if (!m_databaseOpen) {
        return false;  // no folder: nothing to write to
    }
    if (!ConfirmReplacingDamaged() || !ConfirmOverwritingChanged() || !MakeBackup()) {
        return false;
    }
    const SetOutcome outcome = SaveToFolder(m_folderPath);
    ReportSave(outcome, m_folderPath);
    if (!outcome.result) {
        return false;
    }
    WorkingCopies::Current().MarkSaved();
    m_stamps = TakeFolderStamps(m_fs, m_folderPath);
    return true;
}

// The files Save writes are those whose working copies the database has; any of them
// that another program (or another editor) changed since they were last read or
// written here would be lost without a word.
bool CDatabaseFolder::ConfirmOverwritingChanged() {
    std::vector<std::string> written;
    const auto& expected = WorkingCopies::Current().Expected();
    ForEachDatabaseFile([&](const DatabaseFile& file) {
        if (expected.contains(file.workingCopy)) {
            written.emplace_back(file.fileName);
        }
    });
    const std::vector<std::string> changed =
        FilesChangedSince(m_fs, m_folderPath, m_stamps, written);
    if (changed.empty()) {
        return true;
    }
    std::u16string question(kChangedSaveQuestion);
    for (const std::string& name : changed) {
        question += u"\n" + ToU16(name);
    }
    question += kChangedSaveEnd;
    return m_platform.ShowMessage(kMessageCaption, question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

// Before the first Save of a session overwrites the folder's files, they are copied as
// they are into the backup store. A backup that fails is said, and the user decides.
bool CDatabaseFolder::MakeBackup() {
    if (!m_backups || m_backedUp) {
        return true;
    }
    const FileResult made = m_backups->Make(m_folderPath, std::time(nullptr));
    if (!made) {
        const std::u16string question = std::u16string(kBackupFailedQuestion) + u"\n" +
                                        DescribeFileError(made.Error()) +
                                        u"\n\nSave without a backup?";
        if (m_platform.ShowMessage(kMessageCaption, question, MessageButtons::OkCancel) !=
            MessageAnswer::Ok) {
            return false;
        }
    }
    m_backedUp = true;
    return true;
}

void CDatabaseFolder::SaveTo(const std::filesystem::path& startIn) {
    if (!m_databaseOpen) {
        return;
    }
    const std::filesystem::path chosen = m_platform.ChooseFolder(kFolderChooserTitle, startIn);
    if (chosen.empty()) {
        return;
    }
    const std::filesystem::path folder = WithTrailingSeparator(chosen);
    std::error_code error;
    if (std::filesystem::equivalent(folder, m_folderPath, error)) {
        Save();  // the open folder itself: everything Save asks and keeps applies
        return;
    }
    ReportSave(SaveToFolder(folder), folder);
}

void CDatabaseFolder::DiscardWorkingCopies() {
    ForEachDatabaseFile([this](const DatabaseFile& file) { m_fs.Remove(file.workingCopy); });
    m_fs.Remove(kRelationshipWork);
}

bool CDatabaseFolder::HasUnsavedChanges() const {
    return m_databaseOpen && WorkingCopies::Current().IsModified();
}

bool CDatabaseFolder::ConfirmExit() {
    if (HasUnsavedChanges()) {
        switch (
            m_platform.ShowMessage(kMessageCaption, kExitQuestion, MessageButtons::YesNoCancel)) {
            case MessageAnswer::Yes:
                if (!Save()) {
                    return false;  // the user's changes are still only in the working copies
                }
                break;
            case MessageAnswer::No:
                break;
            default:
                return false;
        }
    }
    DiscardWorkingCopies();
    return true;
}

bool CDatabaseFolder::ConfirmLeaveCurrent() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    switch (m_platform.ShowMessage(kMessageCaption, kExitQuestion, MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            return Save();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace vesko
