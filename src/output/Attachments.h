#pragma once

#include <QString>

#include <array>

// One document attached to a card: its file name in the attachment folder and
// a free description.
struct Attachment
{
    QString file;
    QString description;

    bool operator==(const Attachment &) const = default;
};

// The three documents a member or movement card may carry, in the record
// fields File01..File03 and Desc01..Desc03 of both records.
struct Attachments
{
    static constexpr int kCount = 3;
    std::array<Attachment, kCount> items;

    template <class Record>
    static Attachments of(const Record &record)
    {
        Attachments a;
        a.items = {Attachment{record.File01, record.Desc01}, Attachment{record.File02, record.Desc02},
                   Attachment{record.File03, record.Desc03}};
        return a;
    }

    template <class Record>
    void storeIn(Record &record) const
    {
        record.File01 = items[0].file;
        record.Desc01 = items[0].description;
        record.File02 = items[1].file;
        record.Desc02 = items[1].description;
        record.File03 = items[2].file;
        record.Desc03 = items[2].description;
    }

    bool operator==(const Attachments &) const = default;
};
