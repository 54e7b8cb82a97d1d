#include "ui/dialog_units.h"

#include <QFontMetricsF>

namespace vesko::ui {

DialogUnits DialogUnits::FromFont(const QFont& font) {
    const QFontMetricsF metrics(font);
    // The average width of the 52 Latin letters, as desktop dialog units are defined.
    const double width = metrics.horizontalAdvance(QStringLiteral(
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                         52.0;
    return DialogUnits(width / 4.0, metrics.height() / 8.0);
}

}  // namespace vesko::ui
