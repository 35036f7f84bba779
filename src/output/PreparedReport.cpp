#include "PreparedReport.h"

const PreparedItem *PreparedPage::find(const QString &name) const
{
    for (const PreparedItem &item : items)
        if (item.name == name)
            return &item;
    return nullptr;
}

QList<const PreparedItem *> PreparedPage::findAll(const QString &name) const
{
    QList<const PreparedItem *> found;
    for (const PreparedItem &item : items)
        if (item.name == name)
            found.append(&item);
    return found;
}

QStringList PreparedPage::texts() const
{
    QStringList all;
    for (const PreparedItem &item : items)
        if (item.kind == ReportKind::Text)
            all += item.lines;
    return all;
}
