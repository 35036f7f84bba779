// The rows the lists compose from the stored bytes and the order they sort them
// in, set against the rows and the order the text rules give for the same
// fields: the two must never differ, whatever the letters.
#include "support/TestPlatform.h"

#include "balance/PrimaNota.h"
#include "common/ListRows.h"
#include "common/RecordFile.h"
#include "common/RowBytes.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/Win1252.h"
#include "members/MemberRow.h"
#include "members/MemberSearch.h"
#include "movements/MovementLists.h"
#include "movements/MovementRow.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The order ListRows::sort gives the texts, as the positions 1..n of the texts.
QList<qint64> textOrder(const QStringList &texts)
{
    QList<ListRow> rows;
    for (qsizetype i = 0; i < texts.size(); ++i)
        rows.append({texts.at(i), i + 1});
    ListRows::sort(rows);
    QList<qint64> out;
    for (const ListRow &r : rows)
        out.append(r.position);
    return out;
}

// The order the rows composed from bytes take, and their texts in it.
QList<qint64> byteOrder(const QStringList &texts, QStringList *sortedTexts = nullptr)
{
    RowBytes rows;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        rows.beginRow(i + 1);
        rows.append(Win1252::encode(texts.at(i)));
    }
    rows.sort();
    QList<qint64> out;
    for (const ListRow &r : rows.takeRows()) {
        out.append(r.position);
        if (sortedTexts)
            sortedTexts->append(r.text);
    }
    return out;
}

} // namespace

class TestListRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameOrderAsTheTexts_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("case of a-z only") << QStringList{"rossi", "ROSSI", "Rossi", "rossa", "ROSSO", "Ross"};
        // "[", "\", "]", "^", "_" and "`" lie between "Z" and "a": after every
        // letter once a-z are read as A-Z.
        QTest::newRow("signs between Z and a")
            << QStringList{"_sotto", "zeta", "Zeta", "[x]", "`y", "^", "\\", "]", "a", "Z", "{", "~"};
        QTest::newRow("accents keep their case")
            << QStringList{"è", "È", "e", "E", "à", "À", "ò", "Ò", "ù", "ì", "é", "ÿ", "ß", "×", "÷"};
        // Letters of the code page whose codes lie far above 255.
        QTest::newRow("windows-1252 letters")
            << QStringList{"Š", "š", "Ž", "ž", "Œ", "œ", "Ÿ", "€ 10", "ƒ", "‰", "™", "…", "S", "s", "O", "Z"};
        QTest::newRow("equal rows keep their order")
            << QStringList{"Bianchi Luca", "BIANCHI LUCA", "Bianchi Luca", "bianchi luca", "Bianchi Luca"};
        QTest::newRow("prefixes and lengths")
            << QStringList{"", "A", "AB", "ABCDEFG", "ABCDEFGH", "ABCDEFGHI", "abcdefgh", "ABCDEFGH ", "ABCDEFGG",
                           "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQ", "abcdefghijklmnop"};
        QTest::newRow("control characters inside")
            << QStringList{QStringLiteral("AB") + QChar(1) + QStringLiteral("C"), QStringLiteral("AB C"),
                           QStringLiteral("AB") + QChar(0) + QStringLiteral("D"), QStringLiteral("AB"),
                           QStringLiteral("AB") + QChar(0x81), QStringLiteral("AB") + QChar(0x9D) + QStringLiteral("x"),
                           QStringLiteral("AB") + QChar(0x7F)};
        QTest::newRow("long common start")
            << QStringList{"Quota associativa 2024                    Scad. 31/12/2024  Da: Rossi Mario",
                           "Quota associativa 2024                    Scad. 31/12/2024  Da: rossi mario",
                           "Quota associativa 2024                    Scad. 31/12/2024  Da: Rossi Marco",
                           "QUOTA ASSOCIATIVA 2024                    Scad. 31/12/2023  Da: Rossi Mario",
                           "Quota associativa 2024                    Scad. 31/12/2024  Da: Rossi Mario",
                           "Quota associativa 2024                    Scad. 31/12/2024  Da: Rossi Mario "};
    }

    void sameOrderAsTheTexts()
    {
        QFETCH(QStringList, texts);
        QStringList sorted;
        const QList<qint64> order = byteOrder(texts, &sorted);
        QCOMPARE(order, textOrder(texts));
        // The texts come back as they were, each beside its position.
        for (qsizetype i = 0; i < order.size(); ++i)
            QCOMPARE(sorted.at(i), texts.at(order.at(i) - 1));
    }

    // Many rows over the letters that tell the orders apart, with long common
    // starts and many equal rows, in a fixed pseudo-random draw.
    void sameOrderOnManyRows()
    {
        const QString letters = QStringLiteral("aAbBzZ_[`^ èÈàÀŠšŽžŒœŸ€ÿ09") + QChar(1) + QChar(0x81);
        QRandomGenerator random(20240611);
        QStringList texts;
        for (int i = 0; i < 3000; ++i) {
            QString t = (i % 3 == 0) ? QStringLiteral("Quota associativa ") : QString();
            const int n = int(random.bounded(0, 24));
            for (int k = 0; k < n; ++k)
                t.append(letters.at(random.bounded(int(letters.size()))));
            texts.append(t);
        }
        // Some rows again, some with their case changed.
        for (int i = 0; i < 500; ++i)
            texts.append(texts.at(random.bounded(1000)));
        for (int i = 0; i < 500; ++i)
            texts.append(texts.at(random.bounded(1000)).toUpper());
        QStringList encodable;
        for (const QString &t : texts)
            if (Win1252::canEncode(t))
                encodable.append(t);
        QVERIFY(encodable.size() > 3000);
        QCOMPARE(byteOrder(encodable), textOrder(encodable));
    }

    // The rows the scans list are the rows composed from the decoded records.
    void scansComposeTheSameRows()
    {
        TestPlatform platform;
        const QString longText = QStringLiteral("Sant'Agata de' Goti è più lontana di quanto si creda, Š œ Ÿ €");
        QList<TSchedaSocio> members;
        QList<TSchedaMovimento> movements;
        const QStringList values = {QString(), QStringLiteral("  Ÿvonne  d'Œuvre  "), longText,
                                    QStringLiteral("x"), QStringLiteral("ÀÈÌÒÙ àèìòù ß ÿ"),
                                    QStringLiteral("Tab\tinside") + QChar(1) + QStringLiteral("and")};
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString &v = values.at(i);
            const QString &w = values.at((i + 2) % values.size());
            TSchedaSocio s;
            s.Dipendente = v;
            s.CodFisc = w;
            s.DataSca = QStringLiteral("31/12/2030");
            s.Recapito = v;
            s.Note = w;
            members.append(s);
            TSchedaMovimento m;
            m.Causale = v;
            m.DataSca = w;
            m.Data = QStringLiteral("15/03/2024");
            m.Pagatore = w;
            m.Beneficiario = v;
            m.Totale = i % 3 == 0 ? QStringLiteral("+12,50") : i % 3 == 1 ? QStringLiteral("-7") : QStringLiteral("3,5");
            movements.append(m);
        }
        {
            RecordFile<TSchedaSocio> file;
            QVERIFY(file.open(platform.file(QStringLiteral("Soci.pro")), RecordFileBase::Access::Write));
            for (const TSchedaSocio &s : members)
                QVERIFY(file.append(s));
        }
        const QString year = platform.file(QStringLiteral("2024.eur"));
        {
            RecordFile<TSchedaMovimento> file;
            QVERIFY(file.open(year, RecordFileBase::Access::Write));
            for (const TSchedaMovimento &m : movements)
                QVERIFY(file.append(m));
        }
        // What the archive holds, read back and decoded whole.
        const auto stored = [](auto record, const QString &path, qint64 position) {
            RecordFile<decltype(record)> file;
            if (!file.open(path, RecordFileBase::Access::Read) || !file.read(position, record))
                qFatal("cannot read back record %lld", static_cast<long long>(position));
            return record;
        };

        const ListScan memberScan = MemberSearch::run({});
        QVERIFY(memberScan.complete);
        QCOMPARE(memberScan.rows.size(), members.size());
        for (const ListRow &r : memberScan.rows)
            QCOMPARE(r.text, MemberRow::compose(stored(TSchedaSocio(), platform.file(QStringLiteral("Soci.pro")),
                                                       r.position)));

        const ListScan movementScan = MovementLists::search(year, {});
        QVERIFY(movementScan.complete);
        QCOMPARE(movementScan.rows.size(), movements.size());
        for (const ListRow &r : movementScan.rows)
            QCOMPARE(r.text, MovementRow::compose(stored(TSchedaMovimento(), year, r.position)));

        const PrimaNota::Result nota =
            PrimaNota::list({QString(), QStringLiteral("01/01/2024"), QStringLiteral("31/12/2024"), year});
        QCOMPARE(nota.rows.size(), movements.size());
        for (const ListRow &r : nota.rows) {
            const TSchedaMovimento m = stored(TSchedaMovimento(), year, r.position);
            QCOMPARE(r.text, PrimaNota::row(m.Causale, m.Data, m.Pagatore, m.Beneficiario, m.Totale));
        }
    }
};

QTEST_MAIN(TestListRows)
#include "tst_list_rows.moc"
