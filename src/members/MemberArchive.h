#pragma once

#include "StoredMember.h"
#include "common/ArchiveResult.h"
#include "common/TSchedaSocio.h"

#include <QString>

#include <functional>

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

    // Reads every card in file order under one opening: `counted` first receives
    // how many cards the archive holds, then `each` gets every card with its
    // position. A card that cannot be read ends the reading; the cards handed
    // over before it stay handed over. The result: how many cards were handed
    // over, or why the reading stopped.
    ArchiveResult<qint64> readAll(const std::function<void(qint64 count)> &counted,
                                  const std::function<void(const StoredMember &member)> &each) const;

private:
    QString m_path;
};
