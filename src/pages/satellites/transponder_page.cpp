#include "pages/satellites/transponder_page.h"

#include "base/commands.h"
#include "base/list_keys.h"
#include "database/schema.h"

namespace vesko {

namespace {

const TransponderPageTraits kSatelliteTraits{TransponderKind::Satellite,
                                             kSatWork,
                                             nullptr,
                                             true,
                                             kCmdSatTpEdit,
                                             kCmdSatTpDelete,
                                             kCmdSatTpAdd,
                                             kCmdSatTpSearch};
const TransponderPageTraits kTerrestrialTraits{TransponderKind::Terrestrial,
                                               kSatTerWork,
                                               u"65",
                                               false,
                                               kCmdTerTpEdit,
                                               kCmdTerTpDelete,
                                               kCmdTerTpAdd,
                                               kCmdTerTpSearch};
const TransponderPageTraits kCableTraits{
    TransponderKind::Cable, kSatCableWork,     u"66",          false,
    kCmdCableTpEdit,        kCmdCableTpDelete, kCmdCableTpAdd, kCmdCableTpSearch};

const TransponderPageTraits& TraitsOf(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Terrestrial:
            return kTerrestrialTraits;
        case TransponderKind::Cable:
            return kCableTraits;
        default:
            return kSatelliteTraits;
    }
}

std::vector<ListColumn> TransponderColumns(TransponderKind kind) {
    switch (kind) {
        case TransponderKind::Terrestrial:
            return {{u"Index", 80},
                    {u"Freq", 80},
                    {u"Bandwidth", 80},
                    {u"Channel No", 120},
                    {u"Tp key", 60}};
        case TransponderKind::Cable:
            return {{u"Index", 80},
                    {u"Freq", 80},
                    {u"Sym", 120},
                    {u"Modulation", 120},
                    {u"Tp key", 60}};
        default:
            return {{u"Number", 80}, {u"Freq", 80}, {u"H/V", 60},   {u"Sym", 120},
                    {u"FEC", 60},    {u"Mode", 80}, {u"Tp key", 60}};
    }
}

std::vector<ListColumn> ServiceColumns() {
    return {{u"Index", 60}, {u"Service Name", 120}};
}

}  // namespace

CTransponderPage::CTransponderPage(TransponderKind kind)
    : m_traits(TraitsOf(kind)),
      m_transponderList(TransponderColumns(kind)),
      m_serviceList(ServiceColumns()) {}

void CTransponderPage::Reload() {}

int CTransponderPage::CommandForKey(const KeyPress& key) const {
    if (IsDeleteKey(key)) {
        return m_traits.cmdDelete;
    }
    if (IsSearchKey(key)) {
        return m_traits.cmdSearch;
    }
    if (const int file = FileShortcutCommand(key)) {
        return file;
    }
    if (key.key == PageKey::Insert) {
        return m_traits.cmdAdd;
    }
    if (key.key == PageKey::Enter && m_transponderList.GetSelectedCount() == 1) {
        return m_traits.cmdEdit;
    }
    return 0;
}

ContextMenu CTransponderPage::ContextMenuForSelection() const {
    const int selected = m_transponderList.GetSelectedCount();
    if (selected == 0) {
        return {};
    }
    const bool several = selected > 1;
    return {{u"Edit", m_traits.cmdEdit, several},
            {u"Delete", m_traits.cmdDelete},
            {u"Add", m_traits.cmdAdd, several},
            {u"Search  F3", m_traits.cmdSearch}};
}

}  // namespace vesko
