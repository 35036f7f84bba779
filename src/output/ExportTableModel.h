#pragma once

#include "ExportCells.h"
#include "ExportSheet.h"
#include "common/ArchiveResult.h"

#include <QAbstractTableModel>
#include <QHash>

// The rows of an export grid for a table view: the cells as read from the
// archive (ExportCells) and, beside them, the cells the user typed over. A cell's
// text is made only when the view asks for it, and the worksheet is written from
// the same cells, typed-over ones included. Nothing typed reaches the archive.
class ExportTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ExportTableModel(ExportSheet sheet, QObject *parent = nullptr);

    const ExportSheet &sheet() const { return m_sheet; }

    // Reads the archive at path from its first record to its last, replacing
    // the rows and whatever was typed; an absent archive is created empty. The
    // grid has one row per record; a record that cannot be read ends the reading,
    // the rows read so far keep their cells and the others stay empty. The result:
    // the records read, or why the reading stopped.
    ArchiveResult<qint64> load(const QString &path);
    // No rows, nothing typed.
    void clear();

    // The worksheet of the rows as the grid shows them.
    ExportDescription description() const;

    // How many cells hold a typed-over text.
    qsizetype typedCells() const { return m_typed.size(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    static qint64 key(qint64 row, int column) { return row * 1024 + column; }
    QString text(qint64 row, int column) const;

    ExportSheet m_sheet;
    ExportCells m_cells; // columns 1 to the last; column 0 is the position
    QHash<qint64, QString> m_typed;
};
