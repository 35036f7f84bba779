// Byte layout of the two record types, checked against offsets and capacities
// transcribed by hand from the record layouts (not from the code's own tables).
#include "common/RecordCodec.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/Win1252.h"

#include <QTest>

namespace {

struct Slot
{
    const char *field;
    int offset;
    int capacity;
};

// Member card: offset, capacity (width - 1).
const Slot kMember[] = {
    {"Dipendente", 0, 50},    {"Cittadinanza", 51, 50}, {"Stipendio", 102, 12}, {"Luogo", 115, 50},
    {"DataNasc", 166, 10},    {"CodFisc", 177, 16},     {"PartitaIva", 194, 11}, {"Indirizzo", 206, 120},
    {"Citta", 327, 50},       {"Prov", 378, 2},         {"Cap", 381, 10},        {"Qualifiche", 392, 120},
    {"Familiari", 513, 250},  {"Iban", 764, 27},        {"Note", 792, 250},      {"DataSca", 1043, 10},
    {"Preavviso", 1054, 3},   {"Recapito", 1058, 50},   {"Email", 1109, 50},     {"File01", 1160, 250},
    {"File02", 1411, 250},    {"File03", 1662, 250},    {"Desc01", 1913, 250},   {"Desc02", 2164, 250},
    {"Desc03", 2415, 250},
};

const Slot kMovement[] = {
    {"Entrata", 0, 2},          {"Uscita", 3, 2},         {"Data", 6, 10},           {"Causale", 17, 250},
    {"Promemoria", 268, 250},   {"DataSca", 519, 10},     {"Preavviso", 530, 3},     {"Importo", 534, 15},
    {"Totale", 550, 15},        {"Pagatore", 566, 50},    {"RecapitoPag", 617, 50},  {"CodFisc", 668, 16},
    {"PartitaIva", 685, 11},    {"Categoria", 697, 50},   {"Email", 748, 50},        {"Pagamento", 799, 250},
    {"Beneficiario", 1050, 50}, {"RecapitoBen", 1101, 50}, {"Ricevuta", 1152, 250},  {"Note", 1403, 250},
    {"Tariffa", 1654, 250},     {"Saldato", 1905, 2},     {"File01", 1908, 250},     {"File02", 2159, 250},
    {"File03", 2410, 250},      {"Desc01", 2661, 250},    {"Desc02", 2912, 250},     {"Desc03", 3163, 250},
};

// A text that fills the field exactly and tells the fields apart.
QString fullText(int index, int capacity)
{
    QString t;
    for (int i = 0; i < capacity; ++i)
        t.append(QChar('A' + (index + i) % 26));
    return t;
}

template <class Record, size_t N>
void checkLayout(const Slot (&slots)[N], int expectedSize)
{
    QCOMPARE(int(Record::Size), expectedSize);
    QCOMPARE(Record::fields().size(), N);
    Record r;
    for (size_t i = 0; i < N; ++i) {
        QCOMPARE(QByteArray(Record::fields()[i].name), QByteArray(slots[i].field));
        r.*(Record::fields()[i].member) = fullText(int(i), slots[i].capacity);
    }
    const QByteArray bytes = RecordCodec::encode(r);
    QCOMPARE(bytes.size(), expectedSize);
    int covered = 0;
    for (size_t i = 0; i < N; ++i) {
        const Slot &s = slots[i];
        QVERIFY2(static_cast<unsigned char>(bytes[s.offset]) == s.capacity, s.field);
        QCOMPARE(bytes.mid(s.offset + 1, s.capacity), fullText(int(i), s.capacity).toLatin1());
        covered += s.capacity + 1;
    }
    QCOMPARE(covered, expectedSize);
    QVERIFY(RecordCodec::decode<Record>(bytes.constData()) == r);
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void memberLayout() { checkLayout<TSchedaSocio>(kMember, 2666); }
    void movementLayout() { checkLayout<TSchedaMovimento>(kMovement, 3414); }

    void shortTextsAreZeroPadded()
    {
        TSchedaSocio s;
        s.Prov = QStringLiteral("mi");
        s.Dipendente = QStringLiteral("  Rossi Mario  ");
        const QByteArray b = RecordCodec::encode(s);
        QCOMPARE(b.mid(0, 12), QByteArray("\x0bRossi Mario", 12));
        QCOMPARE(b.mid(12, 39), QByteArray(39, '\0'));
        QCOMPARE(b.mid(378, 3), QByteArray("\x02mi", 3));
        QCOMPARE(RecordCodec::decode<TSchedaSocio>(b.constData()).Dipendente, QStringLiteral("Rossi Mario"));
    }

    void textsAreCutToCapacity()
    {
        TSchedaSocio s;
        s.Dipendente = QString(60, QLatin1Char('x'));
        TSchedaMovimento m;
        m.Note = QString(300, QLatin1Char('n'));
        const QByteArray sb = RecordCodec::encode(s);
        QCOMPARE(static_cast<unsigned char>(sb[0]), 50);
        QCOMPARE(RecordCodec::decode<TSchedaSocio>(sb.constData()).Dipendente, QString(50, QLatin1Char('x')));
        const QByteArray mb = RecordCodec::encode(m);
        QCOMPARE(static_cast<unsigned char>(mb[1403]), 250);
        QCOMPARE(static_cast<unsigned char>(mb[1654]), 0); // the next field is untouched
    }

    void amountsKeepFifteenCharacters()
    {
        TSchedaMovimento m;
        m.Importo = QString(15, QLatin1Char('9')) + QStringLiteral(",00");
        m.Totale = QLatin1Char('+') + m.Importo;
        const auto back = RecordCodec::decode<TSchedaMovimento>(RecordCodec::encode(m).constData());
        QCOMPARE(back.Importo, QString(15, QLatin1Char('9')));
        QCOMPARE(back.Totale, QLatin1Char('+') + QString(14, QLatin1Char('9')));
    }

    void accentedLettersAreSingleBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Città") << QStringLiteral("Città") << QByteArray("\x05""Citt\xe0");
        QTest::newRow("Sì") << QStringLiteral("Sì") << QByteArray("\x02S\xec");
        QTest::newRow("No") << QStringLiteral("No") << QByteArray("\x02No");
        QTest::newRow("euro") << QStringLiteral("€ 5") << QByteArray("\x03\x80 5");
        QTest::newRow("outside code page") << QStringLiteral("Łódź") << QByteArray("\x04?\xf3" "d?");
        QTest::newRow("outside basic plane") << QStringLiteral("a😀b") << QByteArray("\x03" "a?b");
    }
    void accentedLettersAreSingleBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        TSchedaMovimento m;
        m.Entrata = text;
        const QByteArray b = RecordCodec::encode(m);
        // The field holds 2 characters: longer texts are cut, the length byte says so.
        const int len = std::min<int>(int(bytes.size()) - 1, 2);
        QCOMPARE(static_cast<unsigned char>(b[0]), len);
        QCOMPARE(b.mid(1, len), bytes.mid(1, len));
        TSchedaSocio s;
        s.Citta = text;
        const QByteArray sb = RecordCodec::encode(s);
        QCOMPARE(sb.mid(327, bytes.size()), bytes);
    }

    void win1252RoundTripOfEveryByte()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QCOMPARE(Win1252::encode(Win1252::decode(all)), all);
    }

    void damagedLengthByteStaysInsideItsField()
    {
        TSchedaSocio s;
        s.Prov = QStringLiteral("MI");
        s.Cap = QStringLiteral("20100");
        QByteArray b = RecordCodec::encode(s);
        b[378] = char(0xFF); // Prov claims 255 characters
        const auto back = RecordCodec::decode<TSchedaSocio>(b.constData());
        QCOMPARE(back.Prov, QStringLiteral("MI"));
        QCOMPARE(back.Cap, QStringLiteral("20100"));
    }

    void unknownYesNoIsReadAsIs()
    {
        TSchedaMovimento m;
        m.Entrata = QStringLiteral("Fo");
        const auto back = RecordCodec::decode<TSchedaMovimento>(RecordCodec::encode(m).constData());
        QCOMPARE(back.Entrata, QStringLiteral("Fo"));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
