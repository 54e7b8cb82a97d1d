#pragma once
// What the editor remembers between runs, behind an interface beside Platform: the
// front end keeps it with the desktop's settings store, tests in memory. Every key is a
// row of one table, with the name it is stored under and the value it has until set.

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace vesko {

enum class SettingKey {
    LastFolder,      // the database folder opened last: where the folder chooser starts
    LastIconFolder,  // the icon folder loaded last
    UndoDepth,       // how many steps Undo keeps
    BackupCount,     // how many backups of one database folder are kept
    LastReference,   // the reference database whose order was applied last
};

struct SettingInfo {
    SettingKey key;
    std::string_view name;  // stored under this name
    std::u16string_view defaultValue;
};

inline constexpr std::array<SettingInfo, 5> kSettingTable{{
    {SettingKey::LastFolder, "folders/lastDatabase", u""},
    {SettingKey::LastIconFolder, "folders/lastIcons", u""},
    {SettingKey::UndoDepth, "undo/depth", u"100"},
    {SettingKey::BackupCount, "backup/count", u"10"},
    {SettingKey::LastReference, "folders/lastReference", u""},
}};

const SettingInfo& SettingInfoOf(SettingKey key);

class Settings {
public:
    virtual ~Settings() = default;
    // The stored value, or the key's default when it was never set.
    virtual std::u16string Value(SettingKey key) const = 0;
    virtual void SetValue(SettingKey key, std::u16string_view value) = 0;
};

// Settings that live as long as the object: tests, tools, and a front end that cannot
// reach the desktop's store.
class MemorySettings : public Settings {
public:
    std::u16string Value(SettingKey key) const override;
    void SetValue(SettingKey key, std::u16string_view value) override;

private:
    std::map<SettingKey, std::u16string> m_values;
};

}  // namespace vesko
