#pragma once
// The Satellite page: the satellites of the database with the dish settings of one
// tuner, and beside them the TV or radio services of the current satellite.
//
// Row n of the satellite list is the n-th `sat` child of the satellite working copy.
// The page edits nothing itself; the edit dialog and the main window use its
// attribute access.

#include <optional>
#include <string>
#include <string_view>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"
#include "pages/satellites/satellite_file.h"
#include "pages/satellites/shown_services.h"

namespace vesko {

class Platform;

// The tuner button's message when the database names no tuner, with its own caption.
inline constexpr std::u16string_view kTunerZeroMessage = u"Tuner number = 0";
inline constexpr std::u16string_view kTunerZeroCaption = u"Vesko Editor";

// Columns of the satellite list.
enum SatelliteColumn : int {
    kSatColIndex = 0,
    kSatColName,
    kSatColLongitude,
    kSatColFirstSetting,  // the eight per-tuner settings follow in kTunerSettings order
    kSatColKey = kSatColFirstSetting + 8,
};

class CSatellitePage : public CPage {
public:
    CSatellitePage();
    CSatellitePage(const CSatellitePage&) = delete;
    CSatellitePage& operator=(const CSatellitePage&) = delete;

    CDragListCtrl& SatelliteList() { return m_satelliteList; }
    const CDragListCtrl& SatelliteList() const { return m_satelliteList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

    // CPage
    PageTab Tab() const override { return PageTab::Satellite; }
    std::vector<CDragListCtrl*> Lists() override { return {&m_satelliteList, &m_serviceList}; }
    std::vector<std::string_view> WorkingCopiesRead() const override;
    bool CanReorder(int /*list*/) const override { return false; }
    // The tuner button is set up before any page reloads; the list comes in its turn.
    void PrepareForReload() override { ShowTunerButton(ReadTunerCount()); }
    void Reload() override;
    void BringUpToDate() override { m_shownServices.BringUpToDate(); }

    // The number of tuners the database is set up for (`tuner_num` of the root
    // element of the satellite working copy); 0 when it is missing or not a number.
    int ReadTunerCount() const;
    // The tuner button is only worth showing when there is more than one tuner.
    void ShowTunerButton(int tunerCount) { m_tunerButtonVisible = tunerCount > 1; }
    bool IsTunerButtonVisible() const { return m_tunerButtonVisible; }
    std::u16string TunerButtonText() const;
    std::u16string ServiceKindButtonText() const { return m_serviceKind == 0 ? u"TV" : u"Radio"; }

    // "19.2E" for 192, "7.5W" for -75: tenths of a degree, east from 0 on.
    static std::u16string FormatLongitude(std::u16string_view longitude);

    // Refills the satellite list with the settings of a tuner (a negative index does
    // nothing). Every tuner's settings are read under the suffix rule, also beyond
    // the third.
    void FillSatelliteList(int tunerIndex);
    // Refills the service list with the services of a kind (0 TV, 1 radio) whose
    // `sat_key` is exactly satKey.
    void FillServiceList(std::u16string_view satKey, int kind);
    // Index of the first selected satellite row, -1 when none.
    int GetSelectedRow() const { return m_satelliteList.GetNextSelected(); }

    // An attribute of the row-th satellite ("" when it has none); a negative row or one
    // past the last satellite leaves `value` as it was.
    void GetSatelliteAttribute(int row, std::u16string_view name, std::u16string& value) const;
    // Sets an attribute of the row-th satellite and saves the working copy (a negative
    // row does nothing).
    void SetSatelliteAttribute(int row, std::u16string_view name, std::u16string_view value);
    // The same for several attributes with one load (and one save), in the order given:
    // the bytes are those of one load and save per attribute.
    void GetSatelliteAttributes(int row, const AttributeReads& reads) const;
    void SetSatelliteAttributes(int row, const AttributeWrites& writes);

    // The tuner button: the next tuner's settings, or the message when the database
    // names no tuner.
    void CycleTuner(Platform& platform);
    // The TV/Radio button.
    void ToggleServiceKind();
    // A click on the satellite list, or a key that moved its selection: the selected
    // satellite becomes the current one and its services are shown.
    void TakeSelectedSatellite();
    // The services of the current satellite (m_selectedRow) again.
    void RefreshServiceList();
    // True when the service list shows the services of this satellite key.
    bool ShowsServicesOf(std::u16string_view satKey) const {
        return m_shownServices.ShowsSatellite(satKey);
    }

    int m_selectedRow = 0;
    int m_tunerIndex = 0;
    int m_serviceKind = 0;  // 0 TV, 1 radio

protected:
    std::vector<int> SaveChoices() const override;
    void RestoreChoices(const std::vector<int>& choices) override;

private:
    CDragListCtrl m_satelliteList;
    CDragListCtrl m_serviceList;
    ShownServices m_shownServices{m_serviceList};
    bool m_tunerButtonVisible = false;
};

}  // namespace vesko
