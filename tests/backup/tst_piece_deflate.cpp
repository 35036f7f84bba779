// A file compressed a piece at a time must come out as one deflate
// stream that any zip reader inflates to the very bytes, with the CRC-32 of the
// whole; a file that fails or grows while it is read must not pass as whole.
#include "backup/BackupZip.h"
#include "backup/PieceDeflate.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <cstring>

namespace {

// Bytes read from memory, as a data file would give them: it can fail at an
// offset, or hold more than the size it was announced with.
class MemoryStream : public BackupZip::Stream
{
public:
    MemoryStream(QByteArray bytes, qint64 failAt = -1, qint64 announced = -1)
        : m_bytes(std::move(bytes))
        , m_failAt(failAt)
        , m_announced(announced < 0 ? m_bytes.size() : announced)
    {
    }
    bool open() override { return true; }
    qint64 readAt(char *data, qint64 max, qint64 offset) override
    {
        if (m_failAt >= 0 && offset <= m_failAt && m_failAt < offset + max)
            return -1;
        const qint64 n = qMin(max, qint64(m_bytes.size()) - offset);
        if (n <= 0)
            return 0;
        memcpy(data, m_bytes.constData() + offset, size_t(n));
        return n;
    }
    // Nothing follows the size the stream was announced with.
    bool finish() override { return m_bytes.size() <= m_announced; }
    void close() override {}

private:
    QByteArray m_bytes;
    qint64 m_failAt;
    qint64 m_announced;
};

// Everything the compressor hands out, in small reads as the zip library asks.
struct Deflated
{
    QByteArray bytes;
    bool ok = false;
};

Deflated drain(PieceDeflate &d)
{
    Deflated out;
    char buffer[777];
    for (;;) {
        const qint64 n = d.read(buffer, sizeof buffer);
        if (n < 0)
            return out;
        if (n == 0)
            break;
        out.bytes.append(buffer, n);
    }
    out.ok = true;
    return out;
}

// The raw deflate stream inflated by zlib, which the copies are read back with;
// empty and false when it is not a whole, single stream.
bool inflateRaw(const QByteArray &in, qint64 expected, QByteArray *out)
{
    z_stream z;
    memset(&z, 0, sizeof z);
    if (inflateInit2(&z, -15) != Z_OK)
        return false;
    out->resize(expected + 16);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef *>(out->data());
    z.avail_out = uInt(out->size());
    const int rc = inflate(&z, Z_FINISH);
    const bool whole = rc == Z_STREAM_END && z.avail_in == 0;
    out->resize(qsizetype(z.total_out));
    inflateEnd(&z);
    return whole;
}

QByteArray recordLike(qint64 size)
{
    QByteArray bytes(size, ' ');
    for (qint64 i = 0; i < size; i += 97)
        bytes[i] = char('A' + (i / 97) % 26);
    return bytes;
}

QByteArray noise(qint64 size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random{quint32(size)};
    for (char &c : bytes)
        c = char(random.generate());
    return bytes;
}

} // namespace

class TestPieceDeflate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inflatesToTheSameBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("pieceSize");
        // Sizes on either side of the piece boundaries, and data that does not shrink.
        QTest::newRow("empty") << QByteArray() << qint64(1000);
        QTest::newRow("one byte") << QByteArray("x") << qint64(1000);
        QTest::newRow("one piece, short") << recordLike(999) << qint64(1000);
        QTest::newRow("one piece, exact") << recordLike(1000) << qint64(1000);
        QTest::newRow("one byte over") << recordLike(1001) << qint64(1000);
        QTest::newRow("many pieces, exact") << recordLike(40000) << qint64(1000);
        QTest::newRow("many pieces, ragged end") << recordLike(40007) << qint64(1000);
        QTest::newRow("noise in pieces") << noise(50001) << qint64(4096);
        QTest::newRow("records at the real piece size") << recordLike(5 * PieceDeflate::kPieceSize + 3)
                                                        << PieceDeflate::kPieceSize;
    }
    void inflatesToTheSameBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, pieceSize);
        MemoryStream stream(bytes);
        PieceDeflate d(stream, bytes.size(), pieceSize);
        const Deflated out = drain(d);
        QVERIFY(out.ok);
        QCOMPARE(d.failure(), PieceDeflate::Failure::None);
        QByteArray back;
        QVERIFY(inflateRaw(out.bytes, bytes.size(), &back));
        QCOMPARE(back.size(), bytes.size());
        QVERIFY(back == bytes);
        QCOMPARE(d.crc(), quint32(::crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size()))));
        QCOMPARE(d.compressedSize(), qint64(out.bytes.size()));
    }

    // A read that fails in the middle of the file stops the stream: no end is
    // ever reported, whichever piece failed.
    void aFailedReadIsNoEnd_data()
    {
        QTest::addColumn<qint64>("failAt");
        QTest::newRow("first piece") << qint64(10);
        QTest::newRow("a middle piece") << qint64(17500);
        QTest::newRow("the last byte") << qint64(39999);
    }
    void aFailedReadIsNoEnd()
    {
        QFETCH(qint64, failAt);
        MemoryStream stream(recordLike(40000), failAt);
        PieceDeflate d(stream, 40000, 1000);
        QVERIFY(!drain(d).ok);
        QCOMPARE(d.failure(), PieceDeflate::Failure::Read);
    }

    // A file found longer than announced (it grew while it was read), or shorter.
    void aFileOfAnotherSizeIsNoEnd_data()
    {
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<qint64>("actual");
        QTest::addColumn<int>("failure");
        QTest::newRow("grew") << qint64(5000) << qint64(5100) << int(PieceDeflate::Failure::Longer);
        QTest::newRow("grew, one piece") << qint64(500) << qint64(501) << int(PieceDeflate::Failure::Longer);
        QTest::newRow("shrank") << qint64(5000) << qint64(4100) << int(PieceDeflate::Failure::Read);
    }
    void aFileOfAnotherSizeIsNoEnd()
    {
        QFETCH(qint64, announced);
        QFETCH(qint64, actual);
        QFETCH(int, failure);
        MemoryStream stream(recordLike(actual), -1, announced);
        PieceDeflate d(stream, announced, 1000);
        QVERIFY(!drain(d).ok);
        QCOMPARE(int(d.failure()), failure);
    }

    // Through the zip library: a file of several pieces is stored deflated, with
    // its CRC-32 and sizes, and reads back whole.
    void aLargeFileInACopyReadsBack()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString zip = dir.filePath(QStringLiteral("copy.zip"));
        const QByteArray big = recordLike(3 * PieceDeflate::kPieceSize + 12345);
        const QByteArray small = noise(3000);
        QVERIFY(BackupZip::write(zip, {{QStringLiteral("2024.eur"), big}, {QStringLiteral("1.jpg"), small}}, nullptr));
        QMap<QString, QByteArray> read;
        QVERIFY(BackupZip::forEach(zip, [&read](const BackupZip::Entry &e, const QByteArray &bytes) {
            read.insert(e.name, bytes);
            return true;
        }));
        QCOMPARE(read.size(), 2);
        QVERIFY(read.value(QStringLiteral("2024.eur")) == big);
        QVERIFY(read.value(QStringLiteral("1.jpg")) == small);
        QVERIFY(QFileInfo(zip).size() < big.size() / 10);
    }
};

QTEST_GUILESS_MAIN(TestPieceDeflate)
#include "tst_piece_deflate.moc"
