#pragma once
// The editor's settings in the desktop's store (QSettings: a file under the user's
// configuration folder on Linux, the registry on Windows).

#include <QSettings>

#include "base/settings.h"

namespace vesko::ui {

class QtSettings : public Settings {
public:
    QtSettings();
    std::u16string Value(SettingKey key) const override;
    void SetValue(SettingKey key, std::u16string_view value) override;

private:
    mutable QSettings m_store;
};

}  // namespace vesko::ui
