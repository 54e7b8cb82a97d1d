#pragma once
// The Fav Tv and Fav Radio pages: the group list on the left, the services of the
// current group on the right.

#include "ui/page_widget.h"

namespace vesko {
class CFavPage;
}

namespace vesko::ui {

class DragListView;

class FavPageWidget : public PageWidget {
    Q_OBJECT
public:
    FavPageWidget(CEditorDlg& editor, CFavPage& page, QWidget* parent = nullptr);
    DragListView* GroupView() const { return m_groups; }
    DragListView* ServiceView() const { return m_services; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFavPage& m_page;
    DragListView* m_groups;
    DragListView* m_services;
};

}  // namespace vesko::ui
