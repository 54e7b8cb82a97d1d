#include "pages/satellites/transponder_page.h"

#include "base/commands.h"
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

PageTab CTransponderPage::Tab() const {
    switch (m_traits.kind) {
        case TransponderKind::Terrestrial:
            return PageTab::TerTp;
        case TransponderKind::Cable:
            return PageTab::CableTp;
        default:
            return PageTab::SatTp;
    }
}

// The transponders, and the services beside them.
std::vector<std::string_view> CTransponderPage::WorkingCopiesRead() const {
    return {m_traits.work, kSatWork, kTvProgWork, kRadioProgWork};
}

}  // namespace vesko
