// The movement card saving a new card into a year file that ends in a fragment
// (what an interrupted write leaves) on a disk that takes only part of the new
// record. The save reports the access message and the file ends byte for byte
// as it was, fragment included; with room again the same save lands whole, in
// place of the fragment.
#include "movements/MovementFixture.h"

#include "support/FileFaults.h"

using namespace FileFaults;

class TestMovementFileFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failedAppendGivesTheFileBack_data()
    {
        QTest::addColumn<int>("fragment"); // bytes past the last whole record
        QTest::addColumn<int>("room");     // bytes the disk takes past the file's end
        QTest::newRow("fragment of 1000 bytes, room for 500") << 1000 << 500;
        QTest::newRow("fragment of 1000 bytes, no room") << 1000 << 0;
        QTest::newRow("a record short of one byte, room for none") << TSchedaMovimento::Size - 1 << 0;
        QTest::newRow("no fragment, room for half a record") << 0 << TSchedaMovimento::Size / 2;
    }

    void failedAppendGivesTheFileBack()
    {
        QFETCH(int, fragment);
        QFETCH(int, room);
        MovementFixture f;
        f.writeYear({movement(QStringLiteral("Quota sociale")), movement(QStringLiteral("Affitto"), false)});
        QByteArray tail(fragment, '\0');
        for (int i = 0; i < fragment; ++i)
            tail[i] = char('a' + i % 26);
        QVERIFY(writeBytes(f.yearFile(), f.bytes() + tail));
        const QByteArray before = f.bytes();
        f.fillRequired(QStringLiteral("Contributo"));
        f.messages().clear();
        {
            SizeLimit limit(before.size() + room);
            if (!limit.active())
                QSKIP("the file size limit cannot be set here");
            f.click("cmdSalva");
        }
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Error);
        QVERIFY(f.messages().shown[0].text.startsWith(
            QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
        QCOMPARE(f.bytes(), before);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Contributo"));

        f.messages().clear();
        f.click("cmdSalva");
        QCOMPARE(f.messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(f.position(), QStringLiteral("3"));
        QCOMPARE(f.bytes().size(), 3 * TSchedaMovimento::Size);
        QCOMPARE(f.bytes().left(2 * TSchedaMovimento::Size), before.left(2 * TSchedaMovimento::Size));
        QCOMPARE(f.storedRecord(3).Causale, QStringLiteral("Contributo"));
    }
};

QTEST_MAIN(TestMovementFileFaults)
#include "tst_movement_file_faults.moc"
