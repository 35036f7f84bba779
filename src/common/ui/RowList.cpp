#include "RowList.h"

RowList::RowList(QWidget *parent) : QListView(parent), m_model(new RowListModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT rowDoubleClicked(index.row());
    });
}

void RowList::setRows(const RowTable &rows, const QSize &rowSize) { m_model->setRows(rows, rowSize); }

void RowList::clearRows() { m_model->clear(); }

int RowList::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RowList::selectRow(int row)
{
    const QModelIndex index = m_model->index(row);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}
