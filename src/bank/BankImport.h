#pragma once

#include "BankStatement.h"
#include "ImportLedger.h"
#include "LearnedRules.h"

#include "common/TSchedaMovimento.h"
#include "movements/MovementYear.h"

#include <QList>
#include <QString>

// What an import proposes for each bank row of a statement, against the
// movements of the year it goes into.
struct Proposal
{
    enum class Action {
        Settle, // marks an unsettled movement of the year as settled
        Create, // registers a new movement
        Skip,   // leaves the row out
    };
    enum class Origin {
        Fresh,           // a row not seen before
        AlreadyImported, // the ledger holds it: shown, never proposed
        Repeated,        // identical to an earlier row of the same file, without a bank reference
        OtherYear,       // booked in another year than the year file's
    };

    BankRow row;
    QString key; // the row's key in the ledger
    Origin origin = Origin::Fresh;
    Action action = Action::Skip;
    qint64 settles = 0;        // Settle: the 1-based position of the movement in the year file
    TSchedaMovimento settled;  // Settle: the movement as it was read (checked again before writing)
    TSchedaMovimento movement; // Create: the new movement; Settle: the movement once settled
    QString note;              // why, for the user

    // The word shown in the list for the action.
    QString actionText() const;
};

struct ImportSetting
{
    int year = 0;
    QString bankPayment = QStringLiteral("Banca"); // the payment method the bank's movements get
    int windowDays = 30;                             // how far a payment may lie from its due date
    QString association = QStringLiteral("Associazione"); // the other side of every movement
};

namespace BankImport {

// The movement as a bank row makes it: income or expense from the sign, the
// booking date (also as due date), the amount, the counterparty as payer or
// beneficiary and the association on the other side, the reason from the
// learned rules or else the bank's description; settled, through the bank.
TSchedaMovimento newMovement(const BankRow &row, const LearnedRules &rules, const ImportSetting &setting);

// A proposal for every row, in the rows' order. An unsettled movement of the
// year with the same amount and kind, dated (its due date, else its date)
// within the window, and whose payer or beneficiary, when it names one, is
// named in the row's texts, is settled, the nearest in date first; each
// movement is settled by one row at most. Otherwise a new movement.
QList<Proposal> propose(const QList<BankRow> &rows, const QList<StoredMovement> &movements, const ImportLedger &ledger,
                        const LearnedRules &rules, const ImportSetting &setting);

// The proposal turned to another action by the user (Settle only where it settles a movement).
void choose(Proposal &p, Proposal::Action action, const LearnedRules &rules, const ImportSetting &setting);

// The amount of a stored movement in cents, signed by its kind; nothing when unreadable.
std::optional<qint64> signedCents(const TSchedaMovimento &m);

} // namespace BankImport
