#pragma once

#include "common/RowTable.h"

#include <QAbstractListModel>
#include <QSize>

// The rows of a list screen as a Qt list model: one row per RowTable row, its
// text made only when a view asks for it, every row the same size.
class RowListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // The record position behind a row, for the opener of a double-clicked row.
    static constexpr int PositionRole = Qt::UserRole;

    explicit RowListModel(QObject *parent = nullptr);

    // Shows these rows, every row `rowSize` large, replacing what was shown.
    void setRows(const RowTable &rows, const QSize &rowSize = {});
    void clear();
    const RowTable &rows() const { return m_rows; }

    // How many row texts were made since the rows were set: the rows drawn,
    // a text asked for, an accessibility name.
    qint64 textsMade() const { return m_textsMade; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    RowTable m_rows;
    QSize m_rowSize;
    mutable qint64 m_textsMade = 0;
};
