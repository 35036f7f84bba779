#pragma once

#include "MovementCardValues.h"

#include <QColor>
#include <QDate>
#include <QString>

#include <optional>

// The decisions of the movement card and of its year chooser that need no
// widget: the record a card stores, what a stored record puts on the card, the
// new and the duplicated card, the checks before a save, where a browse button
// leads, and the texts the two screens show.
namespace MovementCardRules {

// The record the card stores: every text trimmed, the yes/no fields from the
// switches, Totale signed by the movement type.
TSchedaMovimento compose(const MovementCardValues &card);

// The card showing a stored record. A yes/no field holding anything but "Sì"
// or "No" leaves its switch as `current` has it.
MovementCardValues show(const TSchedaMovimento &record, const MovementCardValues &current);

// An empty income card dated today: "0" days of notice, amount "0,00", signed
// amount "+0,00".
MovementCardValues newCard(const QDate &today);

// The start of a new card from the one shown: dated today, no due date, not
// settled, no attachments; everything else kept.
MovementCardValues duplicate(const MovementCardValues &card, const QDate &today);

// The caption above the amount and its colour, which tell the movement type.
QString amountCaption(bool entrata);
QColor amountColour(bool entrata);

// The largest amount whose signed form still fits its field whole.
QString largestAmount();
// True when the normalised amount and its signed form are stored unchanged.
bool amountFits(const QString &normalisedAmount);

// The first check a card fails before it may be stored, in the order the user
// is told about them, with the edit that gets the focus. The amount must
// already be normalised.
struct SaveProblem
{
    enum class Kind { Warning, Plain };
    Kind kind;
    QString field;
    QString message;
};
std::optional<SaveProblem> checkForSave(const MovementCardValues &card);

// What a browse button does, given the record count and the position shown
// (none for a card not stored yet).
enum class Arrow { First, Previous, Next, Last };
struct BrowseStep
{
    enum class Kind {
        Load,         // show the record at `position`
        EmptyArchive, // tell the user there is no card
        Nothing,      // already on the first or last record
    };
    Kind kind;
    qint64 position = 0;
    bool clearPosition = false; // the card becomes a new card as well
};
BrowseStep browse(Arrow arrow, qint64 count, std::optional<qint64> position);

// A tax code made only of the digits 0-9 is a company's VAT number.
bool isVatNumber(const QString &trimmedCode);

// The year chooser: a year is four characters as typed; its file lies in the
// program's folder.
bool isYearText(const QString &typed);
QString yearFile(const QString &typed);
QString cardCaption(const QString &typed);
inline const QString kChooserCaption = QStringLiteral(" Quintara - Registrazione movimenti");

// The screens' messages.
QString yearNeeded();
QString accessError();
QString emptyArchive();
QString inserted();
QString changesSaved();
QString duplicateNeedsStoredCard();
QString duplicated();
QString emailNeeded();

} // namespace MovementCardRules
