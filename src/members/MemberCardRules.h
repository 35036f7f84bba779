#pragma once

#include "common/TSchedaSocio.h"

#include <QString>

#include <optional>

// The decisions of the member card that need no widget: which control shows
// each record field, the checks before a save, where a browse arrow leads and
// which code check a tax code goes to. The card screen carries them out.
namespace MemberCardRules {

// The first 19 record fields are edits txt<Field>; the six attachment fields are
// hidden labels lbl<Field>.
inline constexpr int kEditCount = 19;
QString controlName(int fieldIndex);

// The first check a card fails before it may be stored, in the order the user
// is told about them, with the field that gets the focus.
struct SaveProblem
{
    enum class Kind { Warning, Plain };
    Kind kind;
    QString TSchedaSocio::*field;
    QString message;
};
// `card` holds the trimmed texts of the card, as recordFromCard() gives them.
std::optional<SaveProblem> checkForSave(const TSchedaSocio &card);

// What a browse arrow does, given the record count and the position of the card
// shown (none for a card not stored yet).
enum class Arrow { First, Previous, Next, Last };
struct BrowseStep
{
    enum class Kind {
        Load,          // show the record at `position`
        EmptyArchive,  // tell the user there is no card
        Nothing,       // already on the first or last record
    };
    Kind kind;
    qint64 position = 0;
    bool clearPosition = false; // the card forgets its position as well
};
BrowseStep browse(Arrow arrow, qint64 count, std::optional<qint64> position);

// A tax code made only of the digits 0-9 is a company's VAT number.
bool isVatNumber(const QString &trimmedCode);

// The card's own messages.
QString accessError();
QString emptyArchive();
QString inserted();
QString changesSaved();
QString photoNotSaved();
QString duplicateNeedsStoredCard();
QString duplicated();
// The member picked in the search or a list could not be read back from the archive.
QString chosenMemberUnreadable();
// The question asked before storing a card whose tax code another stored
// member already holds.
QString taxCodeAlreadyStored(const QString &code, qint64 position, const QString &name);

} // namespace MemberCardRules
