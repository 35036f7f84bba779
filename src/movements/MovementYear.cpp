#include "MovementYear.h"

#include "common/RecordFile.h"

MovementYear::MovementYear(QString path)
    : m_path(std::move(path))
{
}

std::optional<StoredMovement> MovementYear::read(qint64 position) const
{
    RecordFile<TSchedaMovimento> file;
    if (position < 1 || !file.open(m_path, RecordFileBase::Access::Read))
        return std::nullopt;
    StoredMovement m{position, {}};
    const bool ok = file.read(position, m.record);
    file.close();
    if (!ok)
        return std::nullopt;
    return m;
}

bool MovementYear::readAll(const std::function<void(qint64)> &counted,
                           const std::function<void(const StoredMovement &)> &each) const
{
    RecordFile<TSchedaMovimento> file;
    if (!file.open(m_path, RecordFileBase::Access::Read))
        return false;
    const qint64 count = file.count();
    if (count < 0) {
        file.close();
        return false;
    }
    counted(count);
    StoredMovement m;
    for (m.position = 1; m.position <= count; ++m.position) {
        if (!file.readNext(m.record)) {
            file.close();
            return false;
        }
        each(m);
    }
    file.close();
    return true;
}
