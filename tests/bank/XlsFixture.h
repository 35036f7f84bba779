#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <cstring>

// A legacy Excel workbook of one sheet, as small as the format allows: BIFF8
// records (text cells as LABEL, numbers as NUMBER) in the "Workbook" stream of
// a compound file. Cells are strings or doubles; rows are 0-based.
namespace XlsFixture {

inline void put16(QByteArray &b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }
inline void put32(QByteArray &b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}
inline QByteArray record(quint16 type, const QByteArray &body)
{
    QByteArray r;
    put16(r, type);
    put16(r, quint16(body.size()));
    return r + body;
}

inline QByteArray workbook(const QList<QList<QVariant>> &rows)
{
    QByteArray bof;
    put16(bof, 0x0600);
    put16(bof, 0x0005); // workbook globals
    put16(bof, 0x0DBB);
    put16(bof, 0x07CC);
    put32(bof, 0);
    put32(bof, 0x06);
    QByteArray codepage;
    put16(codepage, 1200);
    QByteArray globals = record(0x0809, bof) + record(0x0042, codepage);
    // The sheet's place is known once the globals are laid out: BOUNDSHEET is 4 + 4 + 2 + 2 + 6 bytes.
    const QByteArray sheetName = "Movimenti";
    const quint32 sheetOffset = quint32(globals.size() + 4 + 8 + sheetName.size() + 4);
    QByteArray bound;
    put32(bound, sheetOffset);
    bound.append(char(0)).append(char(0)).append(char(sheetName.size())).append(char(0));
    bound += sheetName;
    globals += record(0x0085, bound) + record(0x000A, {});

    QByteArray sheetBof = bof;
    sheetBof[2] = 0x10;
    sheetBof[3] = 0x00;
    QByteArray sheet = record(0x0809, sheetBof);
    quint16 columns = 0;
    for (const auto &r : rows)
        columns = std::max<quint16>(columns, quint16(r.size()));
    QByteArray dim;
    put32(dim, 0);
    put32(dim, quint32(rows.size()));
    put16(dim, 0);
    put16(dim, columns);
    put16(dim, 0);
    sheet += record(0x0200, dim);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            const QVariant &v = rows[r][c];
            if (!v.isValid())
                continue;
            QByteArray cell;
            put16(cell, quint16(r));
            put16(cell, quint16(c));
            put16(cell, 0x0F); // the default cell format
            if (v.typeId() == QMetaType::Double) {
                const double d = v.toDouble();
                char raw[8];
                std::memcpy(raw, &d, 8);
                cell.append(raw, 8);
                sheet += record(0x0203, cell);
            } else {
                const QByteArray text = v.toString().toLatin1();
                put16(cell, quint16(text.size()));
                cell.append(char(0));
                cell += text;
                sheet += record(0x0204, cell);
            }
        }
    sheet += record(0x000A, {});
    QByteArray stream = globals + sheet;
    stream.append(QByteArray(std::max<qsizetype>(0, 4096 - stream.size()), '\0')); // no mini stream below this size
    const int sectors = int((stream.size() + 511) / 512);
    stream.append(QByteArray(sectors * 512 - stream.size(), '\0'));
    const quint32 streamSize = quint32(stream.size());

    constexpr quint32 endOfChain = 0xFFFFFFFE, freeSector = 0xFFFFFFFF, fatSector = 0xFFFFFFFD;
    QByteArray header;
    header += QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header += QByteArray(16, '\0');
    put16(header, 0x003E);
    put16(header, 0x0003);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header += QByteArray(6, '\0');
    put32(header, 0);          // directory sectors (version 3)
    put32(header, 1);          // FAT sectors
    put32(header, 1);          // first directory sector
    put32(header, 0);          // transaction
    put32(header, 4096);       // mini stream cutoff
    put32(header, endOfChain); // mini FAT
    put32(header, 0);
    put32(header, endOfChain); // DIFAT
    put32(header, 0);
    put32(header, 0); // the FAT is sector 0
    for (int i = 1; i < 109; ++i)
        put32(header, freeSector);

    QByteArray fat;
    put32(fat, fatSector);
    put32(fat, endOfChain); // directory
    for (int i = 0; i < sectors; ++i)
        put32(fat, i + 1 < sectors ? quint32(3 + i) : endOfChain);
    while (fat.size() < 512)
        put32(fat, freeSector);

    const auto entry = [](const QString &name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        for (const QChar ch : name)
            put16(e, ch.unicode());
        e.append(QByteArray(64 - e.size(), '\0'));
        put16(e, quint16(name.isEmpty() ? 0 : (name.size() + 1) * 2));
        e.append(char(type)).append(char(1));
        put32(e, 0xFFFFFFFF);
        put32(e, 0xFFFFFFFF);
        put32(e, child);
        e.append(QByteArray(16 + 4 + 16, '\0')); // class id, state bits, times
        put32(e, start);
        put32(e, size);
        put32(e, 0);
        return e;
    };
    QByteArray directory = entry(QStringLiteral("Root Entry"), 5, 1, endOfChain, 0) +
                           entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 2, streamSize);
    while (directory.size() < 512)
        directory += entry(QString(), 0, 0xFFFFFFFF, 0, 0);
    return header + fat + directory + stream;
}

} // namespace XlsFixture
