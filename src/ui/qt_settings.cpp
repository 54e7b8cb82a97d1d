#include "ui/qt_settings.h"

#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

QString KeyName(SettingKey key) {
    const std::string_view name = SettingInfoOf(key).name;
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

}  // namespace

QtSettings::QtSettings() : m_store(QStringLiteral("Vesko"), QStringLiteral("Vesko Editor")) {}

std::u16string QtSettings::Value(SettingKey key) const {
    const QVariant value = m_store.value(KeyName(key));
    if (!value.isValid()) {
        return std::u16string(SettingInfoOf(key).defaultValue);
    }
    return value.toString().toStdU16String();
}

void QtSettings::SetValue(SettingKey key, std::u16string_view value) {
    m_store.setValue(KeyName(key), ToQString(value));
}

}  // namespace vesko::ui
