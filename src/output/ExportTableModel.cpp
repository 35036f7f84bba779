#include "ExportTableModel.h"

#include "common/RecordFileBase.h"
#include "common/Win1252.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// After this many records the text of the rest is estimated and reserved at once.
constexpr qint64 kSampleRecords = 256;

} // namespace

ExportTableModel::ExportTableModel(ExportSheet sheet, QObject *parent)
    : QAbstractTableModel(parent)
    , m_sheet(std::move(sheet))
{
    Q_ASSERT(m_sheet.columns.size() < 1024);
}

ArchiveResult<qint64> ExportTableModel::load(const QString &path)
{
    beginResetModel();
    m_typed.clear();
    const int cellColumns = int(m_sheet.columns.size()) - 1;
    m_cells.reset(0, cellColumns);

    RecordFileBase file(m_sheet.recordSize);
    const auto stop = [&](const QString &why) {
        file.close();
        endResetModel();
        return ArchiveResult<qint64>::failure(why);
    };
    if (!file.open(path, RecordFileBase::Access::Read))
        return stop(file.errorString());
    const qint64 count = file.count();
    if (count < 0)
        return stop(file.errorString());
    m_cells.reset(count, cellColumns);
    for (qint64 r = 0; r < count; ++r) {
        const char *record = file.readNextInPlace();
        if (!record)
            return stop(file.errorString());
        m_cells.beginRow();
        for (int c = 1; c <= cellColumns; ++c) {
            const ExportSheet::Column &col = m_sheet.columns[c];
            const QByteArrayView field = RecordCodec::trimmedBytes(record, col.field);
            m_cells.addCell(col.derive ? col.derive(field) : field);
        }
        if (r + 1 == kSampleRecords && count > kSampleRecords)
            m_cells.reserveBytes(m_cells.textBytes() * count / kSampleRecords * 9 / 8);
    }
    file.close();
    endResetModel();
    return ArchiveResult<qint64>::success(count);
}

void ExportTableModel::clear()
{
    beginResetModel();
    m_typed.clear();
    m_cells.reset(0, int(m_sheet.columns.size()) - 1);
    endResetModel();
}

QString ExportTableModel::text(qint64 row, int column) const
{
    const auto typed = m_typed.constFind(key(row, column));
    if (typed != m_typed.constEnd())
        return typed.value();
    if (column == 0)
        return row < m_cells.filledRows() ? QString::number(row + 1) : QString();
    const QByteArrayView bytes = m_cells.cell(row, column - 1);
    return Win1252::decode(bytes.data(), int(bytes.size()));
}

ExportDescription ExportTableModel::description() const
{
    ExportDescription d = m_sheet.description({});
    d.rowCount = m_cells.rowCount();
    d.cell = [this](qint64 row, int column) -> ExportDescription::Cell {
        // Exported column i is grid column i + 1.
        if (!m_typed.isEmpty()) {
            const auto typed = m_typed.constFind(key(row, column + 1));
            if (typed != m_typed.constEnd())
                return {{}, &typed.value()};
        }
        return {m_cells.cell(row, column), nullptr};
    };
    return d;
}

int ExportTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(std::min<qint64>(m_cells.rowCount(), std::numeric_limits<int>::max()));
}

int ExportTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_sheet.columns.size());
}

QVariant ExportTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return text(index.row(), index.column());
}

QVariant ExportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_sheet.columns.size())
        return m_sheet.columns[section].gridHeader;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ExportTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_sheet.columns[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ExportTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_typed.insert(key(index.row(), index.column()), value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}
