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

ArchiveResult<qint64> MemberArchive::readAll(const std::function<void(qint64)> &counted,
                                             const std::function<void(const StoredMember &)> &each) const
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(m_path, Access::Read))
        return ArchiveResult<qint64>::failure(file.errorString());
    const qint64 count = file.count();
    if (count < 0) {
        const QString why = file.errorString();
        file.close();
        return ArchiveResult<qint64>::failure(why);
    }
    counted(count);
    StoredMember member;
    for (member.position = 1; member.position <= count; ++member.position) {
        if (!file.readNext(member.record)) {
            const QString why = file.errorString();
            file.close();
            return ArchiveResult<qint64>::failure(why);
        }
        each(member);
    }
    file.close();
    return ArchiveResult<qint64>::success(count);
}
