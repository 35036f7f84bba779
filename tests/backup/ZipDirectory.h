#pragma once

#include "support/FileFaults.h"
#include "support/TestPlatform.h"

#include <QByteArray>
#include <QString>

// Sets the size an entry of the zip declares, in its local header and in the
// directory, as a hand-made copy would; false when the entry is not found.
inline bool declareSize(const QString &zip, const QByteArray &name, quint32 size)
{
    QByteArray bytes = readBytes(zip);
    int patched = 0;
    const auto put = [&bytes](qsizetype at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((v >> (8 * i)) & 0xff);
    };
    for (qsizetype at = bytes.indexOf("PK\x03\x04"); at >= 0; at = bytes.indexOf("PK\x03\x04", at + 4)) {
        if (bytes.mid(at + 30, name.size()) == name && quint8(bytes[at + 26]) == name.size()) {
            put(at + 22, size);
            ++patched;
        }
    }
    for (qsizetype at = bytes.indexOf("PK\x01\x02"); at >= 0; at = bytes.indexOf("PK\x01\x02", at + 4)) {
        if (bytes.mid(at + 46, name.size()) == name && quint8(bytes[at + 28]) == name.size()) {
            put(at + 24, size);
            ++patched;
        }
    }
    return patched == 2 && FileFaults::writeBytes(zip, bytes);
}

