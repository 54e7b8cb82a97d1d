#pragma once
// The Qt table model of one CDragListCtrl. It answers every question straight from the
// control's rows and turns the control's change notifications into model signals.

#include <QAbstractTableModel>
#include <functional>

#include "controls/drag_list_ctrl.h"

namespace vesko::ui {

class DragListModel : public QAbstractTableModel, public IListObserver {
    Q_OBJECT
public:
    explicit DragListModel(CDragListCtrl& list, QObject* parent = nullptr);
    ~DragListModel() override;

    CDragListCtrl& List() { return m_list; }
    // True while rows are being inserted, removed or reset.
    bool RowsChanging() const { return m_rowsChanging; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // IListObserver
    void OnListReset() override;
    void OnRowsInserted(int row, int count) override;
    void OnRowsRemoved(int row, int count) override;
    void OnRowChanged(int row) override;
    void OnStateChanged() override;
    void OnEnsureVisible(int row) override;
    void OnScrollTo(int row) override;

signals:
    // The control's selection or focus changed: the view copies it.
    void stateChanged();
    // Rows came in; the view copies their own state (the rows around them keep theirs).
    void rowsAdded(int row, int count);
    void ensureVisible(int row);
    void scrollToTop(int row);

private:
    CDragListCtrl& m_list;
    // The row count the views were last told about; the control itself has already
    // moved on when it notifies, so the model steps this count between begin and end.
    int m_rowCount = 0;
    bool m_rowsChanging = false;
};

}  // namespace vesko::ui
