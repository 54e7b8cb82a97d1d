#pragma once
// The TV and Radio pages: one page class, parameterised by the files and command
// numbers that differ between the two.
//
// Row n of the list is the n-th `prog` child of the programme working copy; every
// operation changes list and file together. Nothing of the database is kept between
// operations: each one loads the working copies it needs and saves what it changed.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "controls/drag_list_ctrl.h"
#include "pages/page.h"

namespace vesko {

class CXmlDoc;
class Platform;
class TransponderTexts;
class FavouriteMembers;
struct SortChoice;
struct ServiceRecord;
struct ServiceView;
using RecordsByKey = std::unordered_map<std::u16string, ServiceRecord>;

enum class ServiceKind { Tv = 0, Radio = 1 };

// What differs between the TV and the Radio page.
struct ServicePageTraits {
    ServiceKind kind;
    const char* progWork;  // programme working copy
    const char* favWork;   // favourites working copy
    int cmdEdit, cmdDelete, cmdAddToFav, cmdMoveUp, cmdMoveDown, cmdSkip, cmdLock, cmdSearch;
    const char16_t* singleMenuAddToFav;  // "Add to FAV" on TV, "Add To Fav" on Radio
    int cmdSort;
};

// Columns of the service list.
enum ServiceColumn : int {
    kColNumber = 0,
    kColName,
    kColProvider,
    kColTransponder,
    kColLock,
    kColSkip,
    kColFree,
    kColFav,
    kColVideo,
    kColAudio,
    kColPcr,
    kColSerKey,
    kColTpKey,
};

inline constexpr std::u16string_view kFirstRowMessage = u"The item is the first row!";
inline constexpr std::u16string_view kLastRowMessage = u"The item is the last row!";

class CServicePage : public CPage {
public:
    explicit CServicePage(ServiceKind kind);
    CServicePage(const CServicePage&) = delete;
    CServicePage& operator=(const CServicePage&) = delete;

    const ServicePageTraits& Traits() const { return m_traits; }
    ServiceKind Kind() const { return m_traits.kind; }
    CDragListCtrl& List() { return m_list; }
    const CDragListCtrl& List() const { return m_list; }

    // CPage
    PageTab Tab() const override {
        return Kind() == ServiceKind::Tv ? PageTab::Tv : PageTab::Radio;
    }
    std::vector<CDragListCtrl*> Lists() override { return {&m_list}; }
    std::vector<std::string_view> WorkingCopiesRead() const override;
    // Refills the list from the working copies.
    void Reload() override;
    // Index of the first selected row, -1 when none.
    int GetSelectedRow() const;
    // Deletes the selected services and their favourite entries; returns how many.
    int DeleteSelected();
    // Column 0 of every row n becomes n + 1.
    void RenumberRows();
    // Re-reads the name and the four flag images of the selected rows.
    void RefreshSelectedRows();
    // Exchange the selected service with the one above / below. At the edge the user
    // is told so through `platform` and nothing changes. True when a move was made.
    bool MoveUp(Platform& platform);
    bool MoveDown(Platform& platform);
    // Flip `block` / `bskip` of the selected services.
    void ToggleLock();
    void ToggleSkip();
    // Removes the rows of services on the given transponders (rows only, the file is
    // not touched); returns how many rows went.
    int RemoveRowsOnTransponders(std::span<const std::u16string> tpKeys);
    // The Transponder column of the services on transponder `tpKey` that show `oldText`
    // shows `newText` instead (the transponder was edited; rows only).
    void ReplaceTransponderText(std::u16string_view tpKey, std::u16string_view oldText,
                                std::u16string_view newText);
    // Takes the heart off the rows of the given services.
    void ClearFavouriteMark(std::span<const std::u16string> serviceKeys);
    // Value of an attribute of the row-th service ("" when absent). Returns the row,
    // the number of services when the row is past the last one (value untouched), or
    // -1 for a negative row (value untouched).
    int GetServiceAttribute(int row, std::u16string_view name, std::u16string& value) const;
    // Sets an attribute of the row-th service and saves the working copy; returns like
    // GetServiceAttribute.
    int SetServiceAttribute(int row, std::u16string_view name, std::u16string_view value);
    // The same for several attributes with one load (and one save) of the working copy,
    // which a dialog reading or writing a whole service needs: the file may be large.
    using AttributeReads = std::initializer_list<std::pair<std::u16string_view, std::u16string*>>;
    using AttributeWrites =
        std::initializer_list<std::pair<std::u16string_view, std::u16string_view>>;
    int GetServiceAttributes(int row, AttributeReads reads) const;
    int SetServiceAttributes(int row, AttributeWrites writes);

    // Sorts the services, the selected rows among the places they hold or the whole
    // list; the file follows the list, each service moving with every byte it has.
    // Returns how many services took part, 0 when there were fewer than two.
    int Sort(const SortChoice& choice);

    // Drag and drop. ApplyDrop brings the file into the order the list shows after the
    // list control moved the dragged rows: 0 when done, -1 when it could not be done
    // (the file is then left as it was).
    int ApplyDrop();
    // Runs after every left-button release over the list (the list calls it): completes
    // a drop when the list reports one.
    void AfterListEvent();

private:
    bool Move(Platform& platform, int delta);
    void Toggle(std::u16string_view attribute, int column, int onImage);
    void SetRowFromRecord(int row, const ServiceView& record, const std::u16string& transponderText,
                          const FavouriteMembers& favourites);
    void SetRowImages(int row, const ServiceView& record, const FavouriteMembers& favourites);
    void CompleteDrop();
    void MoveRowsTo(const std::vector<int>& origins);
    int ApplyDrop(CXmlDoc& prog, const std::vector<int>& services);
    void RefreshSelectedRows(const RecordsByKey& records);
    void ShowNameAndImages(int row, const ServiceRecord& record,
                           const FavouriteMembers& favourites);

    ServicePageTraits m_traits;
    CDragListCtrl m_list;
};

using CTvPage = CServicePage;
using CRadioPage = CServicePage;

}  // namespace vesko
