// The member card asks before storing a tax code that another stored member
// already holds: the answer decides whether anything lands in the archive.
#include "CardFixture.h"

#include <QFile>

namespace {

using Kind = MessageBoxes::Kind;
using Answer = MessageBoxes::Answer;

TSchedaSocio withCode(const QString &name, const QString &code)
{
    TSchedaSocio m = member(name);
    m.CodFisc = code;
    return m;
}

const QString kRossi = QStringLiteral("RSSMRA80A01H501U");
const QString kBianchi = QStringLiteral("BNCLRA85M41A944X");

} // namespace

class TestCardTaxCode : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void askedBeforeStoring_data();
    void askedBeforeStoring();
};

void TestCardTaxCode::askedBeforeStoring_data()
{
    QTest::addColumn<QList<TSchedaSocio>>("archive");
    QTest::addColumn<int>("shown");       // the stored card put on the screen first; 0 for a new card
    QTest::addColumn<QString>("typed");   // the tax code typed on the card
    QTest::addColumn<Answer>("answer");   // to the question, when there is one
    QTest::addColumn<QString>("question"); // empty: none asked
    QTest::addColumn<bool>("stored");

    const QList<TSchedaSocio> three{withCode(QStringLiteral("Rossi Mario"), kRossi),
                                    withCode(QStringLiteral("Bianchi Laura"), kBianchi),
                                    withCode(QStringLiteral("Bianchi Laura (seconda scheda)"), kBianchi)};
    const QString askBianchi = QStringLiteral("Il codice fiscale BNCLRA85M41A944X è già presente nella scheda n. 2 "
                                              "(Bianchi Laura). Salvare comunque?");
    QTest::newRow("new card, Sì stores") << three << 0 << kBianchi << Answer::Yes << askBianchi << true;
    QTest::newRow("new card, No stores nothing") << three << 0 << kBianchi << Answer::No << askBianchi << false;
    QTest::newRow("stored card, own code") << three << 1 << QString() << Answer::No << QString() << true;
    // Record 3 holds the code of record 2: its own position does not count, record 2 does.
    QTest::newRow("stored card, code also held by another")
        << three << 3 << QString() << Answer::No << askBianchi << false;
    QTest::newRow("stored card takes another's code")
        << three << 1 << kBianchi << Answer::No << askBianchi << false;
    QTest::newRow("code stored in lower case")
        << QList<TSchedaSocio>{withCode(QStringLiteral("Rossi Mario"), kRossi.toLower())} << 0 << kRossi
        << Answer::No
        << QStringLiteral("Il codice fiscale RSSMRA80A01H501U è già presente nella scheda n. 1 (Rossi Mario). "
                          "Salvare comunque?")
        << false;
    QTest::newRow("code nobody holds") << three << 0 << QStringLiteral("VRDGPP70A01F205Z") << Answer::No << QString()
                                       << true;
    QTest::newRow("empty code, others empty too")
        << QList<TSchedaSocio>{member(QStringLiteral("Alfa")), member(QStringLiteral("Beta"))} << 0 << QString()
        << Answer::No << QString() << true;
}

void TestCardTaxCode::askedBeforeStoring()
{
    QFETCH(QList<TSchedaSocio>, archive);
    QFETCH(int, shown);
    QFETCH(QString, typed);
    QFETCH(Answer, answer);
    QFETCH(QString, question);
    QFETCH(bool, stored);

    CardFixture f;
    writeArchive(archive);
    if (shown > 0) {
        f.click("cmdPrimo");
        for (int i = 1; i < shown; ++i)
            f.click("cmdAvanti");
        QCOMPARE(f.position(), QString::number(shown));
    } else {
        f.type("txtDipendente", QStringLiteral("Nuovo Socio"));
        f.field("txtDataSca")->setText(QStringLiteral("30/06/2025"));
    }
    if (!typed.isEmpty()) {
        f.field("txtCodFisc")->clear();
        f.type("txtCodFisc", typed);
    }
    f.field("txtNote")->setText(QStringLiteral("salvata"));
    const QByteArray before = readBytes(f.file(QStringLiteral("Soci.pro")));
    f.messages().answers = {answer};

    f.click("btnSalva");

    const QList<ShownMessage> &boxes = f.messages().shown;
    if (question.isEmpty()) {
        QCOMPARE(boxes.size(), 1);
    } else {
        QCOMPARE(boxes.size(), stored ? 2 : 1);
        QCOMPARE(boxes[0].kind, Kind::Question);
        QCOMPARE(boxes[0].text, question);
    }
    const QByteArray after = readBytes(f.file(QStringLiteral("Soci.pro")));
    if (!stored) {
        // No: nothing lands on disk, and the card stays as it was to be corrected.
        QCOMPARE(after, before);
        QCOMPARE(f.position(), shown > 0 ? QString::number(shown) : QString());
        QVERIFY(!QFile::exists(f.file(QString::number(shown > 0 ? shown : archive.size() + 1) + ".jpg")));
        QCOMPARE(f.field("txtNote")->text(), QStringLiteral("salvata"));
        return;
    }
    QCOMPARE(boxes.last().kind, Kind::Information);
    const qint64 position = shown > 0 ? shown : archive.size() + 1;
    QCOMPARE(f.position(), QString::number(position));
    QCOMPARE(after.size(), (archive.size() + (shown > 0 ? 0 : 1)) * qint64(TSchedaSocio::Size));
    QCOMPARE(storedRecord(position).Note, QStringLiteral("salvata"));
    if (!typed.isEmpty())
        QCOMPARE(storedRecord(position).CodFisc, typed);
}

QTEST_MAIN(TestCardTaxCode)
#include "tst_card_tax_code.moc"
