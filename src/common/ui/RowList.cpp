#include "RowList.h"

#include <QSignalBlocker>

// An item of the list that answers from the list's table.
class RowList::Row : public QListWidgetItem
{
public:
    QVariant data(int role) const override
    {
        const auto *list = static_cast<const RowList *>(listWidget());
        return list ? list->rowData(this, role) : QVariant();
    }
    // Nothing is written into a row: the table is what the list shows.
    void setData(int, const QVariant &) override {}
};

RowList::RowList(QWidget *parent) : QListWidget(parent) {}

RowList::~RowList() { clear(); }

QVariant RowList::rowData(const QListWidgetItem *item, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole: {
        const int at = row(item);
        if (at < 0 || at >= m_rows.size())
            return {};
        ++m_textsMade;
        return m_rows.text(at);
    }
    case Qt::SizeHintRole:
        return m_itemSize;
    default:
        return {};
    }
}

void RowList::setRows(const RowTable &rows, const QSize &itemSize)
{
    clearRows();
    m_rows = rows;
    m_itemSize = itemSize;
    m_textsMade = 0;
    {
        // The items go in without the view hearing of each one: it takes them
        // in all at once below, as after a new model.
        const QSignalBlocker quiet(model());
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            addItem(new Row);
    }
    reset();
}

void RowList::clearRows()
{
    clear();
    m_rows = RowTable();
}
