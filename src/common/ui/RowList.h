#pragma once

#include "common/RowListModel.h"

#include <QListView>

// The list box of the list screens (lstRecords): a list view over its own
// RowListModel, single selection, every row the same size.
class RowList : public QListView
{
    Q_OBJECT
public:
    explicit RowList(QWidget *parent = nullptr);

    // Shows these rows, every row `rowSize` large, replacing what was shown.
    void setRows(const RowTable &rows, const QSize &rowSize);
    void clearRows();
    const RowTable &rows() const { return m_model->rows(); }
    RowListModel *rowModel() const { return m_model; }

    // The current row (-1 when none), and making a row current and selected.
    int currentRow() const;
    void selectRow(int row);

Q_SIGNALS:
    // A row was double-clicked.
    void rowDoubleClicked(int row);

private:
    RowListModel *m_model;
};
