#include "pages/icons/icon_page.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

#include "base/platform.h"
#include "base/settings.h"
#include "database/schema.h"
#include "database/working_copy.h"
#include "pages/icons/icon_file_changes.h"
#include "pages/icons/icon_name.h"
#include "pages/icons/transponder_description.h"
#include "pages/search/search_dlg.h"
#include "xml/start_tag_attributes.h"
#include "xml/xml_doc.h"

namespace vesko {

namespace fs = std::filesystem;

namespace {

std::u16string ThreeDigits(int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", value);
    return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

// The chooser may move the process's current directory, where the working copies are.
class KeepCurrentDirectory {
public:
    KeepCurrentDirectory() : m_path(fs::current_path(m_error)) {}
    ~KeepCurrentDirectory() {
        if (!m_error) {
            fs::current_path(m_path, m_error);
        }
    }
    KeepCurrentDirectory(const KeepCurrentDirectory&) = delete;
    KeepCurrentDirectory& operator=(const KeepCurrentDirectory&) = delete;

private:
    std::error_code m_error;
    fs::path m_path;
};

bool CanOpen(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && std::ifstream(file, std::ios::binary).is_open();
}

// Every key-based name starts alike; no letter in the prefix, so case never matters.
bool LooksKeyBased(const fs::path& file) {
    return file.filename().u16string().starts_with(kKeyNamePrefix);
}

// A name-based icon and the services named after it.
struct NamedIcon {
    fs::path file;
    std::vector<std::size_t> records;
};

// Gives every target the picture of a name-based icon: copies, and for the last target
// a rename, which also takes the name-based file away, but only once every copy made
// from it succeeded (otherwise the last target gets a copy too and the file stays). A
// file to keep (some service's key-based icon) is only copied from.
void RenameNamedIcon(const fs::path& file, const std::vector<const fs::path*>& targets,
                     bool keepFile, IconFileChanges& changes) {
    if (targets.empty()) {
        return;
    }
    bool copied = true;
    for (std::size_t i = 0; i + 1 < targets.size(); ++i) {
        copied = changes.CopyReplacing(file, *targets[i]) && copied;
    }
    if (copied && !keepFile) {
        changes.MoveReplacing(file, *targets.back());
    } else {
        changes.CopyReplacing(file, *targets.back());
    }
}

// The regular files of the icon folder by name: one read of the folder instead of a
// look for every service's name-based icon.
std::unordered_set<std::u16string> FilesIn(const fs::path& folder) {
    std::unordered_set<std::u16string> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            files.insert(it->path().filename().u16string());
        }
    }
    return files;
}

}  // namespace

IconPageAction IconPageActionForKey(const KeyPress& key) {
    switch (key.key) {
        case PageKey::PageUp:
        case PageKey::Up:
            return IconPageAction::PageUp;
        case PageKey::PageDown:
        case PageKey::Down:
            return IconPageAction::PageDown;
        case PageKey::Enter:
            return IconPageAction::GoTo;
        case PageKey::LetterF:
            return key.ctrl ? IconPageAction::Search : IconPageAction::Swallow;
        case PageKey::LetterO:
            return key.ctrl ? IconPageAction::LoadIcon : IconPageAction::Swallow;
        case PageKey::Escape:
            return IconPageAction::Swallow;
        default:
            return IconPageAction::None;
    }
}

// Every write of a working copy renames a new file into place, so its size and time
// change with its content; the version catches a copy put back after a failed command.
CIconPage::CountedServices CIconPage::StampOfServices() {
    CountedServices stamp;
    std::error_code sizeError, timeError;
    stamp.size = fs::file_size(kTvProgWork, sizeError);
    stamp.written = fs::last_write_time(kTvProgWork, timeError);
    stamp.version = WorkingCopies::Current().Version(kTvProgWork);
    stamp.valid = !sizeError && !timeError;
    return stamp;
}

int CIconPage::ServiceCount() const {
    CountedServices now = StampOfServices();
    if (now.valid && m_counted.valid && now.size == m_counted.size &&
        now.written == m_counted.written && now.version == m_counted.version) {
        return m_counted.count;
    }
    CXmlDoc doc;
    LoadWorkingCopy(doc, kTvProgWork);
    now.count = static_cast<int>(RootChildren(doc, u"prog").size());
    m_counted = now;
    return now.count;
}

void CIconPage::RememberServiceCount(int count) const {
    m_counted = StampOfServices();
    m_counted.count = count;
}

int CIconPage::PageCount() const {
    return (ServiceCount() + kSlotsPerPage - 1) / kSlotsPerPage;
}

// Entries past the table (services added since it was built) have nothing to match.
void CIconPage::Search(Platform& platform) {
    CSearchDlg form(SearchKind::Program);
    form.m_entryCount = [this] {
        return std::min(ServiceCount(), static_cast<int>(m_table.size()));
    };
    form.m_entryAt = [this](int entry) {
        const SlotRecord& record = m_table[static_cast<std::size_t>(entry)];
        return ProgramEntry{record.serviceLine, record.transponderLine};
    };
    if (!platform.RunDialog(form) || form.m_chosenPage < 0 || !m_loaded) {
        return;
    }
    m_currentSlot = form.m_chosenSlot;
    m_currentPage = form.m_chosenPage;
    ShowPage(m_currentPage);
}

void CIconPage::LoadIconFolder(Platform& platform, Settings& settings) {
    fs::path folder;
    {
        const KeepCurrentDirectory keep;
        // The chooser starts in the icon folder loaded last.
        folder = platform.ChooseFolder(kIconFolderTitle,
                                       fs::path(settings.Value(SettingKey::LastIconFolder)));
    }
    if (folder.empty()) {
        return;
    }
    LoadIconFolderAt(folder, platform);
    settings.SetValue(SettingKey::LastIconFolder, m_iconFolder.u16string());
}

void CIconPage::LoadIconFolderAt(const fs::path& folder, Platform& platform) {
    m_iconFolder = folder;
    m_table.clear();
    BuildSlotTable(platform);
    m_loaded = true;
    // A page past the services of this database would show nothing but empty slots.
    const int pages = PageCount();
    if (m_currentPage >= pages) {
        m_currentPage = 0;
    }
    ++m_pictureGeneration;
    ShowPage(m_currentPage, pages);
}

// One pass over the services, each transponder described from one read of the
// transponder files; then every name-based icon goes to the key-based names of the
// services named after it.
void CIconPage::BuildSlotTable(Platform& platform) {
    const TransponderDescriptions transponders = TransponderDescriptions::Load();
    CXmlDoc doc;
    LoadWorkingCopy(doc, kTvProgWork);
    const std::vector<int> services = RootChildren(doc, u"prog");
    RememberServiceCount(static_cast<int>(services.size()));
    m_table.reserve(services.size());

    const std::unordered_set<std::u16string> files = FilesIn(m_iconFolder);
    const fs::path::string_type folderPrefix = (m_iconFolder / "").native();
    std::vector<NamedIcon> named;  // in the order of their first service
    std::unordered_map<std::u16string, std::size_t> namedIndex;  // by file name
    std::u16string lastSatKey, lastTpKey;
    TransponderDescription where;
    for (std::size_t n = 0; n < services.size(); ++n) {
        const StartTagAttributes prog(doc, services[n]);
        std::u16string name = prog.Get(u"name");
        std::u16string satKey = prog.Get(u"sat_key");
        std::u16string tpKey = prog.Get(u"tp_key");
        if (n == 0 || satKey != lastSatKey || tpKey != lastTpKey) {
            where = transponders.DescribeTransponder(satKey, tpKey);
            lastSatKey = std::move(satKey);
            lastTpKey = std::move(tpKey);
        }
        SlotRecord& record = m_table.emplace_back();
        // Key-based names are ASCII: they join the folder without a conversion.
        const std::u16string keyName = IconFileName(prog.Get(u"service_id"), where.position,
                                                    where.frequency, where.polarization);
        record.iconPath = folderPrefix + fs::path::string_type(keyName.begin(), keyName.end());
        record.satelliteLine = where.satelliteLine;
        record.transponderLine = where.transponderLine;
        record.occupied = true;

        // A name that is not a plain file name could reach outside the folder.
        const bool plain = IsPlainFileName(name);
        record.serviceLine = std::move(name);
        if (!plain || !files.contains(record.serviceLine + u".jpg")) {
            continue;
        }
        const auto [entry, added] =
            namedIndex.try_emplace(record.serviceLine + u".jpg", named.size());
        if (added) {
            named.push_back({m_iconFolder / entry->first, {}});
        }
        named[entry->second].records.push_back(n);
    }

    IconFileChanges changes;
    for (const NamedIcon& icon : named) {
        // Only a name that looks like a key-based one can be the service's own icon.
        const bool mayBeOwnIcon = LooksKeyBased(icon.file);
        std::vector<const fs::path*> targets;
        for (const std::size_t r : icon.records) {
            if (!mayBeOwnIcon || !IsSameFile(icon.file, m_table[r].iconPath)) {
                targets.push_back(&m_table[r].iconPath);
            }
        }
        // A name-based file that is also some service's key-based icon stays: it is
        // that service's picture now.
        RenameNamedIcon(icon.file, targets, IsKeyBasedIcon(icon.file), changes);
    }
    changes.Report(platform);
}

bool CIconPage::IsKeyBasedIcon(const fs::path& file) const {
    if (!LooksKeyBased(file)) {
        return false;
    }
    return std::any_of(m_table.begin(), m_table.end(),
                       [&](const SlotRecord& record) { return record.iconPath == file; });
}

void CIconPage::ShowPage(int page) {
    ShowPage(page, PageCount());
}

void CIconPage::ShowPage(int page, int pages) {
    if (page < 0) {
        return;
    }
    for (int k = 0; k < kSlotsPerPage; ++k) {
        const std::size_t r = static_cast<std::size_t>(page) * kSlotsPerPage + k;
        SlotRecord& slot = m_slots[static_cast<std::size_t>(k)];
        slot = r < m_table.size() ? m_table[r] : SlotRecord{};
        if (!slot.iconPath.empty() && !CanOpen(slot.iconPath)) {
            slot.iconPath.clear();  // the default picture
        }
    }
    m_pageLabel = ThreeDigits(pages == 0 ? 0 : page + 1) + u" / " + ThreeDigits(pages) + u" Pages";
    m_pageNumber = page + 1;
}

void CIconPage::PageUp() {
    const int pages = m_loaded ? PageCount() : 0;
    if (pages == 0) {
        return;
    }
    // From the first page (or from past the last, after services were deleted) to the
    // last one.
    m_currentPage =
        m_currentPage - 1 < 0 || m_currentPage - 1 >= pages ? pages - 1 : m_currentPage - 1;
    m_currentSlot = 0;
    ShowPage(m_currentPage, pages);
}

void CIconPage::PageDown() {
    const int pages = m_loaded ? PageCount() : 0;
    if (pages == 0) {
        return;
    }
    m_currentSlot = 0;
    m_currentPage = (m_currentPage + 1) % pages;
    ShowPage(m_currentPage, pages);
}

void CIconPage::GoTo(int number, Platform& platform) {
    if (!m_loaded) {
        return;
    }
    const int pages = PageCount();
    const int target = number - 1;
    if (target < 0 || target >= pages) {
        platform.ShowMessage(kMessageCaption, u"Invalid input !(0 - " + ThreeDigits(pages) + u" )",
                             MessageButtons::OkCancel);
        return;
    }
    m_currentPage = target;
    ShowPage(m_currentPage, pages);
}

// The slot's record is the service whose picture the user clicked, even when the TV
// list was reordered since the folder was loaded.
void CIconPage::ReplaceSlotIcon(int slot, Platform& platform) {
    if (!m_loaded || slot < 0 || slot >= kSlotsPerPage || m_currentPage < 0) {
        return;
    }
    const std::size_t r = static_cast<std::size_t>(m_currentPage) * kSlotsPerPage + slot;
    if (r >= m_table.size()) {
        return;
    }
    fs::path chosen;
    {
        const KeepCurrentDirectory keep;
        chosen = platform.ChooseFile(kIconFileFilter, m_iconFolder);
    }
    const fs::path icon = m_table[r].iconPath;
    if (chosen.empty() || IsSameFile(chosen, icon)) {
        return;
    }
    // The first picture of a service is kept as its backup; later replacements only
    // replace the current one. A backup that cannot be made for another reason stops
    // the replacement, so that the first picture is never lost.
    IconFileChanges changes;
    fs::path backup = icon;
    backup.replace_filename(std::u16string(kBackupPrefix) + icon.filename().u16string());
    std::error_code ec;
    const bool keepFirst =
        fs::exists(fs::symlink_status(icon, ec)) && !fs::exists(fs::symlink_status(backup, ec));
    if (!keepFirst || changes.RenameNew(icon, backup)) {
        changes.MoveReplacing(chosen, icon);
    }
    ++m_pictureGeneration;
    ShowPage(m_currentPage);
    changes.Report(platform);
}

}  // namespace vesko
