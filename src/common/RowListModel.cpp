#include "RowListModel.h"

RowListModel::RowListModel(QObject *parent) : QAbstractListModel(parent) {}

void RowListModel::setRows(const RowTable &rows, const QSize &rowSize)
{
    beginResetModel();
    m_rows = rows;
    m_rowSize = rowSize;
    m_textsMade = 0;
    endResetModel();
}

void RowListModel::clear() { setRows(RowTable()); }

int RowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant RowListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        ++m_textsMade;
        return m_rows.text(index.row());
    case Qt::SizeHintRole:
        return m_rowSize.isValid() ? QVariant(m_rowSize) : QVariant();
    case PositionRole:
        return m_rows.position(index.row());
    default:
        return {};
    }
}

Qt::ItemFlags RowListModel::flags(const QModelIndex &index) const
{
    // Rows are chosen, never edited nor dragged.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}
