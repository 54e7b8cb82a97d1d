#pragma once
// The Icon page: the TV services 18 to a page, each with its icon from an icon folder
// on the PC and three lines naming the satellite, the transponder and the service.
//
// Loading an icon folder renames the pictures named after a service ("BBC One.jpg") to
// the name the receiver looks for (IconFileName) and builds the slot table, one record
// per TV service. A click on a picture replaces it with another file, keeping the first
// picture as "bak_" + its name. The page reads the TV and transponder working copies
// and never writes one: everything it changes is in the icon folder.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/page_input.h"
#include "pages/page.h"

namespace vesko {

class Platform;
class Settings;

// One record of the slot table, and what one of the 18 picture slots shows.
struct SlotRecord {
    std::filesystem::path iconPath;  // shown slots: empty when the file cannot be opened
    std::u16string satelliteLine;
    std::u16string transponderLine;
    std::u16string serviceLine;
    bool occupied = false;
};

// What a key pressed on the page does.
enum class IconPageAction { None, LoadIcon, Search, GoTo, PageUp, PageDown, Swallow };
IconPageAction IconPageActionForKey(const KeyPress& key);

inline constexpr std::u16string_view kIconFileFilter = u"png File (*.jpg)|*.jpg";
inline constexpr std::u16string_view kIconFolderTitle = u"Select the icon folder";
inline constexpr std::u16string_view kBackupPrefix = u"bak_";

class CIconPage : public CPage {
public:
    static constexpr int kSlotsPerPage = 18;
    static constexpr int kSlotColumns = 6;

    CIconPage() = default;
    CIconPage(const CIconPage&) = delete;
    CIconPage& operator=(const CIconPage&) = delete;

    // CPage. An open neither fills nor clears the page: it builds its table when the
    // user loads an icon folder.
    PageTab Tab() const override { return PageTab::Icon; }
    std::vector<CDragListCtrl*> Lists() override { return {}; }
    std::vector<std::string_view> WorkingCopiesRead() const override { return {}; }
    void Reload() override {}

    // Asks for the icon folder and loads it; the folder is remembered in `settings`.
    void LoadIconFolder(Platform& platform, Settings& settings);
    // Loads a chosen folder: renames its name-based icons, builds the table and shows
    // the current page. Failed file operations are told through `platform`.
    void LoadIconFolderAt(const std::filesystem::path& folder, Platform& platform);
    // Page up and down wrap around; GoTo takes the 1-based number of the box and tells
    // the range when there is no such page.
    void PageUp();
    void PageDown();
    void GoTo(int number, Platform& platform);
    // The program search: on OK with a page found (and icons loaded), that page is shown
    // with the found slot marked.
    void Search(Platform& platform);
    // Replaces the picture of a slot of the current page with a chosen file.
    void ReplaceSlotIcon(int slot, Platform& platform);
    // Shows page `page` (0-based) in the slots, the label and the number box.
    void ShowPage(int page);

    // TV services in the working copy as it is now, and the pages they fill.
    int ServiceCount() const;
    int PageCount() const;

    const std::vector<SlotRecord>& SlotTable() const { return m_table; }
    const std::array<SlotRecord, kSlotsPerPage>& Slots() const { return m_slots; }
    // "001 / 012 Pages"; "000 / 000 Pages" before anything is loaded.
    const std::u16string& PageLabel() const { return m_pageLabel; }
    // The number in the GoTo box.
    int PageNumber() const { return m_pageNumber; }
    // Changes whenever the page changed a picture, so that a view reads its files again.
    int PictureGeneration() const { return m_pictureGeneration; }

    bool m_loaded = false;
    std::filesystem::path m_iconFolder;
    int m_currentPage = 0;
    int m_currentSlot = 0;  // slot drawn in the highlight colour

private:
    // The last count of the services, with the state of the file it was counted from:
    // paging through ten thousand services must not parse the file at every step.
    struct CountedServices {
        bool valid = false;
        std::uint64_t version = 0;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written;
        int count = 0;
    };

    void BuildSlotTable(Platform& platform);
    void ShowPage(int page, int pages);
    // Counted from the working copy as it is now (by a load made anyway).
    void RememberServiceCount(int count) const;
    static CountedServices StampOfServices();
    bool IsKeyBasedIcon(const std::filesystem::path& file) const;

    std::vector<SlotRecord> m_table;
    mutable CountedServices m_counted;
    std::array<SlotRecord, kSlotsPerPage> m_slots{};
    std::u16string m_pageLabel = u"000 / 000 Pages";
    int m_pageNumber = 0;
    int m_pictureGeneration = 0;
};

}  // namespace vesko
