#include "pages/favourites/fav_page.h"

#include "base/commands.h"
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

}  // namespace vesko
