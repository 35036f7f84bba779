#include "RowSizeDelegate.h"

RowSizeDelegate::RowSizeDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QSize RowSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return m_size.isValid() ? m_size : QStyledItemDelegate::sizeHint(option, index);
}
