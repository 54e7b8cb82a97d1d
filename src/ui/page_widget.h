#pragma once
// Base of the nine tab pages: controls are placed by their dialog-unit rectangles on a
// page of a given size in units, scaled to the room the tab gives the page, so that
// every page keeps its arrangement and proportions inside the fixed main window.

#include <QRectF>
#include <QWidget>
#include <vector>

#include "pages/page.h"

namespace vesko {
class CEditorDlg;
}

namespace vesko::ui {

class DragListView;

class PageWidget : public QWidget {
    Q_OBJECT
public:
    PageWidget(CEditorDlg& editor, PageTab tab, double widthUnits, double heightUnits,
               QWidget* parent = nullptr);

    PageTab Tab() const { return m_tab; }

    // Shows the page's current state in the controls that lists do not carry.
    virtual void Refresh() {}
    // The list that takes the keyboard focus when the page is shown (may be null).
    virtual QWidget* FocusTarget() const { return m_focusTarget; }

signals:
    void command(int command);

protected:
    // Places `widget` (a child of this page) at a rectangle in page units.
    template <class W>
    W* Place(W* widget, double x, double y, double w, double h) {
        m_placed.push_back({widget, QRectF(x, y, w, h)});
        return widget;
    }
    // The page's list number `listIndex` (its index in the page's Lists()): its keys,
    // double-clicks and right clicks are looked up in the editor's command table, and
    // the commands they raise leave through the page.
    void AdoptList(DragListView* view, int listIndex);
    CEditorDlg& Editor() const { return m_editor; }
    void SetFocusTarget(QWidget* widget) { m_focusTarget = widget; }
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        QWidget* widget;
        QRectF units;
    };
    CEditorDlg& m_editor;
    PageTab m_tab;
    double m_widthUnits;
    double m_heightUnits;
    std::vector<Placed> m_placed;
    QWidget* m_focusTarget = nullptr;
};

}  // namespace vesko::ui
