#include "base/settings.h"

namespace vesko {

const SettingInfo& SettingInfoOf(SettingKey key) {
    for (const SettingInfo& info : kSettingTable) {
        if (info.key == key) {
            return info;
        }
    }
    return kSettingTable.front();  // every key has a row; never reached
}

std::u16string MemorySettings::Value(SettingKey key) const {
    const auto found = m_values.find(key);
    return found == m_values.end() ? std::u16string(SettingInfoOf(key).defaultValue)
                                   : found->second;
}

void MemorySettings::SetValue(SettingKey key, std::u16string_view value) {
    m_values[key] = std::u16string(value);
}

}  // namespace vesko
