#pragma once

#include "common/RowTable.h"

#include <QListWidget>
#include <QSize>

// The list box of the list screens (lstRecords): a view over the rows of a
// RowTable. It keeps one item per row, as a list box does, but an item holds
// neither text nor size: it answers from the table, so a row's text is
// decoded only when the view draws the row (or something asks for it), and
// filling the list with 100,000 rows makes no string at all.
class RowList : public QListWidget
{
    Q_OBJECT
public:
    explicit RowList(QWidget *parent = nullptr);
    ~RowList() override;

    // Shows these rows, every item `itemSize` large, replacing what was shown.
    void setRows(const RowTable &rows, const QSize &itemSize);
    // Empties the list.
    void clearRows();
    const RowTable &rows() const { return m_rows; }
    // How many times a row's text has been made since the list was filled:
    // for the rows drawn, an item's text asked for, an accessibility name.
    qint64 textsMade() const { return m_textsMade; }

private:
    class Row;
    QVariant rowData(const QListWidgetItem *item, int role) const;

    RowTable m_rows;
    QSize m_itemSize;
    mutable qint64 m_textsMade = 0;
};
