#pragma once
// The three transponder pages (Sat Tp, Ter Tp, Cable Tp): a transponder list with the
// services of the selected transponder beside it. One class, parameterised by the
// file, columns, attributes, fixed satellite key and command numbers of each kind.
//
// Row n of the list is the n-th `transponder` of the current satellite: of the
// m_satIndex-th `sat` of the satellite file, or of the first `sat` of the terrestrial
// or cable file. Every operation loads what it needs and saves what it changed.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"
#include "pages/satellites/satellite_file.h"
#include "pages/satellites/shown_services.h"
#include "pages/satellites/transponder_rules.h"

namespace vesko {

class CXmlDoc;

// A column of the transponder list: the attribute it shows (none for the row number).
struct TransponderColumn {
    std::u16string_view header;
    int width;
    std::u16string_view attribute;  // empty: the row number from 1
};

// What differs between the three transponder pages.
struct TransponderPageTraits {
    TransponderKind kind;
    const char* work;                 // working copy holding the transponders
    std::u16string_view fixedSatKey;  // satellite key of the kind; empty for satellites
    bool hasSatelliteChoice;          // only satellite transponders are grouped by satellite
    bool rewritesOnEscape;            // Escape writes the list order into the file
    std::span<const TransponderColumn> columns;
    std::span<const std::u16string_view> newAttributes;  // a new transponder's, in order
    int cmdEdit, cmdDelete, cmdAdd, cmdSearch;
};

// What a deletion tells the user when a satellite's last transponder was selected.
inline constexpr std::u16string_view kLastTransponderKept =
    u"The last transponder cannot be deleted: at least one must remain.";

class CTransponderPage : public CPage {
public:
    // A satellite holds at most this many transponders.
    static constexpr int kMaxTransponders = 300;

    explicit CTransponderPage(TransponderKind kind);
    CTransponderPage(const CTransponderPage&) = delete;
    CTransponderPage& operator=(const CTransponderPage&) = delete;

    const TransponderPageTraits& Traits() const { return m_traits; }
    TransponderKind Kind() const { return m_traits.kind; }
    CDragListCtrl& TransponderList() { return m_transponderList; }
    const CDragListCtrl& TransponderList() const { return m_transponderList; }
    CDragListCtrl& ServiceList() { return m_serviceList; }
    const CDragListCtrl& ServiceList() const { return m_serviceList; }

    // CPage
    PageTab Tab() const override;
    std::vector<CDragListCtrl*> Lists() override { return {&m_transponderList, &m_serviceList}; }
    std::vector<std::string_view> WorkingCopiesRead() const override;
    bool CanReorder(int list) const override { return list == 0; }
    void BringUpToDate() override { m_shownServices.BringUpToDate(); }
    // After an open: the satellite choice, and the transponders of the satellite it
    // shows (the first one when the new database has fewer satellites).
    void Reload() override;

    // The items of the satellite choice ("1 : name(19.2E)", ...); satellite page only.
    const std::vector<std::u16string>& SatelliteChoice() const { return m_satelliteChoice; }
    std::u16string ServiceKindButtonText() const { return m_serviceKind == 0 ? u"TV" : u"Radio"; }
    // The satellite index the lists use: m_satIndex, or 0 for the single-satellite files.
    int CurrentSatIndex() const { return m_traits.hasSatelliteChoice ? m_satIndex : 0; }

    // ---- filling ----
    void FillSatelliteChoice();
    void FillTransponderList(int satIndex);
    // The services (kind 0 TV, 1 radio) whose `sat_key` and `tp_key` are these.
    void FillServiceList(std::u16string_view satKey, std::u16string_view tpKey, int kind);
    // The services of row m_selectedRow's transponder again (its keys as the list
    // shows them, which is what the file holds).
    void RefreshServiceList();
    void RenumberRows();
    int GetSelectedRow() const { return m_transponderList.GetNextSelected(); }
    // What the service pages show in their Transponder column for the services on a
    // row's transponder, read from the row ("" for no row).
    std::u16string ServiceTransponderText(int row) const;

    // ---- records ----
    // `sat_key` of a satellite (the fixed key for the cable and terrestrial files); a
    // negative index or a missing satellite leaves `key` as it was.
    void GetSatelliteKey(int satIndex, std::u16string& key) const;
    std::u16string CurrentSatelliteKey() const;
    // An attribute of a satellite of the page's file ("" when missing).
    std::u16string GetSatelliteAttribute(int satIndex, std::u16string_view name) const;
    // An attribute of transponder `row` of the current satellite; a negative row or a
    // missing transponder leaves `value` as it was.
    void GetTransponderAttribute(int row, std::u16string_view name, std::u16string& value) const;
    // Sets it and saves the file (a negative row does nothing).
    void SetTransponderAttribute(int row, std::u16string_view name, std::u16string_view value);
    // The same for several attributes with one load (and one save), in the order given:
    // the bytes are those of one load and save per attribute.
    void GetTransponderAttributes(int row, const AttributeReads& reads) const;
    void SetTransponderAttributes(int row, const AttributeWrites& writes);
    // Number of transponders of a satellite; 0 when it does not exist, -1 for a
    // negative index.
    int CountTransponders(int satIndex) const;
    // The highest `tp_key` over the satellite, terrestrial and cable files (at least
    // 0), also in decimal in `text`: the keys are one number space.
    static int MaxTransponderKey(std::u16string& text);
    // Appends a transponder to a satellite with the kind's attributes in their order:
    // `values` gives them by name; the satellite key is the satellite's own (or the
    // fixed one), a missing value is "0". Then the list shows the satellite with the
    // new transponder selected. A negative index or a missing satellite adds nothing.
    void AddTransponder(int satIndex, const AttributeWrites& values);
    // The same into `doc`, which holds the page's file as loaded for this add.
    void AddTransponder(CXmlDoc& doc, int satIndex, const AttributeWrites& values);

    // ---- deleting ----
    // Deletes the selected transponders of a satellite with their TV and radio services
    // and those services' favourite entries; returns the number of rows taken off the
    // list. The satellite's last transponder stays, in the file and in the list.
    int DeleteSelectedTransponders(int satIndex);
    // True when the last deletion kept a satellite's last transponder.
    bool LastTransponderKept() const { return m_lastKept; }
    // Step by step, as a deletion does them for one transponder: its services of a kind
    // and their favourite entries; the entries of one service. Each returns how many
    // it removed.
    int DeleteTransponderServices(std::u16string_view satKey, std::u16string_view tpKey, int kind);
    int RemoveServiceFromFavourites(std::u16string_view serviceKey, int kind);

    // ---- order ----
    // Brings the file into the order the list shows after the list control moved the
    // dragged rows. A drop that cannot be placed is undone by refilling the list.
    void CommitDrop(int satIndex);
    // Runs after every left-button release over the transponder list: completes a
    // real drop, then the selected transponder becomes the current one.
    void AfterListEvent();
    // A click, or a key that moved the selection: the selected row becomes the current
    // one and its services are shown.
    void TakeSelectedTransponder();
    // Writes the satellite's transponders in the order the list shows them.
    void RewriteInListOrder(int satIndex);

    // ---- buttons ----
    // The user picked a satellite in the choice.
    void SelectSatellite(int satIndex);
    // The TV/Radio button.
    void ToggleServiceKind();

    int m_satIndex = 0;  // current satellite (satellite transponders only)
    int m_selectedRow = 0;
    int m_serviceKind = 0;  // 0 TV, 1 radio
    int m_tpCount = 0;
    std::vector<std::u16string> m_deletedKeys;  // tp_key values not yet collected

protected:
    std::vector<int> SaveChoices() const override;
    void RestoreChoices(const std::vector<int>& choices) override;

private:
    void FillTransponderRows(CXmlDoc& doc, int satIndex);
    void UndoDrop(int satIndex);

    TransponderPageTraits m_traits;
    CDragListCtrl m_transponderList;
    CDragListCtrl m_serviceList;
    std::vector<std::u16string> m_satelliteChoice;
    std::u16string m_listSatKey;  // `sat_key` of the satellite the list shows
    ShownServices m_shownServices{m_serviceList};
    bool m_lastKept = false;
};

using CSatTpPage = CTransponderPage;
using CTerTpPage = CTransponderPage;
using CCableTpPage = CTransponderPage;

}  // namespace vesko
