#include "ui/icon_page_widget.h"

#include <QFrame>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "pages/icons/icon_page.h"

namespace vesko::ui {

// One picture slot: the service's icon scaled into the frame, or a plain default
// picture when there is no icon file.
class IconPicture : public QFrame {
public:
    explicit IconPicture(QWidget* parent) : QFrame(parent) {
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
    }
    void SetImagePath(const QString& path) {
        if (path == m_path) {
            return;
        }
        m_path = path;
        m_image = path.isEmpty() ? QPixmap() : QPixmap(path);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.setClipRect(inside);
        if (!m_image.isNull()) {
            // A little larger than the image's own 90 %, so the frame edge is covered.
            const QSize size(2 + static_cast<int>(0.9 * m_image.width()),
                             2 + static_cast<int>(0.9 * m_image.height()));
            painter.drawPixmap(QRect(inside.topLeft() - QPoint(1, 1), size), m_image);
            return;
        }
        DrawDefaultPicture(painter, inside);
    }

private:
    void DrawDefaultPicture(QPainter& painter, const QRect& inside) const {
        painter.fillRect(inside, palette().color(isEnabled() ? QPalette::Base : QPalette::Window));
        painter.setRenderHint(QPainter::Antialiasing);
        const int h = inside.height() * 3 / 5;
        const int w = h * 4 / 3;
        const QRect screen(inside.center().x() - w / 2, inside.center().y() - h / 2 - 2, w, h);
        const QColor ink = palette().color(isEnabled() ? QPalette::Mid : QPalette::Midlight);
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(screen, 3, 3);
        painter.drawLine(screen.center().x() - w / 5, screen.bottom() + 4,
                         screen.center().x() + w / 5, screen.bottom() + 4);
    }

    QString m_path;
    QPixmap m_image;
};

namespace {

constexpr double kIconPageWidth = 700;
constexpr double kIconPageHeight = 315;
constexpr double kSlotX[6] = {8, 109, 210, 311, 412, 513};
constexpr double kSlotY[3] = {23, 116, 209};
constexpr double kPictureWidth = 90;
constexpr double kPictureHeight = 57;

QLabel* SlotLine(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    return label;
}

}  // namespace

IconPageWidget::IconPageWidget(CEditorDlg& editor, CIconPage& page, QWidget* parent)
    : PageWidget(editor, page.Tab(), kIconPageWidth, kIconPageHeight, parent), m_page(page) {
    Button(tr("Load icon"), 9, 50);
    Button(tr("Search"), 70, 50);
    Button(tr("GoTo"), 321, 40);
    m_pageNumber = Place(new QLineEdit(this), 367, 7, 20, 14);
    m_pageNumber->setValidator(new QIntValidator(0, 9999, m_pageNumber));
    m_pageNumber->setMaxLength(4);
    m_pageNumber->setAcceptDrops(false);  // a dropped folder is for the window to open
    auto* pageText = Place(new QLabel(tr("Page"), this), 391, 7, 30, 14);
    pageText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pageLabel = Place(new QLabel(this), 431, 7, 70, 14);
    m_pageLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Button(tr("Page up"), 505, 50);
    Button(tr("Page down"), 560, 56);

    for (int slot = 0; slot < CIconPage::kSlotsPerPage; ++slot) {
        const double x = kSlotX[slot % CIconPage::kSlotColumns];
        const double y = kSlotY[slot / CIconPage::kSlotColumns];
        SlotWidgets& widgets = m_slots[static_cast<std::size_t>(slot)];
        widgets.picture = Place(new IconPicture(this), x, y, kPictureWidth, kPictureHeight);
        widgets.satelliteLine = Place(SlotLine(this), x, y + 58, kPictureWidth, 8);
        widgets.transponderLine = Place(SlotLine(this), x, y + 69, kPictureWidth, 8);
        widgets.serviceLine = Place(SlotLine(this), x, y + 80, kPictureWidth, 8);
    }
    Refresh();
}

QPushButton* IconPageWidget::Button(const QString& text, double x, double width) {
    auto* button = Place(new QPushButton(text, this), x, 7, width, 14);
    button->setAutoDefault(false);
    return button;
}

void IconPageWidget::Refresh() {
    m_pageLabel->setText(QString::fromStdU16String(m_page.PageLabel()));
    m_pageNumber->setText(QString::number(m_page.PageNumber()));
    const QColor highlight(199, 29, 34);
    for (int slot = 0; slot < CIconPage::kSlotsPerPage; ++slot) {
        const IconSlot& data = m_page.Slots()[static_cast<std::size_t>(slot)];
        SlotWidgets& widgets = m_slots[static_cast<std::size_t>(slot)];
        widgets.picture->SetImagePath(data.iconPath.empty()
                                          ? QString()
                                          : QString::fromStdU16String(data.iconPath.u16string()));
        widgets.picture->setEnabled(data.occupied);
        const bool current = m_page.m_loaded && slot == m_page.m_currentSlot;
        for (QLabel* line : {widgets.satelliteLine, widgets.transponderLine, widgets.serviceLine}) {
            line->setEnabled(data.occupied);
            QPalette colours = line->palette();
            colours.setColor(QPalette::WindowText,
                             current ? highlight : palette().color(QPalette::WindowText));
            line->setPalette(colours);
        }
        widgets.satelliteLine->setText(QString::fromStdU16String(data.satelliteLine));
        widgets.transponderLine->setText(QString::fromStdU16String(data.transponderLine));
        widgets.serviceLine->setText(QString::fromStdU16String(data.serviceLine));
    }
}

}  // namespace vesko::ui
