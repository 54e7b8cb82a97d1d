#include "pages/satellites/shown_services.h"

#include "controls/drag_list_ctrl.h"
#include "database/working_copies.h"
#include "pages/satellites/satellite_file.h"

namespace vesko {

namespace {

std::uint64_t VersionOfKind(int kind) {
    const char* work = ProgWorkOf(kind);
    return work ? WorkingCopies::Current().Version(work) : 0;
}

}  // namespace

void ShownServices::Fill(int kind, std::u16string_view satKey,
                         std::optional<std::u16string_view> tpKey) {
    m_shown = true;
    m_kind = kind;
    m_satKey = satKey;
    m_tpKey = tpKey ? std::optional<std::u16string>(*tpKey) : std::nullopt;
    m_version = VersionOfKind(kind);
    const std::u16string_view tp = m_tpKey ? std::u16string_view(*m_tpKey) : std::u16string_view();
    FillServiceRows(m_list, kind, satKey, m_tpKey ? &tp : nullptr);
}

void ShownServices::Clear() {
    m_shown = false;
    m_list.DeleteAllItems();
}

void ShownServices::BringUpToDate() {
    if (m_shown && VersionOfKind(m_kind) != m_version) {
        const std::optional<std::u16string> tpKey = m_tpKey;
        const std::u16string satKey = m_satKey;
        Fill(m_kind, satKey, tpKey ? std::optional<std::u16string_view>(*tpKey) : std::nullopt);
    }
}

}  // namespace vesko
