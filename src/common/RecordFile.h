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
};
