#pragma once

#include "StoredMember.h"
#include "common/ArchiveResult.h"
#include "common/TSchedaSocio.h"

#include <QList>
#include <QString>

// The member archive "Soci.pro" for the screens that read or store whole
// cards. Every call opens the file and closes it before it returns, as one user
// action; an absent archive is created empty. Positions are 1-based.
class MemberArchive
{
public:
    // The archive in the program's folder.
    MemberArchive();
    explicit MemberArchive(QString path);

    // How many cards the archive holds.
    ArchiveResult<qint64> count() const;
    // The card at the position; a position outside the archive is a failure.
    ArchiveResult<StoredMember> read(qint64 position) const;
    // Stores the card after the last one: its new position.
    ArchiveResult<qint64> append(const TSchedaSocio &record) const;
    // Stores the card over the one at the position, which must exist: the position.
    ArchiveResult<qint64> overwrite(qint64 position, const TSchedaSocio &record) const;

    // Every card in file order, for the export window.
    struct Contents
    {
        // The count the archive gave when it was opened; -1 when it could not be had.
        qint64 count = -1;
        // The cards read from the first on; fewer than count when a read failed.
        QList<TSchedaSocio> records;
        // Empty when every card was read.
        QString error;
    };
    Contents readAll() const;

private:
    QString m_path;
};
