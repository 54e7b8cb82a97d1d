#pragma once
// The TV and Radio pages: one page class, parameterised by the files and command
// numbers that differ between the two.

#include <string>
#include <string_view>

#include "app/page_input.h"
#include "controls/drag_list_ctrl.h"

namespace vesko {

enum class ServiceKind { Tv = 0, Radio = 1 };

// What differs between the TV and the Radio page.
struct ServicePageTraits {
    ServiceKind kind;
    const char* progWork;  // programme working copy
    const char* favWork;   // favourites working copy
    int cmdEdit, cmdDelete, cmdAddToFav, cmdMoveUp, cmdMoveDown, cmdSkip, cmdLock, cmdSearch;
};

class CServicePage {
public:
    explicit CServicePage(ServiceKind kind);

    const ServicePageTraits& Traits() const { return m_traits; }
    CDragListCtrl& List() { return m_list; }
    const CDragListCtrl& List() const { return m_list; }

    // Refills the list from the working copies.
    void Reload();

    // The command a key on the list raises, 0 for none.
    int CommandForKey(const KeyPress& key) const;
    // The command of a double-click on the list.
    int CommandForDoubleClick() const { return m_traits.cmdEdit; }
    // The menu of a right click, for the current selection; empty for none.
    ContextMenu ContextMenuForSelection() const;

private:
    ServicePageTraits m_traits;
    CDragListCtrl m_list;
};

using CTvPage = CServicePage;
using CRadioPage = CServicePage;

}  // namespace vesko
