#pragma once
// The Icon page: the TV services 18 to a page, each with its icon from an icon folder
// on the PC and three lines naming the satellite, the transponder and the service.

#include <array>
#include <filesystem>
#include <string>

#include "pages/page.h"

namespace vesko {

// What one of the 18 picture slots of the page shows.
struct IconSlot {
    std::filesystem::path iconPath;  // empty: the default picture
    std::u16string satelliteLine;
    std::u16string transponderLine;
    std::u16string serviceLine;
    bool occupied = false;
};

class CIconPage : public CPage {
public:
    static constexpr int kSlotsPerPage = 18;
    static constexpr int kSlotColumns = 6;

    CIconPage() = default;
    CIconPage(const CIconPage&) = delete;
    CIconPage& operator=(const CIconPage&) = delete;

    // CPage. An open does not fill the page: it builds its table when the user loads an
    // icon folder.
    PageTab Tab() const override { return PageTab::Icon; }
    std::vector<CDragListCtrl*> Lists() override { return {}; }
    std::vector<std::string_view> WorkingCopiesRead() const override { return {}; }
    void Reload() override {}

    const std::array<IconSlot, kSlotsPerPage>& Slots() const { return m_slots; }
    // "001 / 012 Pages"; "000 / 000 Pages" before anything is loaded.
    const std::u16string& PageLabel() const { return m_pageLabel; }
    // The number in the GoTo box.
    int PageNumber() const { return m_pageNumber; }

    bool m_loaded = false;
    std::filesystem::path m_iconFolder;
    int m_currentPage = 0;
    int m_currentSlot = 0;  // slot drawn in the highlight colour

private:
    std::array<IconSlot, kSlotsPerPage> m_slots{};
    std::u16string m_pageLabel = u"000 / 000 Pages";
    int m_pageNumber = 0;
};

}  // namespace vesko
