#include "ui/icon_page_widget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include "app/editor_dlg.h"
#include "ui/drag_list_view.h"
#include "ui/icon_picture.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

constexpr double kIconPageWidth = 700;
constexpr double kIconPageHeight = 315;
constexpr double kSlotX[CIconPage::kSlotColumns] = {8, 109, 210, 311, 412, 513};
constexpr double kSlotY[3] = {23, 116, 209};
constexpr double kPictureWidth = 90;
constexpr double kPictureHeight = 57;
constexpr double kLineHeight = 8;
// A wheel's notch.
constexpr int kWheelStep = 120;

}  // namespace

IconPageWidget::IconPageWidget(CEditorDlg& editor, CIconPage& page, QWidget* parent)
    : PageWidget(editor, page.Tab(), kIconPageWidth, kIconPageHeight, parent), m_page(page) {
    setFocusPolicy(Qt::StrongFocus);
    SetFocusTarget(this);
    connect(Button(tr("Load icon"), "icon.load", 9, 50), &QPushButton::clicked, this,
            [this] { Act(IconPageAction::LoadIcon); });
    connect(Button(tr("Search"), "icon.search", 70, 50), &QPushButton::clicked, this,
            [this] { Act(IconPageAction::Search); });
    connect(Button(tr("GoTo"), "icon.goTo", 321, 40), &QPushButton::clicked, this,
            [this] { Act(IconPageAction::GoTo); });
    m_pageNumber = Place(new QLineEdit(this), 367, 7, 20, 14);
    m_pageNumber->setObjectName(QStringLiteral("icon.pageNumber"));
    m_pageNumber->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_pageNumber));
    m_pageNumber->setAlignment(Qt::AlignRight);
    m_pageNumber->setAcceptDrops(false);  // a dropped folder is for the window to open
    auto* pageText = Place(new QLabel(tr("Page"), this), 391, 7, 30, 14);
    pageText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pageLabel = Place(new QLabel(this), 431, 7, 70, 14);
    m_pageLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(Button(tr("Page up"), "icon.pageUp", 505, 50), &QPushButton::clicked, this,
            [this] { Act(IconPageAction::PageUp); });
    connect(Button(tr("Page down"), "icon.pageDown", 560, 56), &QPushButton::clicked, this,
            [this] { Act(IconPageAction::PageDown); });

    for (int slot = 0; slot < CIconPage::kSlotsPerPage; ++slot) {
        const double x = kSlotX[slot % CIconPage::kSlotColumns];
        const double y = kSlotY[slot / CIconPage::kSlotColumns];
        SlotWidgets& widgets = m_slots[static_cast<std::size_t>(slot)];
        widgets.picture = Place(new IconPicture(this), x, y, kPictureWidth, kPictureHeight);
        widgets.satelliteLine = Place(new SlotLine(this), x, y + 58, kPictureWidth, kLineHeight);
        widgets.transponderLine = Place(new SlotLine(this), x, y + 69, kPictureWidth, kLineHeight);
        widgets.serviceLine = Place(new SlotLine(this), x, y + 80, kPictureWidth, kLineHeight);
        connect(widgets.picture, &IconPicture::clicked, this, [this, slot] {
            m_page.ReplaceSlotIcon(slot, Editor().GetPlatform());
            Refresh();
        });
    }
    // Keys and the wheel are the page's before any child sees them: the arrows page
    // instead of moving the caret of the number box, and Ctrl+O loads icons here.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    Refresh();
}

QPushButton* IconPageWidget::Button(const QString& text, const char* name, double x, double width) {
    auto* button = Place(new QPushButton(text, this), x, 7, width, 14);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void IconPageWidget::Act(IconPageAction action) {
    switch (action) {
        case IconPageAction::LoadIcon:
            m_page.LoadIconFolder(Editor().GetPlatform(), Editor().GetSettings());
            break;
        case IconPageAction::GoTo:
            GoToTypedPage();
            break;
        case IconPageAction::PageUp:
            m_page.PageUp();
            break;
        case IconPageAction::PageDown:
            m_page.PageDown();
            break;
        case IconPageAction::Search:
            m_page.Search(Editor().GetPlatform());
            break;
        case IconPageAction::Swallow:
        case IconPageAction::None:
            return;
    }
    Refresh();
}

// An empty box keeps the number it showed last.
void IconPageWidget::GoToTypedPage() {
    bool isNumber = false;
    const int typed = m_pageNumber->text().toInt(&isNumber);
    m_page.GoTo(isNumber ? typed : m_page.PageNumber(), Editor().GetPlatform());
}

bool IconPageWidget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        const IconPageAction action =
            IconPageActionForKey(DragListView::ToKeyPress(*static_cast<QKeyEvent*>(event)));
        if (action != IconPageAction::None) {
            event->accept();
            if (type == QEvent::KeyPress) {
                Act(action);
            }
            return true;
        }
    }
    if (type == QEvent::Wheel && watched != this) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return PageWidget::eventFilter(watched, event);
}

void IconPageWidget::wheelEvent(QWheelEvent* event) {
    event->accept();
    m_wheelTurn += event->angleDelta().y();
    for (; m_wheelTurn >= kWheelStep; m_wheelTurn -= kWheelStep) {
        Act(IconPageAction::PageUp);
    }
    for (; m_wheelTurn <= -kWheelStep; m_wheelTurn += kWheelStep) {
        Act(IconPageAction::PageDown);
    }
}

void IconPageWidget::Refresh() {
    m_pageLabel->setText(ToQString(m_page.PageLabel()));
    m_pageNumber->setText(QString::number(m_page.PageNumber()));
    for (int slot = 0; slot < CIconPage::kSlotsPerPage; ++slot) {
        const SlotRecord& data = m_page.Slots()[static_cast<std::size_t>(slot)];
        SlotWidgets& widgets = m_slots[static_cast<std::size_t>(slot)];
        widgets.picture->SetImagePath(data.iconPath.empty()
                                          ? QString()
                                          : QString::fromStdU16String(data.iconPath.u16string()),
                                      m_page.PictureGeneration());
        widgets.picture->setEnabled(data.occupied);
        const bool current = m_page.m_loaded && slot == m_page.m_currentSlot;
        widgets.satelliteLine->SetText(ToQString(data.satelliteLine));
        widgets.transponderLine->SetText(ToQString(data.transponderLine));
        widgets.serviceLine->SetText(ToQString(data.serviceLine));
        for (SlotLine* line :
             {widgets.satelliteLine, widgets.transponderLine, widgets.serviceLine}) {
            line->setEnabled(data.occupied);
            line->SetHighlighted(current);
        }
    }
}

}  // namespace vesko::ui
