#pragma once

#include "BankImport.h"

#include <QList>
#include <QString>

// Writes the accepted proposals of an import into the year file, all of them or
// none, under the file's exclusive lock: the settled movements are written in
// place, the new ones appended together after them. A disk that takes no more
// leaves the year file byte for byte as it was. Then the rows written join the
// ledger and the reasons chosen join the learned rules.
namespace ImportWrite {

struct Outcome
{
    enum class Status {
        Written,
        Nothing,  // no proposal was accepted
        Changed,  // a movement to settle was changed meanwhile (another workstation): nothing written
        Failed,   // the year file could not be written: nothing written
        Recorded, // the year file was written, but the ledger or the rules could not be saved
    };
    Status status = Status::Nothing;
    int settled = 0;
    int created = 0;
    QString reason;
};

// folder: the program's folder, with its trailing separator.
Outcome write(const QString &yearPath, const QString &folder, const QList<Proposal> &proposals);

// The message for the user.
QString message(const Outcome &outcome);

} // namespace ImportWrite
