#pragma once
// The pieces of one picture slot of the Icon page: the picture, which decodes the
// service's icon file and draws it the way the receiver's tools do (a little under its
// own size, clipped to the frame), and the text lines under it.

#include <QDateTime>
#include <QFrame>
#include <QPixmap>
#include <QString>

namespace vesko::ui {

// An icon file as a picture: decoded from its content (a JPEG, whatever the name says);
// a null image when it cannot be read.
QImage LoadIconImage(const QString& path);

class IconPicture : public QFrame {
    Q_OBJECT
public:
    explicit IconPicture(QWidget* parent);

    // Shows the icon at `path`, or the default picture for an empty path or a file that
    // cannot be decoded. The file is read again when it changed, or when `generation`
    // differs from the last call (the page replaced a picture).
    void SetImagePath(const QString& path, int generation);
    bool ShowsDefault() const { return m_image.isNull(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawDefaultPicture(QPainter& painter, const QRect& inside) const;

    QString m_path;
    int m_generation = -1;
    QDateTime m_modified;
    qint64 m_size = -1;
    QPixmap m_image;
    bool m_pressed = false;
};

// One text line under a picture: cut with an ellipsis when it is wider than the slot
// (the whole text is its tool tip then), red for the page's current slot.
class SlotLine : public QWidget {
    Q_OBJECT
public:
    explicit SlotLine(QWidget* parent);
    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return m_highlighted; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();

    QString m_text;
    bool m_highlighted = false;
};

}  // namespace vesko::ui
