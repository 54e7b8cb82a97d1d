#include "ui/images.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace vesko::ui {

namespace {

constexpr int kSize = 16;

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap CheckMark() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    p.drawPath(tick);
    return pixmap;
}

QPixmap Padlock() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
    p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
    p.setPen(QPen(QColor(140, 100, 0), 1));
    p.setBrush(QColor(230, 180, 40));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 0));
    p.drawEllipse(QPointF(8, 10.5), 1.3, 1.3);
    p.drawRect(QRectF(7.5, 11, 1, 2.5));
    return pixmap;
}

QPixmap Dollar() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 110, 40));
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("$"));
    return pixmap;
}

QPixmap Heart() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath heart;
    heart.moveTo(8, 14);
    heart.cubicTo(1, 9, 0.5, 5, 2.5, 3);
    heart.cubicTo(4.5, 1, 7, 2, 8, 4.5);
    heart.cubicTo(9, 2, 11.5, 1, 13.5, 3);
    heart.cubicTo(15.5, 5, 15, 9, 8, 14);
    p.setPen(QPen(QColor(150, 0, 20), 1));
    p.setBrush(QColor(220, 20, 50));
    p.drawPath(heart);
    return pixmap;
}

QPixmap FolderImage() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(160, 120, 30), 1));
    p.setBrush(QColor(240, 200, 90));
    QPainterPath folder;
    folder.moveTo(1.5, 3.5);
    folder.lineTo(6, 3.5);
    folder.lineTo(7.5, 5);
    folder.lineTo(14.5, 5);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(QColor(250, 220, 120));
    p.drawRect(QRectF(1.5, 7, 13, 6.5));
    return pixmap;
}

QPixmap DiskImage() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 50, 110), 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4, 10, 8, 4.5));
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(9, 3, 2, 3));
    return pixmap;
}

QPixmap ExitImage() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 80, 40), 1));
    p.setBrush(QColor(200, 150, 90));
    p.drawRect(QRectF(2.5, 1.5, 8, 13));
    p.setPen(QPen(QColor(190, 20, 20), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(7, 8), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 5.5), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 10.5), QPointF(14, 8));
    return pixmap;
}

}  // namespace

QPixmap AppPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Receiver box.
    p.setPen(QPen(QColor(20, 30, 60), 1));
    p.setBrush(QColor(40, 60, 110));
    p.drawRoundedRect(QRectF(2.5, 19.5, 27, 9), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 230, 120));
    p.drawRect(QRectF(6, 23, 6, 2.5));
    p.setBrush(QColor(230, 90, 60));
    p.drawEllipse(QPointF(24, 24), 1.6, 1.6);
    // Dish.
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.setBrush(QColor(225, 228, 235));
    p.drawChord(QRectF(4, 1, 22, 22), 35 * 16, 180 * 16);
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.drawLine(QPointF(15, 12), QPointF(22, 5));
    p.setBrush(QColor(250, 200, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(22.5, 4.5), 2, 2);
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.drawLine(QPointF(14, 17), QPointF(14, 19.5));
    return pixmap;
}

const QPixmap& ListImage(int index) {
    static const std::array<QPixmap, 8> images{Blank(), CheckMark(), Blank(),  Padlock(),
                                               Blank(), Blank(),     Dollar(), Heart()};
    static const QPixmap none;
    if (index < 0 || index >= static_cast<int>(images.size())) {
        return none;
    }
    return images[static_cast<std::size_t>(index)];
}

QIcon ToolbarIcon(ToolbarImage image) {
    switch (image) {
        case ToolbarImage::Open:
            return QIcon(FolderImage());
        case ToolbarImage::Save:
            return QIcon(DiskImage());
        default:
            return QIcon(ExitImage());
    }
}

const QIcon& AppIcon() {
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 24, 32, 48, 64}) {
            result.addPixmap(AppPixmap(size));
        }
        return result;
    }();
    return icon;
}

}  // namespace vesko::ui
