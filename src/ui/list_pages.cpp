#include "ui/list_pages.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include "app/editor_dlg.h"
#include "pages/satellites/satellite_page.h"
#include "pages/satellites/transponder_page.h"
#include "pages/services/service_page.h"
#include "ui/drag_list_view.h"
#include "ui/qt_text.h"

namespace vesko::ui {

ServicePageWidget::ServicePageWidget(CEditorDlg& editor, CServicePage& page, QWidget* parent)
    : PageWidget(editor, page.Tab(), kListPageWidth, kListPageHeight, parent), m_page(page) {
    m_list = Place(new DragListView(page.List(), this), 7, 7, 684, 288);
    AdoptList(m_list, 0);
    SetFocusTarget(m_list);
}

namespace {

// The release of a key with which the user moves through a list: by then the list
// has moved its selection.
bool IsSelectionMoveRelease(const QEvent& event) {
    if (event.type() != QEvent::KeyRelease) {
        return false;
    }
    switch (static_cast<const QKeyEvent&>(event).key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace

SatellitePageWidget::SatellitePageWidget(CEditorDlg& editor, CSatellitePage& page, QWidget* parent)
    : PageWidget(editor, page.Tab(), kListPageWidth, kListPageHeight, parent), m_page(page) {
    m_tunerButton = Place(new QPushButton(this), 14, 2, 44, 14);
    m_kindButton = Place(new QPushButton(this), 527, 2, 44, 14);
    m_satellites = Place(new DragListView(page.SatelliteList(), this), 7, 16, 520, 279);
    m_services = Place(new DragListView(page.ServiceList(), this), 527, 16, 164, 279);
    m_services->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tunerButton->setAutoDefault(false);
    m_kindButton->setAutoDefault(false);
    AdoptList(m_satellites, 0);
    AdoptList(m_services, 1);
    SetFocusTarget(m_satellites);
    connect(m_tunerButton, &QPushButton::clicked, this, [this] {
        m_page.CycleTuner(Editor().GetPlatform());
        Refresh();
    });
    connect(m_kindButton, &QPushButton::clicked, this, [this] {
        m_page.ToggleServiceKind();
        Refresh();
    });
    m_satellites->installEventFilter(this);
    Refresh();
}

bool SatellitePageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_satellites && IsSelectionMoveRelease(*event)) {
        m_page.TakeSelectedSatellite();
    }
    return PageWidget::eventFilter(watched, event);
}

void SatellitePageWidget::Refresh() {
    m_tunerButton->setText(ToQString(m_page.TunerButtonText()));
    m_tunerButton->setVisible(m_page.IsTunerButtonVisible());
    m_kindButton->setText(ToQString(m_page.ServiceKindButtonText()));
}

TransponderPageWidget::TransponderPageWidget(CEditorDlg& editor, CTransponderPage& page,
                                             QWidget* parent)
    : PageWidget(editor, page.Tab(), kListPageWidth, kListPageHeight, parent), m_page(page) {
    if (page.Traits().hasSatelliteChoice) {
        m_satelliteChoice = Place(new QComboBox(this), 350, 2, 130, 13);
        m_satelliteChoice->setMaxVisibleItems(12);
    }
    m_kindButton = Place(new QPushButton(this), 527, 2, 44, 14);
    m_kindButton->setAutoDefault(false);
    m_transponders = Place(new DragListView(page.TransponderList(), this), 7, 16, 520, 279);
    m_services = Place(new DragListView(page.ServiceList(), this), 527, 16, 164, 279);
    AdoptList(m_transponders, 0);
    AdoptList(m_services, 1);
    SetFocusTarget(m_transponders);
    if (m_satelliteChoice) {
        connect(m_satelliteChoice, &QComboBox::activated, this, [this](int index) {
            m_page.SelectSatellite(index);
            Refresh();
        });
    }
    connect(m_kindButton, &QPushButton::clicked, this, [this] {
        m_page.ToggleServiceKind();
        Refresh();
    });
    m_transponders->installEventFilter(this);
    Refresh();
}

bool TransponderPageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_transponders) {
        if (IsSelectionMoveRelease(*event)) {
            m_page.TakeSelectedTransponder();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
                   m_page.Traits().rewritesOnEscape) {
            // A write like any other: checked, and one step for Undo.
            Editor().RunPageAction([this] { m_page.RewriteInListOrder(m_page.CurrentSatIndex()); },
                                   u"Write the transponder order");
        }
    }
    return PageWidget::eventFilter(watched, event);
}

void TransponderPageWidget::Refresh() {
    m_kindButton->setText(ToQString(m_page.ServiceKindButtonText()));
    if (!m_satelliteChoice) {
        return;
    }
    QStringList items;
    for (const auto& item : m_page.SatelliteChoice()) {
        items << ToQString(item);
    }
    QStringList shown;
    for (int i = 0; i < m_satelliteChoice->count(); ++i) {
        shown << m_satelliteChoice->itemText(i);
    }
    if (items != shown) {
        const QSignalBlocker block(m_satelliteChoice);
        m_satelliteChoice->clear();
        m_satelliteChoice->addItems(items);
    }
    if (m_page.m_satIndex >= 0 && m_page.m_satIndex < m_satelliteChoice->count()) {
        const QSignalBlocker block(m_satelliteChoice);
        m_satelliteChoice->setCurrentIndex(m_page.m_satIndex);
    }
}

}  // namespace vesko::ui
