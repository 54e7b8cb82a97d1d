#include "pages/services/service_page.h"

#include "app/commands.h"
#include "database/schema.h"

namespace vesko {

namespace {

const ServicePageTraits kTvTraits{ServiceKind::Tv, kTvProgWork, kTvFavWork,
                                  kCmdTvEdit, kCmdTvDelete, kCmdTvAddToFav, kCmdTvMoveUp,
                                  kCmdTvMoveDown, kCmdTvSkip, kCmdTvLock, kCmdTvSearch};
const ServicePageTraits kRadioTraits{ServiceKind::Radio, kRadioProgWork, kRadioFavWork,
                                     kCmdRadioEdit, kCmdRadioDelete, kCmdRadioAddToFav,
                                     kCmdRadioMoveUp, kCmdRadioMoveDown, kCmdRadioSkip,
                                     kCmdRadioLock, kCmdRadioSearch};

std::vector<ListColumn> ServiceColumns() {
    return {{u"ProNo", 60}, {u"Name", 160},    {u"provider", 100}, {u"Transponder", 140},
            {u"Lock", 45},  {u"Skip", 45},     {u"Free", 45},      {u"Fav", 35},
            {u"Video", 50}, {u"Audio", 50},    {u"PCR", 50},       {u"SerKey", 60},
            {u"TpKey", 60}};
}

}  // namespace

CServicePage::CServicePage(ServiceKind kind)
    : m_traits(kind == ServiceKind::Tv ? kTvTraits : kRadioTraits), m_list(ServiceColumns()) {}

void CServicePage::Reload() {}

int CServicePage::CommandForKey(const KeyPress&) const { return 0; }

ContextMenu CServicePage::ContextMenuForSelection() const { return {}; }

}  // namespace vesko
