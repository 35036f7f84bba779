#pragma once

#include "RecordCodec.h"
#include "RecordFileBase.h"

// A record file of one record type (TSchedaSocio or TSchedaMovimento).
template <class Record>
class RecordFile : public RecordFileBase
{
public:
    RecordFile()
        : RecordFileBase(Record::Size)
    {
    }

    [[nodiscard]] bool read(qint64 position1, Record &out)
    {
        QByteArray raw;
        if (!readRaw(position1, raw))
            return false;
        out = RecordCodec::decode<Record>(raw.constData());
        return true;
    }

    [[nodiscard]] bool readNext(Record &out)
    {
        const char *raw = readNextInPlace();
        if (!raw)
            return false;
        out = RecordCodec::decode<Record>(raw);
        return true;
    }

    [[nodiscard]] bool overwrite(qint64 position1, const Record &record)
    {
        return overwriteRaw(position1, RecordCodec::encode(record));
    }

    [[nodiscard]] bool append(const Record &record, qint64 *newPosition1 = nullptr)
    {
        return appendRaw(RecordCodec::encode(record), newPosition1);
    }

    // The save of a card that was shown from this file. The folder may be shared,
    // so the record may have been saved by another workstation since the card
    // showed it: the record is overwritten only when it still holds `shown`;
    // otherwise nothing is written, *now receives what the record holds, and the
    // result is Changed. Needs Access::Write: the comparison and the write happen
    // under the one exclusive lock of this opening, so no save can slip between.
    //
    // Records are compared as the screens read them (the trimmed texts of the
    // fields), so the bytes a field does not use never count as a change.
    [[nodiscard]] Guarded overwriteIfUnchanged(qint64 position1, const Record &shown, const Record &record,
                                               Record *now = nullptr)
    {
        Record stored;
        if (!read(position1, stored))
            return Guarded::Failed;
        if (asStored(stored) != asStored(shown)) {
            if (now)
                *now = stored;
            return Guarded::Changed;
        }
        return overwrite(position1, record) ? Guarded::Written : Guarded::Failed;
    }

    // The bytes a record is stored as once it has been read back: texts cut to
    // their fields and trimmed, as any reader sees them.
    static QByteArray asStored(const Record &record)
    {
        return RecordCodec::encode(RecordCodec::decode<Record>(RecordCodec::encode(record).constData()));
    }
};
