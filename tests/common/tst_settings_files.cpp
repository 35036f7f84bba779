// The settings files beside the program (Ente.ini, Rendiconto.ini,
// Promemoria.ini) as another editor may leave them: in another encoding, very
// large, with two spellings of one reason. What the user reads on screen, and
// what a change leaves on disk.
#include "support/TestPlatform.h"

#include "common/EnteData.h"
#include "shell/ReminderSettings.h"
#include "statement/Classification.h"
#include "statement/ui/TfrmEnte.h"

#include "common/ui/FieldEdit.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStringEncoder>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray utf16(const QString &text, bool little)
{
    QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder.encode(text));
}

const QString kEnte = QStringLiteral("; scritto con il Blocco note\r\n[Ente]\r\nDenominazione=Circolo Città\r\n"
                                     "Indirizzo=Via Libertà 1, Forlì\r\nTipologia=APS\r\n");

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enteReadInTheEditorsEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << kEnte.toUtf8();
        QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + kEnte.toUtf8();
        QTest::newRow("UTF-16, little end first") << utf16(kEnte, true);
        QTest::newRow("UTF-16, big end first") << utf16(kEnte, false);
        QTest::newRow("Windows-1252") << kEnte.toLatin1();
    }

    void enteReadInTheEditorsEncoding()
    {
        QFETCH(QByteArray, bytes);
        TestPlatform p;
        writeFile(p.file(EnteData::fileName()), bytes);
        QStringList shown;
        p.modal.handlers << [&](QDialog *d) {
            auto *e = qobject_cast<TfrmEnte *>(d);
            QVERIFY(e);
            shown << e->txtDenominazione->text() << e->txtIndirizzo->text() << e->cmbTipologia->currentText();
            e->btnAnnulla->click();
        };
        QVERIFY(!TfrmEnte::edit(nullptr).has_value());
        QCOMPARE(shown, (QStringList{QStringLiteral("Circolo Città"), QStringLiteral("Via Libertà 1, Forlì"),
                                     QStringLiteral("APS")}));
        QCOMPARE(p.messages.shown.size(), 0);
        QCOMPARE(readBytes(p.file(EnteData::fileName())), bytes);
    }

    // A change to one value leaves the rest of a file written elsewhere as it
    // was, in its own encoding.
    void reminderKeptInTheFilesEncoding_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QString other = QStringLiteral("[Note]\r\nTesto=Attività del mese\r\n");
        const QString added = QStringLiteral("[InScadenza]\r\nNonMostrareIl=15/03/2024\r\n");
        const QString changedBefore = QStringLiteral("[inscadenza]\r\nnonmostrareil = 01/01/2020 \r\n") + other;
        const QString changedAfter = QStringLiteral("[inscadenza]\r\nnonmostrareil =15/03/2024\r\n") + other;
        for (const bool little : {true, false}) {
            const char *order = little ? "little end first" : "big end first";
            QTest::addRow("UTF-16, %s, section added", order) << utf16(other, little) << utf16(other + added, little);
            QTest::addRow("UTF-16, %s, value changed", order)
                << utf16(changedBefore, little) << utf16(changedAfter, little);
        }
        QTest::newRow("Windows-1252, section added") << other.toLatin1() << (other + added).toLatin1();
        QTest::newRow("UTF-8, value changed") << changedBefore.toUtf8() << changedAfter.toUtf8();
    }

    void reminderKeptInTheFilesEncoding()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TestPlatform p;
        const QString path = p.file(ReminderSettings::fileName());
        writeFile(path, before);
        const ReminderSettings settings(path);
        const QDate day(2024, 3, 15);
        QVERIFY(!settings.hiddenOn(day));
        QVERIFY(settings.hideOn(day));
        QCOMPARE(readBytes(path), after);
        QVERIFY(settings.hiddenOn(day));
    }

    // Far more sections than any association keeps, the association's own last:
    // read in one pass (a reader that looks each section up against the others
    // runs past the test's time limit here). Speed itself is the benchmark's.
    void largeEnteReadAtOnce()
    {
        TestPlatform p;
        QByteArray bytes;
        constexpr int kSections = 150000;
        bytes.reserve(kSections * 24);
        for (int i = 0; i < kSections; ++i)
            bytes += "[Altro" + QByteArray::number(i) + "]\r\nVoce=" + QByteArray::number(i) + "\r\n";
        bytes += "[Ente]\r\nDenominazione=Circolo in fondo\r\n";
        writeFile(p.file(EnteData::fileName()), bytes);
        const auto data = EnteData::load(p.folder.path());
        QVERIFY(data.has_value());
        QCOMPARE(data->denominazione, QStringLiteral("Circolo in fondo"));
    }

    // Two spellings of one reason: the first in the file classifies it, the
    // other is passed over; a save keeps the first alone.
    void firstOfTwoSpellingsOfAReasonWins_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("item");
        QTest::newRow("capitals second") << QByteArray("[Entrate]\r\nQuota sociale=A.E1\r\nQUOTA SOCIALE=A.E2\r\n")
                                         << QStringLiteral("A.E1");
        QTest::newRow("capitals first") << QByteArray("[Entrate]\r\nQUOTA SOCIALE=A.E2\r\nQuota sociale=A.E1\r\n")
                                        << QStringLiteral("A.E2");
        QTest::newRow("in two parts of the section")
            << QByteArray("[Entrate]\r\nquota Sociale=A.E4\r\n[Uscite]\r\n[ENTRATE]\r\nQuota sociale=A.E1\r\n")
            << QStringLiteral("A.E4");
    }

    void firstOfTwoSpellingsOfAReasonWins()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, item);
        TestPlatform p;
        writeFile(p.file(Classification::fileName()), bytes);
        const auto c = Classification::load(p.folder.path());
        QVERIFY(c.has_value());
        for (const QString &reason : {QStringLiteral("Quota sociale"), QStringLiteral(" quota SOCIALE ")})
            QCOMPARE(c->incomeItemOf(reason), item);
        QVERIFY(c->save(p.folder.path()));
        const QString saved = QString::fromUtf8(readBytes(p.file(Classification::fileName())));
        QCOMPARE(saved.count(QStringLiteral("=A.E")), 1);
        QVERIFY(saved.contains(QStringLiteral("=") + item + QStringLiteral("\r\n")));
    }
};

QTEST_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"
