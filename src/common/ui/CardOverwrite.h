#pragma once

#include "common/RecordFile.h"
#include "common/ui/UiPlatform.h"

#include <QString>

#include <optional>

class QWidget;

// The save of a card shown from its archive when the folder is shared: the last
// save wins, but never in silence. When another workstation saved the same card
// after this one showed it, the user is asked before its change is written
// over; answering No stores nothing and offers to show the card as it is now
// stored. The file is not held while a question is on screen, so no other
// workstation waits on this one's answer; the comparison is made again, under
// the save's own lock, after every Yes.
namespace CardOverwrite {

QString changedElsewhereText();
QString reloadText();

enum class Result {
    Saved,    // the card's record is stored at its position
    NotSaved, // the user kept the other workstation's change
    Failed,   // the archive could not be used: the screen's access message
};

template <class Record>
struct Outcome
{
    Result result = Result::Failed;
    // NotSaved, when the user asked for it: the record as now stored, to show.
    std::optional<Record> reload;
};

template <class Record>
Outcome<Record> save(QWidget *card, const QString &path, qint64 position1, const Record &shown, const Record &record)
{
    Record expected = shown;
    for (;;) {
        Record now;
        RecordFileBase::Guarded written = RecordFileBase::Guarded::Failed;
        {
            RecordFile<Record> file;
            if (!file.open(path, RecordFileBase::Access::Write))
                return {Result::Failed, std::nullopt};
            written = file.overwriteIfUnchanged(position1, expected, record, &now);
        }
        switch (written) {
        case RecordFileBase::Guarded::Written:
            return {Result::Saved, std::nullopt};
        case RecordFileBase::Guarded::Failed:
            return {Result::Failed, std::nullopt};
        case RecordFileBase::Guarded::Changed:
            break;
        }
        if (UiPlatform::ask(card, changedElsewhereText())) {
            // Written over what the user was told of; a further change meanwhile asks again.
            expected = now;
            continue;
        }
        if (UiPlatform::ask(card, reloadText()))
            return {Result::NotSaved, now};
        return {Result::NotSaved, std::nullopt};
    }
}

} // namespace CardOverwrite
