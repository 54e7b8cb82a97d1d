#include "ui/icon_picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vesko::ui {

namespace {

// The three lines of the current slot.
const QColor kHighlight(199, 29, 34);

}  // namespace

QImage LoadIconImage(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

IconPicture::IconPicture(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
}

void IconPicture::SetImagePath(const QString& path, int generation) {
    const QFileInfo file(path);
    const QDateTime modified = path.isEmpty() ? QDateTime() : file.lastModified();
    const qint64 size = path.isEmpty() ? -1 : file.size();
    if (path == m_path && generation == m_generation && modified == m_modified && size == m_size) {
        return;
    }
    m_path = path;
    m_generation = generation;
    m_modified = modified;
    m_size = size;
    m_image = path.isEmpty() ? QPixmap() : QPixmap::fromImage(LoadIconImage(path));
    update();
}

void IconPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    if (m_image.isNull()) {
        DrawDefaultPicture(painter, inside);
        return;
    }
    // From one pixel above and left of the corner, at 90 % of the image's own size and
    // two pixels more, so that no gap shows along the frame; what is larger is clipped.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size(2 + static_cast<int>(0.9 * m_image.width()),
                     2 + static_cast<int>(0.9 * m_image.height()));
    painter.drawPixmap(QRect(inside.topLeft() - QPoint(1, 1), size), m_image);
    if (!isEnabled()) {
        painter.fillRect(inside, QColor(255, 255, 255, 140));
    }
}

// A television with an empty screen: plainly "no picture yet", in the desktop's colours.
void IconPicture::DrawDefaultPicture(QPainter& painter, const QRect& inside) const {
    const QPalette& colours = palette();
    QLinearGradient back(inside.topLeft(), inside.bottomLeft());
    back.setColorAt(0, colours.color(QPalette::Base));
    back.setColorAt(1, colours.color(QPalette::AlternateBase));
    painter.fillRect(inside, isEnabled() ? QBrush(back) : colours.brush(QPalette::Window));
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal h = inside.height() * 0.46;
    const qreal w = h * 1.45;
    const QRectF screen(inside.center().x() - w / 2, inside.center().y() - h * 0.62, w, h);
    QColor ink = colours.color(QPalette::Mid);
    if (!isEnabled()) {
        ink = colours.color(QPalette::Midlight);
    }
    painter.setPen(QPen(ink, 1.6));
    painter.setBrush(isEnabled() ? colours.brush(QPalette::Window) : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(screen, 4, 4);
    // The stand.
    const QPointF foot(screen.center().x(), screen.bottom() + h * 0.2);
    painter.drawLine(QPointF(foot.x(), screen.bottom()), foot);
    painter.drawLine(QPointF(foot.x() - w * 0.22, foot.y()),
                     QPointF(foot.x() + w * 0.22, foot.y()));
    // Two antennas over the set.
    painter.drawLine(QPointF(screen.center().x(), screen.top()),
                     QPointF(screen.center().x() - w * 0.18, screen.top() - h * 0.22));
    painter.drawLine(QPointF(screen.center().x(), screen.top()),
                     QPointF(screen.center().x() + w * 0.18, screen.top() - h * 0.22));
}

void IconPicture::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release on the picture; the second half of a double click
// finds the file chooser already open.
void IconPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

SlotLine::SlotLine(QWidget* parent) : QWidget(parent) {
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
}

void SlotLine::SetText(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    UpdateToolTip();
    update();
}

void SlotLine::SetHighlighted(bool highlighted) {
    if (highlighted != m_highlighted) {
        m_highlighted = highlighted;
        update();
    }
}

void SlotLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor normal =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.setPen(m_highlighted && isEnabled() ? kHighlight : normal);
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void SlotLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateToolTip();
}

void SlotLine::UpdateToolTip() {
    setToolTip(fontMetrics().horizontalAdvance(m_text) > width() ? m_text : QString());
}

}  // namespace vesko::ui
