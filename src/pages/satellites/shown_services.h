#pragma once
// The services a list beside the satellites or the transponders shows: which ones, and
// the version of the programme working copy they were read from. Commands on the TV
// and Radio pages change that copy without telling these lists; a list that is about to
// be seen reads its services again when the copy changed behind it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesko {

class CDragListCtrl;

class ShownServices {
public:
    explicit ShownServices(CDragListCtrl& list) : m_list(list) {}

    // The services of a kind (0 TV, 1 radio) whose `sat_key` is satKey and, when given,
    // whose `tp_key` is tpKey.
    void Fill(int kind, std::u16string_view satKey, std::optional<std::u16string_view> tpKey);
    // No services at all (after an open, before the user picked anything).
    void Clear();
    bool IsShown() const { return m_shown; }
    bool ShowsSatellite(std::u16string_view satKey) const { return m_shown && m_satKey == satKey; }
    // Reads the same services again when the programme copy changed since they were read.
    void BringUpToDate();

private:
    CDragListCtrl& m_list;
    bool m_shown = false;
    int m_kind = 0;
    std::u16string m_satKey;
    std::optional<std::u16string> m_tpKey;
    std::uint64_t m_version = 0;
};

}  // namespace vesko
