#include "pages/favourites/fav_page.h"

#include "base/commands.h"
#include "base/list_keys.h"
#include "database/schema.h"

namespace vesko {

namespace {

const FavPageTraits kFavTvTraits{FavKind::Tv,        kTvFavWork,           kRadioFavWork,
                                 kTvProgWork,        kCmdFavTvRename,      kCmdFavTvGroupUp,
                                 kCmdFavTvGroupDown, kCmdFavTvRename,      kCmdFavTvRemove,
                                 kCmdFavTvServiceUp, kCmdFavTvServiceDown, kCmdFavTvSearch};
const FavPageTraits kFavRadioTraits{
    FavKind::Radio,        kRadioFavWork,           kTvFavWork,
    kRadioProgWork,        kCmdFavRadioRename,      kCmdFavRadioGroupUp,
    kCmdFavRadioGroupDown, kCmdFavRadioRenameGrey,  kCmdFavRadioRemove,
    kCmdFavRadioServiceUp, kCmdFavRadioServiceDown, kCmdFavRadioSearch};

std::vector<ListColumn> GroupColumns() {
    return {{u"Index", 60}, {u"FAV Name", 120}};
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"FAV Name", 120}, {u"Service key", 100}, {u"Service Name", 120}};
}

}  // namespace

CFavPage::CFavPage(FavKind kind)
    : m_traits(kind == FavKind::Tv ? kFavTvTraits : kFavRadioTraits),
      m_groupList(GroupColumns()),
      m_serviceList(ServiceColumns()) {}

void CFavPage::Reload() {}

int CFavPage::CommandForGroupKey(const KeyPress& key) const {
    const bool one = m_groupList.GetSelectedCount() == 1;
    switch (key.key) {
        case PageKey::Enter:
            return one ? m_traits.cmdRename : 0;
        case PageKey::Plus:
            return one ? m_traits.cmdGroupUp : 0;
        case PageKey::Minus:
            return one ? m_traits.cmdGroupDown : 0;
        default:
            return 0;
    }
}

int CFavPage::CommandForServiceKey(const KeyPress& key) const {
    const bool one = m_serviceList.GetSelectedCount() == 1;
    if (IsDeleteKey(key)) {
        return m_traits.cmdRemove;
    }
    if (IsSearchKey(key)) {
        return m_traits.cmdSearch;
    }
    if (const int file = FileShortcutCommand(key)) {
        return file;
    }
    if (key.key == PageKey::Plus) {
        return one ? m_traits.cmdServiceUp : 0;
    }
    if (key.key == PageKey::Minus) {
        return one ? m_traits.cmdServiceDown : 0;
    }
    if (key.key == PageKey::Enter) {
        // Enter is the page's own action: rename the one selected group.
        return m_groupList.GetSelectedCount() == 1 ? m_traits.cmdRename : 0;
    }
    return 0;
}

ContextMenu CFavPage::ContextMenuForGroups() const {
    switch (m_groupList.GetSelectedCount()) {
        case 0:
            return {};
        case 1:
            return {{u"Rename", m_traits.cmdRename},
                    {u"Move Up    +", m_traits.cmdGroupUp},
                    {u"Move Down  -", m_traits.cmdGroupDown}};
        default:
            return {{u"Rename", m_traits.cmdRenameGrey, true},
                    {u"Move Up    +",
                     m_traits.kind == FavKind::Tv ? m_traits.cmdRename : m_traits.cmdGroupUp, true},
                    {u"Move Down  -", m_traits.cmdGroupDown, true}};
    }
}

ContextMenu CFavPage::ContextMenuForServices() const {
    switch (m_serviceList.GetSelectedCount()) {
        case 0:
            return {};
        case 1:
            return {{u"Remove", m_traits.cmdRemove},
                    {u"Move  Up  +", m_traits.cmdServiceUp},
                    {u"Move Down -", m_traits.cmdServiceDown},
                    {u"Search   F3", m_traits.cmdSearch}};
        default:
            if (m_traits.kind == FavKind::Tv) {
                return {{u"Remove", m_traits.cmdRemove},
                        {u"Move Up    +", m_traits.cmdServiceUp, true},
                        {u"Move Down  -", m_traits.cmdServiceDown, true},
                        {u"Search    F3", m_traits.cmdSearch}};
            }
            return {{u"Remove", m_traits.cmdRemove},
                    {u"Move  Up  +", m_traits.cmdServiceUp, true},
                    {u"Move Down -", m_traits.cmdServiceDown, true},
                    {u"Search   F3", m_traits.cmdSearch}};
    }
}

}  // namespace vesko
