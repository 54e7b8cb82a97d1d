#pragma once
// CPage: what the main window needs of every tab page. The main window keeps its pages
// in one list and loops over it to reload them after an open, to find the list a key
// or click came from, and to keep what the user looks at (selection, scroll position,
// current group, satellite or tuner) across a reload that the user did not ask for.

#include <array>
#include <string_view>
#include <vector>

namespace vesko {

class CDragListCtrl;

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

// What one list shows of its rows: which are selected, which has the focus, and the
// first row in view.
struct ListViewState {
    std::vector<int> selected;
    int focused = -1;
    int topRow = 0;
};

// What a page shows: the state of each of its lists (in the page's list order) and
// the page's own choices (current group, satellite, tuner, TV or radio), as numbers
// only the page itself interprets.
struct PageViewState {
    std::vector<ListViewState> lists;
    std::vector<int> choices;
};

class CPage {
public:
    virtual ~CPage() = default;

    // The tab the page sits on.
    virtual PageTab Tab() const = 0;
    // The page's lists, in a fixed order: index 0 is the list keys and clicks reach
    // first (the service list, the group list, the transponder list, ...).
    virtual std::vector<CDragListCtrl*> Lists() = 0;
    // Whether the user may reorder a list's rows by dragging them: lists that only show
    // what other lists select (the services beside satellites and transponders) do not
    // hold the file's order, so a drag there would only show an order nobody wrote.
    virtual bool CanReorder(int /*list*/) const { return true; }
    // The working copies the page's lists are built from: after one of them changed
    // behind the page's back (a command put back after a failed write), the page is
    // reloaded.
    virtual std::vector<std::string_view> WorkingCopiesRead() const = 0;

    // Runs for every page before any page reloads after an open (the Satellite page's
    // tuner button comes first of all).
    virtual void PrepareForReload() {}
    // Refills the page from the working copies after an open. A page that an open
    // does not fill (the Icon page) does nothing.
    virtual void Reload() = 0;

    // The page is about to be seen: what it shows beside its own lists (the services of
    // a satellite or transponder) is read again when another page changed it meanwhile.
    virtual void BringUpToDate() {}

    // What the user looks at, kept across a reload.
    PageViewState SaveViewState();
    void RestoreViewState(const PageViewState& state);

protected:
    // The page's own choices; RestoreChoices gets back what SaveChoices gave, after
    // the page was reloaded, and shows what they select.
    virtual std::vector<int> SaveChoices() const { return {}; }
    virtual void RestoreChoices(const std::vector<int>& /*choices*/) {}
};

}  // namespace vesko
