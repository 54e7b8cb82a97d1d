#pragma once
// The Satellite page: the satellites of the database with the dish settings of one
// tuner, and beside them the TV or radio services of the selected satellite.

#include <string>

#include "base/page_input.h"
#include "controls/drag_list_ctrl.h"

namespace vesko {

class CSatellitePage {
public:
    CSatellitePage();
    CSatellitePage(const CSatellitePage&) = delete;
    CSatellitePage& operator=(const CSatellitePage&) = delete;

    CDragListCtrl& SatelliteList() { return m_satelliteList; }
    const CDragListCtrl& SatelliteList() const { return m_satelliteList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

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

    // Keys, double-clicks and right clicks on the satellite list, as commands.
    int CommandForKey(const KeyPress& key) const;
    int CommandForDoubleClick() const;
    ContextMenu ContextMenuForSelection() const;

    int m_selectedRow = 0;
    int m_tunerIndex = 0;
    int m_serviceKind = 0;  // 0 TV, 1 radio

private:
    CDragListCtrl m_satelliteList;
    CDragListCtrl m_serviceList;
    bool m_tunerButtonVisible = false;
};

}  // namespace vesko
