// The receipt numbers of a year: the next free number of the year's file,
// written into the movement's Ricevuta field and nowhere else, what the receipt
// printed kept beside the year's file, a stored number printed again without a
// new one, and two programs asking at once.
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "receipts/ReceiptArchive.h"
#include "receipts/ReceiptBook.h"
#include "receipts/ReceiptReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

TSchedaMovimento income(const QString &causale, const QString &ricevuta = {})
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Data = QStringLiteral("10/01/2014");
    m.Causale = causale;
    m.DataSca = QStringLiteral("10/01/2014");
    m.Preavviso = QStringLiteral("0");
    m.Importo = QStringLiteral("40,00");
    m.Totale = QStringLiteral("+40,00");
    m.Pagatore = QStringLiteral("Pagatore ") + causale;
    m.Beneficiario = QStringLiteral("Associazione");
    m.Ricevuta = ricevuta;
    m.Saldato = kYes;
    return m;
}

// A record's bytes as another program may have left them: the bytes after
// each field's text are not zeros.
QByteArray withNoise(const TSchedaMovimento &m)
{
    QByteArray raw = RecordCodec::encode(m);
    int offset = 0;
    for (const auto &f : TSchedaMovimento::fields()) {
        const int used = quint8(raw[offset]);
        for (int i = used; i < f.capacity; ++i)
            raw[offset + 1 + i] = char('a' + (offset + i) % 26);
        offset += f.capacity + 1;
    }
    return raw;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeRaw(const QString &path, const QList<QByteArray> &records)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QByteArray &r : records)
        QCOMPARE(f.write(r), qint64(r.size()));
}

TSchedaMovimento stored(const QString &path, qint64 position1)
{
    const QByteArray all = fileBytes(path);
    return RecordCodec::decode<TSchedaMovimento>(all.constData() + (position1 - 1) * TSchedaMovimento::Size);
}

const ReceiptContent::Issuer kIssuer{QStringLiteral("Circolo Il Ponte"), QStringLiteral("Piazza Grande 1"),
                                     QStringLiteral("94012345678"), QStringLiteral("Verdi Paolo")};

ReceiptBook::Outcome issue(const QString &path, qint64 position, const TSchedaMovimento &shown, bool donation = false)
{
    return ReceiptBook::issue(path, position, shown, kIssuer, donation);
}

constexpr qint64 kRicevutaOffset = 1152;
constexpr qint64 kRicevutaWidth = 251;

// Helper mode: this program started again as a second workstation. It gives a
// receipt to every movement at first, first + step, ... of the file.
int takeNumbers(const QStringList &args)
{
    const QString path = args.at(2);
    const qint64 first = args.at(3).toLongLong();
    const qint64 step = args.at(4).toLongLong();
    RecordFile<TSchedaMovimento> file;
    if (!file.open(path, RecordFileBase::Access::Read))
        return 1;
    const qint64 count = file.count();
    file.close();
    for (qint64 p = first; p <= count; p += step) {
        TSchedaMovimento shown;
        if (!file.open(path, RecordFileBase::Access::Read) || !file.read(p, shown))
            return 1;
        file.close();
        const auto out = issue(path, p, shown);
        if (out.kind != ReceiptBook::Outcome::Kind::Issued) {
            std::fprintf(stderr, "position %lld: outcome %d %s\n", p, int(out.kind), qPrintable(out.error));
            return 1;
        }
    }
    return 0;
}

} // namespace

class TestReceiptNumbering : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nextNumber_data()
    {
        QTest::addColumn<QStringList>("fields"); // the Ricevuta fields of the year's records
        QTest::addColumn<int>("position");       // the movement that asks for a receipt
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("field"); // its Ricevuta afterwards
        QTest::newRow("first of the year") << QStringList{"", "", ""} << 2 << "1/2014" << "1/2014";
        QTest::newRow("after the highest, gaps kept")
            << QStringList{"1/2014", "", "4/2014", "2/2014"} << 2 << "5/2014" << "5/2014";
        QTest::newRow("other years and other texts do not count")
            << QStringList{"9/2013", "CRO 12/2014x", "3/2014 - CRO 77", "2014/3", ""} << 5 << "4/2014" << "4/2014";
        QTest::newRow("a bank reference is kept after the number")
            << QStringList{"1/2014", "CRO 0042 77"} << 2 << "2/2014" << "2/2014 - CRO 0042 77";
    }
    void nextNumber()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, position);
        QFETCH(QString, number);
        QFETCH(QString, field);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        QList<QByteArray> records;
        for (int i = 0; i < fields.size(); ++i)
            records.append(withNoise(income(QStringLiteral("Quota %1").arg(i + 1), fields[i])));
        writeRaw(path, records);
        const QByteArray before = fileBytes(path);

        const auto out = issue(path, position, stored(path, position));
        QCOMPARE(out.kind, ReceiptBook::Outcome::Kind::Issued);
        QCOMPARE(out.number.text(), number);
        QCOMPARE(out.record.Ricevuta, field);

        const QByteArray after = fileBytes(path);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(stored(path, position).Ricevuta, field);
        // Every byte outside the movement's Ricevuta field is as it was.
        const qint64 start = (position - 1) * TSchedaMovimento::Size + kRicevutaOffset;
        QCOMPARE(after.left(start), before.left(start));
        QCOMPARE(after.mid(start + kRicevutaWidth), before.mid(start + kRicevutaWidth));
        QVERIFY(after.mid(start, kRicevutaWidth) != before.mid(start, kRicevutaWidth));
    }

    // A movement that has its number keeps it, whatever its year: nothing is
    // written, no number is used.
    void storedNumberIsADuplicate_data()
    {
        QTest::addColumn<QString>("field"); // the movement's Ricevuta
        QTest::addColumn<QString>("number"); // the number it is printed again with
        QTest::addColumn<QString>("next");   // the year's next new number afterwards
        QTest::newRow("this year's") << "7/2014 - CRO 1" << "7/2014" << "8/2014";
        QTest::newRow("another year's") << "5/2013" << "5/2013" << "4/2014";
    }
    void storedNumberIsADuplicate()
    {
        QFETCH(QString, field);
        QFETCH(QString, number);
        QFETCH(QString, next);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        writeRaw(path, {withNoise(income(QStringLiteral("Quota"), QStringLiteral("3/2014"))),
                        withNoise(income(QStringLiteral("Dono"), field))});
        const QByteArray before = fileBytes(path);
        const auto out = issue(path, 2, stored(path, 2));
        QCOMPARE(out.kind, ReceiptBook::Outcome::Kind::Duplicate);
        QCOMPARE(out.number.text(), number);
        QCOMPARE(fileBytes(path), before);
        // The next new receipt still follows the highest of the year.
        writeRaw(path, {before.left(TSchedaMovimento::Size), before.mid(TSchedaMovimento::Size),
                        RecordCodec::encode(income(QStringLiteral("Altra")))});
        QCOMPARE(issue(path, 3, stored(path, 3)).number.text(), next);
    }

    // The card shows something else than the file holds: no number is written.
    void changedRecordIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        writeRaw(path, {RecordCodec::encode(income(QStringLiteral("Quota")))});
        const QByteArray before = fileBytes(path);
        TSchedaMovimento shown = stored(path, 1);
        shown.Importo = QStringLiteral("45,00");
        QCOMPARE(issue(path, 1, shown).kind, ReceiptBook::Outcome::Kind::Changed);
        QCOMPARE(issue(path, 2, stored(path, 1)).kind, ReceiptBook::Outcome::Kind::NotFound);
        QCOMPARE(fileBytes(path), before);
    }

    // The list of the year's receipts, in number order.
    void yearList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        writeRaw(path, {RecordCodec::encode(income(QStringLiteral("A"), QStringLiteral("10/2014"))),
                        RecordCodec::encode(income(QStringLiteral("B"), QStringLiteral("CRO 5"))),
                        RecordCodec::encode(income(QStringLiteral("C"), QStringLiteral("2/2014 - CRO 9"))),
                        RecordCodec::encode(income(QStringLiteral("D"), QStringLiteral("1/2013")))});
        const auto list = ReceiptBook::receipts(path);
        QVERIFY(list);
        QCOMPARE(list->size(), 2);
        QCOMPARE(list->at(0).number.text(), QStringLiteral("2/2014"));
        QCOMPARE(list->at(0).position, qint64(3));
        QCOMPARE(list->at(0).record.Causale, QStringLiteral("C"));
        QCOMPARE(list->at(1).number.text(), QStringLiteral("10/2014"));
    }

    // Numbers past nine digits are numbers like any other: the next follows
    // them, and every one is listed.
    void wideNumbers_data()
    {
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("after");
        QTest::newRow("nine digits") << "999999999/2014" << "1000000000/2014" << "1000000001/2014";
        QTest::newRow("twelve digits") << "123456789012/2014" << "123456789013/2014" << "123456789014/2014";
        QTest::newRow("eighteen digits") << "999999999999999997/2014" << "999999999999999998/2014"
                                         << "999999999999999999/2014";
    }
    void wideNumbers()
    {
        QFETCH(QString, highest);
        QFETCH(QString, next);
        QFETCH(QString, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        writeRaw(path, {RecordCodec::encode(income(QStringLiteral("A"), highest)),
                        RecordCodec::encode(income(QStringLiteral("B"))),
                        RecordCodec::encode(income(QStringLiteral("C")))});
        QCOMPARE(issue(path, 2, stored(path, 2)).number.text(), next);
        QCOMPARE(issue(path, 3, stored(path, 3)).number.text(), after);
        const auto list = ReceiptBook::receipts(path);
        QVERIFY(list);
        QStringList listed;
        for (const auto &e : *list)
            listed.append(e.number.text());
        QCOMPARE(listed, (QStringList{highest, next, after}));
    }

    // What the receipt printed is kept under its number beside the year's file;
    // asked again, with the gift tick off, the duplicate carries the original.
    void originalIsKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        TSchedaMovimento gift = income(QStringLiteral("Dono per il restauro"));
        gift.Pagatore = QStringLiteral("Società L’Àncora “Bianchi” €");
        gift.Pagamento = QStringLiteral("Contanti");
        gift.Importo = QStringLiteral("100000,00");
        gift.Totale = QStringLiteral("+100000,00");
        writeRaw(path, {RecordCodec::encode(gift)});
        QCOMPARE(issue(path, 1, stored(path, 1), true).kind, ReceiptBook::Outcome::Kind::Issued);

        QCOMPARE(ReceiptArchive::pathFor(path), dir.filePath(QStringLiteral("Ricevute2014.ini")));
        const auto kept = ReceiptArchive::read(dir.filePath(QStringLiteral("Ricevute2014.ini")), nullptr);
        QVERIFY(kept);
        const auto original = ReceiptArchive::find(*kept, QStringLiteral("1/2014"));
        QVERIFY(original);
        QVERIFY(original->donation);
        QCOMPARE(original->gift, QStringList{ReceiptReport::cashNote()});
        QCOMPARE(original->payer, gift.Pagatore);
        QCOMPARE(original->association, kIssuer.name);

        const auto again = issue(path, 1, stored(path, 1), false);
        QCOMPARE(again.kind, ReceiptBook::Outcome::Kind::Duplicate);
        QVERIFY(again.content);
        QVERIFY(again.content->donation);
        QCOMPARE(again.content->gift, original->gift);
        QCOMPARE(again.content->payer, original->payer);
        QCOMPARE(original->amount, QStringLiteral("100.000,00"));
        QCOMPARE(original->amountWords, QStringLiteral("centomila/00"));
    }

    // A number once given is never given again, even when the movement's field
    // that held it was cleared by hand.
    void clearedNumberIsNotGivenAgain()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        writeRaw(path, {RecordCodec::encode(income(QStringLiteral("A"))),
                        RecordCodec::encode(income(QStringLiteral("B")))});
        QCOMPARE(issue(path, 1, stored(path, 1)).number.text(), QStringLiteral("1/2014"));
        TSchedaMovimento cleared = stored(path, 1);
        cleared.Ricevuta.clear();
        writeRaw(path, {RecordCodec::encode(cleared), fileBytes(path).mid(TSchedaMovimento::Size)});
        QCOMPARE(issue(path, 2, stored(path, 2)).number.text(), QStringLiteral("2/2014"));
    }

    // Nothing is written for an income not stored as settled, nor when the
    // receipt file cannot be written.
    void nothingWritten_data()
    {
        QTest::addColumn<bool>("settled");
        QTest::addColumn<bool>("receiptFileBlocked");
        QTest::addColumn<int>("kind");
        QTest::newRow("not settled") << false << false << int(ReceiptBook::Outcome::Kind::NotSettled);
        QTest::newRow("receipt file cannot be written") << true << true << int(ReceiptBook::Outcome::Kind::Failed);
    }
    void nothingWritten()
    {
        QFETCH(bool, settled);
        QFETCH(bool, receiptFileBlocked);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        TSchedaMovimento m = income(QStringLiteral("Quota"));
        m.Saldato = settled ? kYes : kNo;
        writeRaw(path, {withNoise(m)});
        const QByteArray before = fileBytes(path);
        if (receiptFileBlocked)
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Ricevute2014.ini")));
        const auto out = issue(path, 1, stored(path, 1));
        QCOMPARE(int(out.kind), kind);
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("Ricevute2014.ini"))).isFile(), false);
    }

    // Two workstations give receipts in the same year at the same moment: every
    // movement gets a number, and no number is given twice.
    void twoProcessesNeverShareANumber()
    {
        constexpr int perWriter = 60;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2014.eur"));
        QList<QByteArray> records;
        for (int i = 1; i <= 2 * perWriter; ++i)
            records.append(RecordCodec::encode(income(QStringLiteral("Quota %1").arg(i))));
        writeRaw(path, records);
        const QByteArray before = fileBytes(path);

        QProcess a, b;
        const QString self = QCoreApplication::applicationFilePath();
        for (QProcess *p : {&a, &b})
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        a.start(self, {QStringLiteral("--take"), path, QStringLiteral("1"), QStringLiteral("2")});
        b.start(self, {QStringLiteral("--take"), path, QStringLiteral("2"), QStringLiteral("2")});
        QVERIFY(a.waitForStarted());
        QVERIFY(b.waitForStarted());
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        QSet<qint64> numbers;
        const auto archive = ReceiptArchive::read(ReceiptArchive::pathFor(path), nullptr);
        QVERIFY(archive);
        for (qint64 p = 1; p <= 2 * perWriter; ++p) {
            const auto n = ReceiptBook::numberIn(stored(path, p).Ricevuta);
            QVERIFY2(n, qPrintable(stored(path, p).Ricevuta));
            QCOMPARE(n->year, 2014);
            QVERIFY2(!numbers.contains(n->n), qPrintable(n->text()));
            numbers.insert(n->n);
            // Each number's receipt is kept, with its own movement's payer.
            const auto kept = ReceiptArchive::find(*archive, n->text());
            QVERIFY2(kept, qPrintable(n->text()));
            QCOMPARE(kept->payer, stored(path, p).Pagatore);
            // Nothing else of the record changed.
            TSchedaMovimento expected = RecordCodec::decode<TSchedaMovimento>(
                before.constData() + (p - 1) * TSchedaMovimento::Size);
            expected.Ricevuta = n->text();
            QCOMPARE(stored(path, p), expected);
        }
        QCOMPARE(numbers.size(), 2 * perWriter);
        QCOMPARE(*std::max_element(numbers.begin(), numbers.end()), qint64(2 * perWriter));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--take"))
        return takeNumbers(args);
    TestReceiptNumbering t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_receipt_numbering.moc"
