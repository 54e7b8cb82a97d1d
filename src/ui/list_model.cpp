#include "ui/list_model.h"

#include "ui/images.h"

namespace vesko::ui {

DragListModel::DragListModel(CDragListCtrl& list, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_rowCount(list.GetItemCount()) {
    m_list.SetObserver(this);
}

DragListModel::~DragListModel() {
    if (m_list.GetObserver() == this) {
        m_list.SetObserver(nullptr);
    }
}

int DragListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int DragListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_list.GetColumnCount();
}

QVariant DragListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole: {
            const std::u16string& text = m_list.GetItemText(index.row(), index.column());
            if (text.empty()) {
                return {};
            }
            return QString::fromStdU16String(text);
        }
        case Qt::DecorationRole: {
            const int image = m_list.GetItemImage(index.row(), index.column());
            if (image < 0) {
                return {};
            }
            return ListImage(image);
        }
        default:
            return {};
    }
}

QVariant DragListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_list.GetColumnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromStdU16String(m_list.GetColumns()[section].header);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void DragListModel::OnListReset() {
    m_rowsChanging = true;
    beginResetModel();
    m_rowCount = m_list.GetItemCount();
    endResetModel();
    m_rowsChanging = false;
    emit stateChanged();
}

void DragListModel::OnRowsInserted(int row, int count) {
    m_rowsChanging = true;
    beginInsertRows({}, row, row + count - 1);
    m_rowCount += count;
    endInsertRows();
    m_rowsChanging = false;
    emit rowsAdded(row, count);
}

void DragListModel::OnRowsRemoved(int row, int count) {
    m_rowsChanging = true;
    beginRemoveRows({}, row, row + count - 1);
    m_rowCount -= count;
    endRemoveRows();
    m_rowsChanging = false;
    // The selection model drops the removed rows itself; the others keep their state.
}

void DragListModel::OnRowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, std::max(0, columnCount() - 1)));
}

void DragListModel::OnStateChanged() {
    // A batch of cell changes ends with a state notification too: repaint what shows.
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
    emit stateChanged();
}

void DragListModel::OnEnsureVisible(int row) {
    emit ensureVisible(row);
}

void DragListModel::OnScrollTo(int row) {
    emit scrollToTop(row);
}

}  // namespace vesko::ui
