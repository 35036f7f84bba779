#include "MemberArchive.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"

namespace {

using Access = RecordFileBase::Access;

} // namespace

MemberArchive::MemberArchive()
    : m_path(ArchivePaths::members())
{
}

MemberArchive::MemberArchive(QString path)
    : m_path(std::move(path))
{
}

ArchiveResult<qint64> MemberArchive::count() const
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Read))
        return ArchiveResult<qint64>::failure(file.errorString());
    const qint64 n = file.count();
    const QString why = file.errorString();
    file.close();
    if (n < 0)
        return ArchiveResult<qint64>::failure(why);
    return ArchiveResult<qint64>::success(n);
}

ArchiveResult<StoredMember> MemberArchive::read(qint64 position) const
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Read))
        return ArchiveResult<StoredMember>::failure(file.errorString());
    StoredMember member;
    member.position = position;
    const bool ok = file.read(position, member.record);
    const QString why = file.errorString();
    file.close();
    if (!ok)
        return ArchiveResult<StoredMember>::failure(why);
    return ArchiveResult<StoredMember>::success(std::move(member));
}

ArchiveResult<qint64> MemberArchive::append(const TSchedaSocio &record) const
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Write))
        return ArchiveResult<qint64>::failure(file.errorString());
    qint64 position = 0;
    const bool ok = file.append(record, &position);
    const QString why = file.errorString();
    file.close();
    if (!ok)
        return ArchiveResult<qint64>::failure(why);
    return ArchiveResult<qint64>::success(position);
}

ArchiveResult<qint64> MemberArchive::overwrite(qint64 position, const TSchedaSocio &record) const
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Write))
        return ArchiveResult<qint64>::failure(file.errorString());
    const bool ok = file.overwrite(position, record);
    const QString why = file.errorString();
    file.close();
    if (!ok)
        return ArchiveResult<qint64>::failure(why);
    return ArchiveResult<qint64>::success(position);
}

MemberArchive::Contents MemberArchive::readAll() const
{
    Contents out;
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Read)) {
        out.error = file.errorString();
        return out;
    }
    out.count = file.count();
    if (out.count < 0) {
        out.error = file.errorString();
        file.close();
        return out;
    }
    out.records.reserve(out.count);
    for (qint64 p = 1; p <= out.count; ++p) {
        TSchedaSocio record;
        if (!file.readNext(record)) {
            out.error = file.errorString();
            break;
        }
        out.records.append(std::move(record));
    }
    file.close();
    return out;
}
