#pragma once
// The three transponder pages (Sat Tp, Ter Tp, Cable Tp): a transponder list with the
// services of the selected transponder beside it. One class, parameterised by the
// file, columns, fixed satellite key and command numbers of each kind.

#include <string>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"

namespace vesko {

enum class TransponderKind { Satellite, Terrestrial, Cable };

// What differs between the three transponder pages.
struct TransponderPageTraits {
    TransponderKind kind;
    const char* work;         // working copy holding the transponders
    const char16_t* satKey;   // fixed satellite key of the services; null for satellites
    bool hasSatelliteChoice;  // only satellite transponders are grouped by satellite
    int cmdEdit, cmdDelete, cmdAdd, cmdSearch;
};

class CTransponderPage : public CPage {
public:
    explicit CTransponderPage(TransponderKind kind);
    CTransponderPage(const CTransponderPage&) = delete;
    CTransponderPage& operator=(const CTransponderPage&) = delete;

    const TransponderPageTraits& Traits() const { return m_traits; }
    CDragListCtrl& TransponderList() { return m_transponderList; }
    const CDragListCtrl& TransponderList() const { return m_transponderList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

    // CPage
    PageTab Tab() const override;
    std::vector<CDragListCtrl*> Lists() override { return {&m_transponderList, &m_serviceList}; }
    std::vector<std::string_view> WorkingCopiesRead() const override;
    // Refills the page after a folder was opened.
    void Reload() override;

    // The items of the satellite choice ("1 : name(19.2E)", ...); satellite page only.
    const std::vector<std::u16string>& SatelliteChoice() const { return m_satelliteChoice; }
    std::u16string ServiceKindButtonText() const { return m_serviceKind == 0 ? u"TV" : u"Radio"; }
    int GetSelectedRow() const { return m_transponderList.GetNextSelected(); }

    int m_satIndex = 0;  // current satellite (satellite transponders only)
    int m_selectedRow = 0;
    int m_serviceKind = 0;  // 0 TV, 1 radio
    int m_tpCount = 0;
    std::vector<std::u16string> m_deletedKeys;  // tp_key values not yet collected

private:
    TransponderPageTraits m_traits;
    CDragListCtrl m_transponderList;
    CDragListCtrl m_serviceList;
    std::vector<std::u16string> m_satelliteChoice;
};

using CSatTpPage = CTransponderPage;
using CTerTpPage = CTransponderPage;
using CCableTpPage = CTransponderPage;

}  // namespace vesko
