#pragma once
// The Satellite page: the satellites of the database with the dish settings of one
// tuner, and beside them the TV or radio services of the selected satellite.

#include <string>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"

namespace vesko {

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
    // The tuner button is set up before any page reloads; the list comes in its turn.
    void PrepareForReload() override { ShowTunerButton(ReadTunerCount()); }
    void Reload() override { FillSatelliteList(m_tunerIndex); }

    // The number of tuners the database is set up for (`tuner_num` of the root
    // element of the satellite working copy); 0 when it is missing or not a number.
    int ReadTunerCount() const;
    // The tuner button is only worth showing when there is more than one tuner.
    void ShowTunerButton(int tunerCount) { m_tunerButtonVisible = tunerCount > 1; }
    bool IsTunerButtonVisible() const { return m_tunerButtonVisible; }
    std::u16string TunerButtonText() const;
    std::u16string ServiceKindButtonText() const { return m_serviceKind == 0 ? u"TV" : u"Radio"; }

    // Refills the satellite list for a tuner.
    void FillSatelliteList(int tunerIndex);
    int GetSelectedRow() const { return m_satelliteList.GetNextSelected(); }

    int m_selectedRow = 0;
    int m_tunerIndex = 0;
    int m_serviceKind = 0;  // 0 TV, 1 radio

private:
    CDragListCtrl m_satelliteList;
    CDragListCtrl m_serviceList;
    bool m_tunerButtonVisible = false;
};

}  // namespace vesko
