#include "database/database_folder.h"

#include <fstream>
#include <system_error>

#include "base/platform.h"
#include "database/export_copy.h"
#include "database/schema.h"
#include "xml/encoding.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace {

constexpr std::u16string_view kFolderChooserTitle = u"please select XML dir";
constexpr std::u16string_view kOpenFailedMessage =
    u"Unable to load all the documents or file missing,please check your files";
constexpr std::u16string_view kExitQuestion = u"         Save and leave ?";
constexpr std::u16string_view kSaveFailedMessage = u"These files could not be written:";
// Working copies of a folder being opened are made here first, so that a failed open
// leaves the current ones alone.
constexpr const char* kStagingFolder = "opening";

bool CanOpenForReading(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

// Copies a database file through the XML engine into a working copy, in the file's own
// encoding. A fresh document per file keeps one file's byte-order mark from leaking into
// the next.
bool MakeWorkingCopy(const std::filesystem::path& source, const std::filesystem::path& copy) {
    CXmlDoc doc;
    doc.Load(source);  // a file that is not well formed is still copied as read
    return doc.Save(copy);
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

}  // namespace

CDatabaseFolder::CDatabaseFolder(Platform& platform) : m_platform(platform) {}

bool CDatabaseFolder::OpenFolder(const std::filesystem::path& folder, OpenSource /*source*/,
                                 const std::function<void()>& reloadPages) {
    std::error_code ec;
    const std::filesystem::path staging = kStagingFolder;
    std::filesystem::remove_all(staging, ec);
    std::filesystem::create_directory(staging, ec);

    // Every required file is tried, so the user sees every missing one at once.
    bool complete = true;
    for (const DatabaseFile& file : kRequiredFiles) {
        const std::filesystem::path source = folder / file.fileName;
        if (!CanOpenForReading(source)) {
            m_platform.ShowMessage(kMessageCaption, file.missingMessage, MessageButtons::Ok);
            complete = false;
            continue;
        }
        complete = MakeWorkingCopy(source, staging / file.workingCopy) && complete;
    }
    if (!complete) {
        m_platform.ShowMessage(kMessageCaption, kOpenFailedMessage, MessageButtons::Ok);
        std::filesystem::remove_all(staging, ec);
        return false;
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        const std::filesystem::path source = folder / file.fileName;
        if (CanOpenForReading(source)) {
            MakeWorkingCopy(source, staging / file.workingCopy);
        }
    }

    // The new folder is complete: only now do its working copies replace the old ones.
    if (!ReplaceWorkingCopies(staging)) {
        m_platform.ShowMessage(kMessageCaption, kOpenFailedMessage, MessageButtons::Ok);
        std::filesystem::remove_all(staging, ec);
        return false;
    }
    std::filesystem::remove_all(staging, ec);

    m_folderPath = folder;
    m_changeCount = 0;
    if (reloadPages) {
        reloadPages();
    }
    m_databaseOpen = true;
    return true;
}

// Each staged copy is renamed over the current one (a rename replaces a file in one
// step); copies the new folder does not have are deleted afterwards. False when a copy
// could not be moved into place.
bool CDatabaseFolder::ReplaceWorkingCopies(const std::filesystem::path& staging) {
    std::error_code ec;
    std::vector<std::filesystem::path> staged;
    for (const auto& entry : std::filesystem::directory_iterator(staging, ec)) {
        staged.push_back(entry.path().filename());
    }
    for (const auto& name : staged) {
        std::filesystem::rename(staging / name, name, ec);
        if (ec) {
            return false;
        }
    }
    const auto stays = [&staged](std::string_view name) {
        for (const auto& s : staged) {
            if (s == name) {
                return true;
            }
        }
        return false;
    };
    for (const DatabaseFile& file : kOptionalFiles) {
        if (!stays(file.workingCopy)) {
            std::filesystem::remove(file.workingCopy, ec);
        }
    }
    std::filesystem::remove(kRelationshipWork, ec);
    return true;
}

bool CDatabaseFolder::OpenFromChooser(const std::function<void()>& reloadPages) {
    const std::filesystem::path chosen = m_platform.ChooseFolder(kFolderChooserTitle);
    if (chosen.empty()) {
        return false;
    }
    return OpenFolder(WithTrailingSeparator(chosen), OpenSource::Menu, reloadPages);
}

std::vector<std::filesystem::path> CDatabaseFolder::SaveToFolder(
    const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> failed;
    for (const DatabaseFile& file : kRequiredFiles) {
        const std::filesystem::path target = folder / file.fileName;
        if (ExportCopy(file.workingCopy, target) != 0) {
            failed.push_back(target);
        }
    }
    // Cable before terrestrial; an optional file is only ever replaced, never created.
    for (const DatabaseFile* file : {&kOptionalFiles[1], &kOptionalFiles[0]}) {
        const std::filesystem::path target = folder / file->fileName;
        std::error_code ec;
        if (!CanOpenForReading(target) || !std::filesystem::exists(file->workingCopy, ec)) {
            continue;
        }
        if (ExportCopy(file->workingCopy, target) != 0) {
            failed.push_back(target);
        }
    }
    return failed;
}

void CDatabaseFolder::ReportFailedFiles(const std::vector<std::filesystem::path>& failed) {
    if (failed.empty()) {
        return;
    }
    std::u16string text(kSaveFailedMessage);
    for (const auto& path : failed) {
        text += u"\n";
        text += ToU16(path);
    }
    m_platform.ShowMessage(kMessageCaption, text, MessageButtons::Ok);
}

bool CDatabaseFolder::Save() {
    if (!m_databaseOpen) {
        return false;  // no folder: nothing to write to
    }
    const auto failed = SaveToFolder(m_folderPath);
    ReportFailedFiles(failed);
    if (!failed.empty()) {
        return false;
    }
    m_changeCount = 0;
    return true;
}

void CDatabaseFolder::SaveTo() {
    if (!m_databaseOpen) {
        return;
    }
    const std::filesystem::path chosen = m_platform.ChooseFolder(kFolderChooserTitle);
    if (chosen.empty()) {
        return;
    }
    ReportFailedFiles(SaveToFolder(WithTrailingSeparator(chosen)));
}

void CDatabaseFolder::DiscardWorkingCopies() {
    std::error_code ec;
    for (const DatabaseFile& file : kRequiredFiles) {
        std::filesystem::remove(file.workingCopy, ec);
    }
    for (const DatabaseFile& file : kOptionalFiles) {
        std::filesystem::remove(file.workingCopy, ec);
    }
    std::filesystem::remove(kRelationshipWork, ec);
}

bool CDatabaseFolder::ConfirmExit(int pageChanges) {
    m_changeCount += pageChanges;
    if (m_changeCount != 0 && m_databaseOpen) {
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

bool CDatabaseFolder::ConfirmLeaveCurrent(int pageChanges) {
    if (!m_databaseOpen || m_changeCount + pageChanges == 0) {
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
