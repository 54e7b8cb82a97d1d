#pragma once
// CEditorDlg: the main window without its widgets. It owns the database folder and
// the nine pages, runs every command of the menus, the toolbar, the shortcuts and the
// pages, and keeps the pages consistent after each of them.

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "base/file_result.h"
#include "base/platform.h"
#include "database/database_folder.h"
#include "pages/favourites/fav_page.h"
#include "pages/icons/icon_page.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"

namespace vesko {

// The tabs of the main window, in tab order.
enum class PageTab : int {
    Tv = 0,
    Radio,
    FavTv,
    FavRadio,
    SatTp,
    Satellite,
    TerTp,
    CableTp,
    Icon,
};
inline constexpr int kPageTabCount = 9;
inline constexpr std::array<std::u16string_view, kPageTabCount> kPageTabTexts{
    u"TV",        u"Radio",  u"Fav Tv",   u"Fav Radio", u"Sat Tp",
    u"Satellite", u"Ter Tp", u"Cable Tp", u"Icon"};

inline constexpr std::u16string_view kMainWindowCaption = u"Vesko Editor";

class CEditorDlg {
public:
    explicit CEditorDlg(Platform& platform);
    CEditorDlg(const CEditorDlg&) = delete;
    CEditorDlg& operator=(const CEditorDlg&) = delete;

    Platform& GetPlatform() { return m_platform; }
    CDatabaseFolder& Folder() { return m_folder; }
    const CDatabaseFolder& Folder() const { return m_folder; }

    CTvPage& TvPage() { return m_tvPage; }
    CRadioPage& RadioPage() { return m_radioPage; }
    CFavTvPage& FavTvPage() { return m_favTvPage; }
    CFavRadioPage& FavRadioPage() { return m_favRadioPage; }
    CSatTpPage& SatTpPage() { return m_satTpPage; }
    CSatellitePage& SatellitePage() { return m_satellitePage; }
    CTerTpPage& TerTpPage() { return m_terTpPage; }
    CCableTpPage& CableTpPage() { return m_cableTpPage; }
    CIconPage& IconPage() { return m_iconPage; }

    // Runs a numbered command (menu, toolbar, shortcut, page key or context menu).
    void OnCommand(int command);
    // Opens a folder dropped on the window or named on the command line.
    bool OpenDroppedFolder(const std::filesystem::path& folder);

    // Sum of the change counters of the TV, Radio, Fav Tv, Fav Radio and Sat Tp pages.
    int PageChangeCount() const;
    // The main window's counter plus the pages' counters.
    int TotalChangeCount() const { return m_folder.GetChangeCount() + PageChangeCount(); }

    // Told after every command and open, so that a view can refresh what lists do not
    // carry (buttons, choices, labels).
    void SetRefreshHandler(std::function<void()> handler) { m_refresh = std::move(handler); }

private:
    void RunCommand(int command);
    void ReportWorkingCopyFailures(const std::vector<FileError>& failures);
    void OpenFromChooser();
    void Save();
    void Exit();
    void RunAbout();
    void RunHistory();
    bool ConfirmLeaveCurrent();
    void ReloadPages();
    void ResetPageChangeCounts();
    void Refresh();

    Platform& m_platform;
    CDatabaseFolder m_folder;
    CTvPage m_tvPage{ServiceKind::Tv};
    CRadioPage m_radioPage{ServiceKind::Radio};
    CFavTvPage m_favTvPage{FavKind::Tv};
    CFavRadioPage m_favRadioPage{FavKind::Radio};
    CSatTpPage m_satTpPage{TransponderKind::Satellite};
    CSatellitePage m_satellitePage;
    CTerTpPage m_terTpPage{TransponderKind::Terrestrial};
    CCableTpPage m_cableTpPage{TransponderKind::Cable};
    CIconPage m_iconPage;
    std::function<void()> m_refresh;
};

}  // namespace vesko
