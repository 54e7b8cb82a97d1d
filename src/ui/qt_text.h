#pragma once
// Core text is UTF-16 like QString: a view turns into one without a detour through a
// std::u16string, so constants and views convert as cheaply as owned strings.

#include <QString>

#include <string_view>

namespace vesko::ui {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vesko::ui
