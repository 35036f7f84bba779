#pragma once

#include <QStyledItemDelegate>

// Gives every row of a list one size, set once for the whole list, where an
// item per row would otherwise carry a size of its own.
class RowSizeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit RowSizeDelegate(QObject *parent = nullptr);

    void setRowSize(const QSize &size) { m_size = size; }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QSize m_size;
};
