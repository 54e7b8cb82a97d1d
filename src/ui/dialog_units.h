#pragma once
// Dialog units: the editor's windows are described in units of the font's average
// character size (a quarter of its width across, an eighth of its height down), so
// that they scale with the desktop's font.

#include <QFont>
#include <QRect>
#include <QSize>

namespace vesko::ui {

class DialogUnits {
public:
    DialogUnits(double pixelsPerUnitX, double pixelsPerUnitY)
        : m_perUnitX(pixelsPerUnitX), m_perUnitY(pixelsPerUnitY) {}
    // Units of a font: average character width / 4 and height / 8.
    static DialogUnits FromFont(const QFont& font);

    int X(double x) const { return qRound(x * m_perUnitX); }
    int Y(double y) const { return qRound(y * m_perUnitY); }
    QSize Size(double w, double h) const { return {X(w), Y(h)}; }
    // Edges are rounded, not sizes, so neighbouring controls keep touching.
    QRect Rect(double x, double y, double w, double h) const {
        return QRect(QPoint(X(x), Y(y)), QPoint(X(x + w) - 1, Y(y + h) - 1));
    }

private:
    double m_perUnitX;
    double m_perUnitY;
};

}  // namespace vesko::ui
